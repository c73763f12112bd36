#include "tablet/TabletText.h"

#include "toolkit/Label.h"

#include <string_view>

namespace mevara {
namespace {

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

} // namespace

std::string tabletText(std::string text) {
    replaceAll(text, "&lquot;", "\u201C");
    replaceAll(text, "&rquot;", "\u201D");
    return text;
}

void setTabletText(Label& label, const std::string& text) {
    label.setText(tabletText(text));
}

} // namespace mevara

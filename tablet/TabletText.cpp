#include "tablet/TabletText.h"

#include "platform/Unicode.h"
#include "toolkit/Label.h"

namespace mevara {
std::string tabletText(std::string text) {
    unicode::replaceAll(text, "&lquot;", "\u201C");
    unicode::replaceAll(text, "&rquot;", "\u201D");
    return text;
}

void setTabletText(Label& label, const std::string& text) {
    label.setText(tabletText(text));
}

} // namespace mevara

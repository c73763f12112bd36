// What the browser tests ask the program: where to touch a named view, label, button or
// table row (in window points), and the dump of the screen, as the headless scripts see
// them. Reached from the page as Module.mevaraLocate and Module.mevaraDump (start.js).
#include "app/ScreenTargets.h"
#include "app/ViewDump.h"
#include "toolkit/Application.h"
#include "toolkit/RunLoop.h"
#include "toolkit/TableView.h"
#include "toolkit/Window.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <emscripten.h>
#include <string_view>

namespace {

using namespace mevara;

char* copied(const std::string& text) {
    char* out = static_cast<char*>(std::malloc(text.size() + 1));
    if (out) std::memcpy(out, text.c_str(), text.size() + 1);
    return out;
}

std::string pointText(Point p) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g,%g", static_cast<double>(p.x),
                  static_cast<double>(p.y));
    return buffer;
}

std::string locate(const Window& window, std::string_view how, const std::string& wanted, int row) {
    Rect onScreen;
    if (how == "row") {
        auto table = std::dynamic_pointer_cast<TableView>(frontMostView(
            window,
            [&wanted](const View& view) {
                return view.name() == wanted && dynamic_cast<const TableView*>(&view);
            },
            &onScreen));
        if (!table || row < 0 || row >= table->numberOfRows()) return {};
        const Rect part = rowOnScreen(*table, row, onScreen);
        return part.width > 0 ? pointText(middle(part)) : std::string();
    }
    const auto view = viewToTouch(window, wanted, how == "text", &onScreen);
    return view ? pointText(touchPoint(*view, onScreen)) : std::string();
}

} // namespace

extern "C" {

// "x,y", or empty when nothing so named shows.
EMSCRIPTEN_KEEPALIVE char* mevara_locate(const char* how, const char* wanted, int row) {
    const Window* window = Application::shared().keyWindow();
    return copied(window && how && wanted ? locate(*window, how, wanted, row) : std::string());
}

EMSCRIPTEN_KEEPALIVE char* mevara_dump() {
    const Window* window = Application::shared().keyWindow();
    return copied(window ? dumpViewTree(*window, RunLoop::main().now()) : std::string());
}
}

#pragma once

#include "app/KeyboardControl.h"
#include "platform/Geometry.h"

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace mevara {

class View;
class Window;

// What the program does when the system sends it to the background, brings it back or
// ends it.
struct Lifecycle {
    std::function<void()> resign, activate, terminate;
};

// Plays a script of touches, waits and checks against a window on the manual clock, with
// no display. The commands are described in the README. Dumps go to `out`; the first
// error stops the script with "script:line: message" on `err`.
class HeadlessRunner {
public:
    HeadlessRunner(Window& window, Lifecycle lifecycle, std::ostream& out, std::ostream& err,
                   std::filesystem::path outputDir = ".");

    // 0 when every command ran; non-zero on the first error.
    int runFile(const std::filesystem::path& script);
    int runText(std::string_view script, const std::string& scriptName);
    // Whether a `terminate` command ended the script.
    bool terminated() const { return terminated_; }

    // One word of a script line, and whether it was in quotes.
    struct Word;

private:
    void run(const std::vector<Word>& words);
    void tap(const std::vector<Word>& args);
    void tapRow(const std::vector<Word>& args);
    // Activates the element a screen reader calls by that name.
    void press(const std::vector<Word>& args);
    void checkAccessibility();
    // A key a person without a pointer presses.
    void pressKey(const std::vector<Word>& args);
    void drag(const std::vector<Word>& args);
    void pressAlertButton(const std::vector<Word>& args);
    void snapshot(const std::vector<Word>& args);
    void setToday(const Word& day);
    void touchAt(Point location);
    void runDueCalls();

    Window& window_;
    KeyboardControl keyboard_;
    Lifecycle lifecycle_;
    std::ostream& out_;
    std::ostream& err_;
    std::filesystem::path outputDir_;
    bool terminated_ = false;
    int nextTouch_ = 1;
};

} // namespace mevara

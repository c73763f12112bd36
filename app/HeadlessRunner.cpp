#include "app/HeadlessRunner.h"

#include "app/ScreenTargets.h"
#include "app/ViewDump.h"
#include "platform/Clock.h"
#include "toolkit/Accessibility.h"
#include "toolkit/AlertView.h"
#include "toolkit/Button.h"
#include "toolkit/Label.h"
#include "toolkit/RunLoop.h"
#include "toolkit/TableView.h"
#include "toolkit/Window.h"
#include "toolkit/sdl/Snapshot.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <ostream>
#include <sstream>
#include <stdexcept>

namespace mevara {

struct HeadlessRunner::Word {
    std::string text;
    bool quoted = false;
};

namespace {

using Word = HeadlessRunner::Word;

// A drag is this many moves, a frame apart.
constexpr int dragSteps = 10;
constexpr double frameTime = 1.0 / 60;

// A mistake in the script, reported with its line.
struct ScriptError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

bool isSpace(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\r';
}

// Words separated by spaces; "..." holds spaces, \" and \\; a word starting with # begins a
// comment.
std::vector<Word> splitLine(std::string_view line) {
    std::vector<Word> words;
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && isSpace(line[i]))
            ++i;
        if (i == line.size() || line[i] == '#') return words;
        Word word;
        if (line[i] == '"') {
            word.quoted = true;
            for (++i;; ++i) {
                if (i == line.size()) throw ScriptError("missing closing quote");
                if (line[i] == '"') break;
                if (line[i] == '\\') {
                    if (++i == line.size() || (line[i] != '"' && line[i] != '\\'))
                        throw ScriptError("only \\\" and \\\\ may follow a backslash in quotes");
                }
                word.text += line[i];
            }
            ++i;
            if (i < line.size() && !isSpace(line[i]))
                throw ScriptError("a space must follow the closing quote");
        } else {
            while (i < line.size() && !isSpace(line[i])) {
                if (line[i] == '"') throw ScriptError("a quote inside a word");
                word.text += line[i++];
            }
        }
        words.push_back(std::move(word));
    }
}

double parseNumber(const Word& word) {
    double value = 0;
    const char* end = word.text.data() + word.text.size();
    const auto [stop, error] = std::from_chars(word.text.data(), end, value);
    if (word.quoted || error != std::errc() || stop != end || !std::isfinite(value))
        throw ScriptError("\"" + word.text + "\" is not a number");
    return value;
}

int parseIndex(const Word& word) {
    int value = 0;
    const char* end = word.text.data() + word.text.size();
    const auto [stop, error] = std::from_chars(word.text.data(), end, value);
    if (word.quoted || error != std::errc() || stop != end || value < 0)
        throw ScriptError("\"" + word.text + "\" is not an index (0, 1, 2...)");
    return value;
}

void expectCount(const std::vector<Word>& args, std::size_t count, const char* usage) {
    if (args.size() != count) throw ScriptError(std::string("usage: ") + usage);
}

std::string describe(Point p) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "(%g, %g)", static_cast<double>(p.x),
                  static_cast<double>(p.y));
    return buffer;
}

} // namespace

HeadlessRunner::HeadlessRunner(Window& window, Lifecycle lifecycle, std::ostream& out,
                               std::ostream& err, std::filesystem::path outputDir)
    : window_(window), keyboard_(window), lifecycle_(std::move(lifecycle)), out_(out), err_(err),
      outputDir_(std::move(outputDir)) {
    if (!RunLoop::main().hasManualClock()) RunLoop::main().useManualClock();
}

int HeadlessRunner::runFile(const std::filesystem::path& script) {
    std::ifstream in(script, std::ios::binary);
    std::ostringstream text;
    if (in) text << in.rdbuf();
    if (!in || in.bad()) {
        err_ << script.string() << ": cannot read the script\n";
        return 1;
    }
    return runText(text.str(), script.filename().string());
}

int HeadlessRunner::runText(std::string_view script, const std::string& scriptName) {
    // The loop's first turn, as a window's host runs it before it waits for input.
    runDueCalls();
    int lineNumber = 0;
    std::size_t start = 0;
    while (start < script.size() && !terminated_) {
        std::size_t end = script.find('\n', start);
        if (end == std::string_view::npos) end = script.size();
        const std::string_view line = script.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        try {
            const auto words = splitLine(line);
            if (!words.empty()) run(words);
        } catch (const std::exception& error) {
            out_.flush();
            err_ << scriptName << ":" << lineNumber << ": " << error.what() << "\n";
            return 1;
        }
    }
    out_.flush();
    return 0;
}

void HeadlessRunner::run(const std::vector<Word>& words) {
    const std::string& command = words.front().text;
    const std::vector<Word> args(words.begin() + 1, words.end());
    if (words.front().quoted) throw ScriptError("a line starts with a command, not a quote");
    if (command == "tap") {
        tap(args);
    } else if (command == "row") {
        tapRow(args);
    } else if (command == "drag") {
        drag(args);
    } else if (command == "wait") {
        expectCount(args, 1, "wait SECONDS");
        const double seconds = parseNumber(args[0]);
        if (seconds < 0) throw ScriptError("cannot wait a negative time");
        RunLoop::main().advance(seconds);
    } else if (command == "rotate") {
        expectCount(args, 1, "rotate portrait|landscape");
        const std::string& to = args[0].text;
        if (to != "portrait" && to != "landscape")
            throw ScriptError("rotate to \"portrait\" or \"landscape\", not \"" + to + "\"");
        // A screen that refuses to turn is no error.
        window_.rotate(to == "portrait" ? 1 : 3);
        runDueCalls();
    } else if (command == "resign" || command == "activate" || command == "terminate") {
        expectCount(args, 0, (command + " (no arguments)").c_str());
        const auto& call = command == "resign"     ? lifecycle_.resign
                           : command == "activate" ? lifecycle_.activate
                                                   : lifecycle_.terminate;
        if (call) call();
        if (command == "terminate")
            terminated_ = true;
        else
            runDueCalls();
    } else if (command == "alert") {
        pressAlertButton(args);
    } else if (command == "dump") {
        if (args.size() == 1 && args[0].text == "accessibility" && !args[0].quoted) {
            out_ << dumpAccessibility(window_) << "--\n";
            return;
        }
        expectCount(args, 0, "dump or dump accessibility");
        out_ << dumpViewTree(window_, RunLoop::main().now()) << "--\n";
    } else if (command == "key") {
        pressKey(args);
    } else if (command == "press") {
        press(args);
    } else if (command == "check") {
        expectCount(args, 1, "check accessibility");
        if (args[0].text != "accessibility" || args[0].quoted)
            throw ScriptError("check accessibility, not check " + quoteText(args[0].text));
        checkAccessibility();
    } else if (command == "snapshot") {
        snapshot(args);
    } else if (command == "today") {
        expectCount(args, 1, "today YYYY-MM-DD");
        setToday(args[0]);
    } else {
        throw ScriptError("unknown command \"" + command + "\"");
    }
}

void HeadlessRunner::setToday(const Word& day) {
    int year = 0;
    unsigned month = 0, dayOfMonth = 0;
    char dash1 = 0, dash2 = 0;
    std::istringstream in(day.text);
    in >> year >> dash1 >> month >> dash2 >> dayOfMonth;
    const std::chrono::year_month_day date{std::chrono::year{year}, std::chrono::month{month},
                                           std::chrono::day{dayOfMonth}};
    if (!in || !in.eof() || dash1 != '-' || dash2 != '-' || !date.ok())
        throw ScriptError("\"" + day.text + "\" is not a date (YYYY-MM-DD)");
    // Noon UTC: the same calendar day in nearly every time zone.
    const Date noon = std::chrono::sys_days{date} + std::chrono::hours{12};
    Clock::setSource([noon] { return noon; });
}

void HeadlessRunner::tap(const std::vector<Word>& args) {
    if (args.size() == 2) {
        touchAt(
            {static_cast<float>(parseNumber(args[0])), static_cast<float>(parseNumber(args[1]))});
        return;
    }
    expectCount(args, 1, "tap NAME, tap \"TEXT\" or tap X Y");
    const std::string& wanted = args[0].text;
    Rect onScreen;
    const auto target = viewToTouch(window_, wanted, args[0].quoted, &onScreen);
    if (!target)
        throw ScriptError(
            (args[0].quoted ? "no visible label or button reading " : "no visible view named ") +
            quoteText(wanted));
    touchAt(touchPoint(*target, onScreen));
}

void HeadlessRunner::press(const std::vector<Word>& args) {
    expectCount(args, 1, "press \"NAME\"");
    const std::string& wanted = args[0].text;
    const auto elements = accessibleElements(window_);
    // A button before a text of the same name (a caption under its icon), then the
    // front-most, as a finger would find it.
    auto found = std::find_if(elements.rbegin(), elements.rend(), [&wanted](const auto& e) {
        return e.label == wanted && (e.traits & TraitButton);
    });
    if (found == elements.rend())
        found = std::find_if(elements.rbegin(), elements.rend(),
                             [&wanted](const auto& e) { return e.label == wanted; });
    if (found == elements.rend()) {
        std::string names;
        for (const auto& e : elements)
            names += (names.empty() ? "" : ", ") + quoteText(e.label);
        throw ScriptError("nothing on screen is called " + quoteText(wanted) + "; there are " +
                          names);
    }
    touchAt(middle(found->frame));
}

void HeadlessRunner::pressKey(const std::vector<Word>& args) {
    expectCount(args, 1, "key tab|shift-tab|enter|space|up|down|left|right|escape");
    static const std::map<std::string, Key> keys{
        {"tab", Key::Tab},        {"shift-tab", Key::BackTab},
        {"enter", Key::Activate}, {"space", Key::Activate},
        {"up", Key::Up},          {"down", Key::Down},
        {"left", Key::Left},      {"right", Key::Right},
        {"escape", Key::Escape}};
    const auto it = keys.find(args[0].text);
    if (it == keys.end()) throw ScriptError("no key called " + quoteText(args[0].text));
    keyboard_.handle(it->second);
    runDueCalls();
}

void HeadlessRunner::checkAccessibility() {
    std::string unnamed;
    for (const auto& view : unnamedTappableViews(window_))
        unnamed += (unnamed.empty() ? "" : ", ") + view->className() +
                   (view->name().empty() ? "" : " #" + view->name());
    if (!unnamed.empty()) throw ScriptError("no accessible name for " + unnamed);
}

void HeadlessRunner::tapRow(const std::vector<Word>& args) {
    expectCount(args, 2, "row TABLE INDEX");
    const std::string& name = args[0].text;
    const int row = parseIndex(args[1]);
    Rect tableOnScreen;
    auto found = frontMostView(
        window_,
        [&name](const View& view) {
            return view.name() == name && dynamic_cast<const TableView*>(&view);
        },
        &tableOnScreen);
    auto table = std::dynamic_pointer_cast<TableView>(found);
    if (!table) throw ScriptError("no visible table named " + quoteText(name));
    if (row >= table->numberOfRows())
        throw ScriptError("table " + quoteText(name) + " has " +
                          std::to_string(table->numberOfRows()) + " rows, no row " +
                          std::to_string(row));
    const Rect part = rowOnScreen(*table, row, tableOnScreen);
    if (part.width <= 0 || part.height <= 0)
        throw ScriptError("row " + std::to_string(row) + " of table " + quoteText(name) +
                          " cannot be brought on screen");
    touchAt(middle(part));
}

void HeadlessRunner::drag(const std::vector<Word>& args) {
    expectCount(args, 4, "drag X1 Y1 X2 Y2");
    Point from{static_cast<float>(parseNumber(args[0])), static_cast<float>(parseNumber(args[1]))};
    Point to{static_cast<float>(parseNumber(args[2])), static_cast<float>(parseNumber(args[3]))};
    const Rect screen = window_.bounds();
    for (const Point p : {from, to})
        if (!rectContainsPoint(screen, p)) throw ScriptError(describe(p) + " is off the screen");
    const int id = nextTouch_++;
    auto& loop = RunLoop::main();
    window_.sendTouch(id, TouchPhase::Began, from);
    for (int i = 1; i <= dragSteps; ++i) {
        loop.advance(frameTime);
        const float k = static_cast<float>(i) / dragSteps;
        window_.sendTouch(id, TouchPhase::Moved,
                          {from.x + (to.x - from.x) * k, from.y + (to.y - from.y) * k});
    }
    window_.sendTouch(id, TouchPhase::Ended, to);
    runDueCalls();
}

void HeadlessRunner::pressAlertButton(const std::vector<Word>& args) {
    expectCount(args, 1, "alert INDEX");
    const int index = parseIndex(args[0]);
    const auto& alerts = window_.alerts();
    if (alerts.empty()) throw ScriptError("no alert on screen");
    const auto alert = alerts.back();
    const std::string name = "alertButton" + std::to_string(index);
    const auto& subviews = alert->subviews();
    const auto button = std::find_if(subviews.begin(), subviews.end(),
                                     [&name](const auto& sub) { return sub->name() == name; });
    if (button == subviews.end())
        throw ScriptError("the alert " + quoteText(alert->title()) + " has " +
                          std::to_string(alert->buttonTitles().size()) + " buttons, no button " +
                          std::to_string(index));
    Rect onScreen;
    if (!frontMostView(
            window_, [&](const View& view) { return &view == button->get(); }, &onScreen))
        throw ScriptError("button " + std::to_string(index) + " of the alert is not on screen");
    touchAt(touchPoint(**button, onScreen));
}

void HeadlessRunner::snapshot(const std::vector<Word>& args) {
    expectCount(args, 1, "snapshot FILE.png");
    std::filesystem::path file = args[0].text;
    if (file.extension() != ".png") throw ScriptError("a snapshot is a .png file");
    if (file.is_relative()) file = outputDir_ / file;
    std::error_code ignored;
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ignored);
    if (!sdl::writeSnapshot(window_, file.string(), RunLoop::main().now(), 1))
        throw ScriptError("could not write " + quoteText(file.string()));
}

void HeadlessRunner::touchAt(Point location) {
    if (!rectContainsPoint(window_.bounds(), location))
        throw ScriptError(describe(location) + " is off the screen");
    const int id = nextTouch_++;
    window_.sendTouch(id, TouchPhase::Began, location);
    window_.sendTouch(id, TouchPhase::Ended, location);
    runDueCalls();
}

// What a tap set off for right now runs before the next line, as on the next turn of the
// run loop.
void HeadlessRunner::runDueCalls() {
    RunLoop::main().advance(0);
}

} // namespace mevara

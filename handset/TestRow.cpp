#include "handset/TestRow.h"

#include "handset/TestListController.h"
#include "model/Test.h"
#include "platform/LocaleFormat.h"
#include "toolkit/Button.h"
#include "toolkit/Label.h"
#include "toolkit/TableView.h"

namespace mevara {
namespace {

constexpr Color detailGrey = Color::white(0.451f);
constexpr Color doseRed = Color::rgb(0.773f, 0, 0.196f);
constexpr float rowWidth = 320;
constexpr float rowHeight = 54;
// Where a detail line must end to leave the dose in the middle of the row.
constexpr float detailLimit = 185;
constexpr float minimumDoseFontSize = 10;

} // namespace

std::shared_ptr<Label> makeRowLabel(Rect frame, const std::string& text, const char* font,
                                    float size, Color color) {
    auto label = std::make_shared<Label>(frame);
    label->setText(text);
    label->setFont(Font::named(font, size));
    label->setTextColor(color);
    label->setHighlightedTextColor(Color::white());
    label->setBackgroundColor(Color::clear());
    label->setOpaque(false);
    return label;
}

void showDose(Label& label, std::string text) {
    label.setAccessibilityLabel(text + " millisieverts");
    label.setText(std::move(text));
}

std::string testDescription(const Test& test) {
    return test.testName().value_or("") + ", " + TestListController::detailText(test);
}

std::shared_ptr<TableViewCell> makeTestRow(const Test& test, const TestRowLayout& layout,
                                           std::function<void()> onDoseTapped) {
    auto cell = std::make_shared<TableViewCell>(Rect{0, 0, rowWidth, rowHeight});
    cell->addSubview(makeRowLabel({layout.left, 10, 156, layout.nameHeight},
                                  test.testName().value_or(""), "Helvetica-Bold", 17, rowBlue));
    auto detail =
        makeRowLabel({layout.left, 29, layout.detailWidth, 18},
                     TestListController::detailText(test), "Helvetica-Bold", 12, detailGrey);
    detail->setName("detail");
    cell->addSubview(detail);

    const float width = detail->sizeOfText(detail->text(), {9999, 9999}).width;
    const bool middle = layout.left + width <= detailLimit;
    auto value = makeRowLabel({182, middle ? 16.0f : 5.0f, 62, 28},
                              LocaleFormat::twoDecimalText(test.milliseverts()), "Helvetica-Bold",
                              18, doseRed);
    value->setName("value");
    value->setTextAlignment(TextAlignment::Right);
    // Doses of a thousand mSv and more (99 of the largest in the catalogue) would be cut.
    value->setAdjustsFontSizeToFitWidth(true);
    value->setMinimumFontSize(minimumDoseFontSize);
    cell->addSubview(value);
    auto unit =
        makeRowLabel({246, middle ? 21.0f : 10.0f, 42, 21}, "mSv", "Helvetica", 12, detailGrey);
    cell->addSubview(unit);
    auto line = std::make_shared<View>(Rect{246, middle ? 38.0f : 27.0f, 24, 1});
    line->setBackgroundColor(Color::lightGray());
    line->setUserInteractionEnabled(false);
    cell->addSubview(line);

    auto help = std::make_shared<Button>(Rect{236, 5, 44, 41});
    help->setName("msvHelpButton");
    help->setAccessibilityLabel("About Millisieverts");
    help->addTarget(ControlEvent::TouchUpInside,
                    [onDoseTapped = std::move(onDoseTapped)](Control&) {
                        if (onDoseTapped) onDoseTapped();
                    });
    cell->addSubview(help);
    // Read as one sentence: "CT, Head, 1 test on March 14, 2026, 2.00 millisieverts".
    cell->setAccessibilityLabel(testDescription(test) + ", " + value->text() + " millisieverts");
    return cell;
}

} // namespace mevara

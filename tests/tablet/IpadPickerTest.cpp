#include "tablet/IpadPicker.h"

#include "support/ToolkitFixture.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"
#include "toolkit/sdl/SdlFontEngine.h"

#include <string>
#include <vector>

namespace mevara {
namespace {

class Listener : public IpadPickerDelegate {
public:
    void pickerPickedValue(IpadPicker& picker, const std::string& value) override {
        heard.push_back(picker.title() + "=" + value);
    }
    std::vector<std::string> heard;
};

std::vector<std::string> counts(int last) {
    std::vector<std::string> all;
    for (int i = 1; i <= last; ++i)
        all.push_back(std::to_string(i));
    return all;
}

class IpadPickerTest : public testsupport::ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        Application::shared().setFontEngine(std::make_shared<sdl::SdlFontEngine>());
    }
    // Shows the picker in the window's top left corner, as the wizard shows it beside a row.
    std::shared_ptr<IpadPicker> open(std::vector<std::string> choices,
                                     std::optional<std::string> checked = {}) {
        auto picker =
            IpadPicker::pickerWithTitle("Age", std::move(choices), std::move(checked), listener);
        window->addSubview(picker->view());
        window->layoutIfNeeded();
        return picker;
    }
    void tapRow(const IpadPicker& picker, int row) {
        const Rect r = picker.table()->rectForRowAtIndexPath({0, row});
        window->tap(picker.table()->convertPointToView({r.x + 40, r.y + r.height / 2}, nullptr));
    }
    static std::shared_ptr<Label> label(const IpadPicker& picker, int row) {
        auto cell = picker.table()->cellForRowAtIndexPath({0, row});
        for (const auto& sub : cell->subviews())
            if (sub->name() == "choice") return std::dynamic_pointer_cast<Label>(sub);
        return nullptr;
    }
    static bool checked(const IpadPicker& picker, int row) {
        const auto& subs = picker.table()->cellForRowAtIndexPath({0, row})->subviews();
        const bool marked = std::any_of(subs.begin(), subs.end(), [](const auto& sub) {
            auto check = std::dynamic_pointer_cast<ImageView>(sub);
            return check && check->image() && check->image()->name() == "checkmark.png" &&
                   check->frame() == Rect{254, 13, 11, 15};
        });
        EXPECT_EQ(label(picker, row)->textColor(), marked ? Color::blue() : Color::black()) << row;
        return marked;
    }

    std::shared_ptr<Listener> listener = std::make_shared<Listener>();
};

TEST_F(IpadPickerTest, FewChoicesFitTheBoxAndManyScroll) {
    for (int n : {2, 7, 9}) {
        auto picker = open(counts(n));
        const Rect frame = picker->tableFrame()->frame();
        const float rows = 42.0f * static_cast<float>(n);
        EXPECT_EQ(frame.height, rows + 8) << n;
        EXPECT_EQ(picker->tableBackground()->frame().height, rows + 28) << n;
        EXPECT_EQ(picker->table()->frame(),
                  (Rect{frame.x + 1, frame.y + 4, frame.width - 2, rows - 1}));
        EXPECT_EQ(picker->view()->frame().height, picker->tableBackground()->frame().maxY());
        EXPECT_EQ(picker->table()->contentOffset().y, 0);
        picker->view()->removeFromSuperview();
    }
    auto picker = open(counts(99));
    EXPECT_EQ(picker->table()->rowHeight(), 42);
    EXPECT_EQ(picker->table()->numberOfRows(), 99);
    const Rect table = picker->table()->frame();
    // Between nine and ten rows show, so the cut row tells that the list goes on.
    EXPECT_GT(table.height, 9 * 42);
    EXPECT_LT(table.height, 10 * 42);
    EXPECT_LE(table.maxY(), picker->tableFrame()->frame().maxY());
    EXPECT_LE(picker->tableFrame()->frame().maxY(), picker->tableBackground()->frame().maxY());
    EXPECT_EQ(picker->view()->frame().height, picker->tableBackground()->frame().maxY());
}

TEST_F(IpadPickerTest, TheCheckedRowIsCentredAndMarked) {
    auto choices = counts(99);
    choices[79] = "50";
    auto picker = open(choices, "50");
    auto table = picker->table();
    const Rect row = table->rectForRowAtIndexPath({0, 49});
    EXPECT_FLOAT_EQ(table->contentOffset().y + table->bounds().height / 2, row.y + row.height / 2);
    EXPECT_TRUE(checked(*picker, 49));
    EXPECT_TRUE(checked(*picker, 79));
    EXPECT_FALSE(checked(*picker, 48));

    picker = open({"Male", "Female"}, "Other");
    EXPECT_FALSE(checked(*picker, 0));
    EXPECT_FALSE(checked(*picker, 1));
}

TEST_F(IpadPickerTest, OnlyShortCountsAreCentred) {
    const std::vector<std::string> choices{"1", "99", "No", "0", "70+", "100", "-5"};
    auto picker = open(choices);
    for (int i = 0; i < static_cast<int>(choices.size()); ++i) {
        auto text = label(*picker, i);
        ASSERT_TRUE(text);
        EXPECT_EQ(text->textAlignment(), i < 2 ? TextAlignment::Center : TextAlignment::Left)
            << text->text();
        EXPECT_EQ(text->frame(), (Rect{17, 10, 229, 21}));
    }
}

TEST_F(IpadPickerTest, ARowOrDismissalAnswersTheDelegateWhileItLives) {
    auto picker = open({"0 - 18", "19 - 29", "70+"}, "70+");
    tapRow(*picker, 1);
    picker->dismiss();
    open({"Male", "Female"})->dismiss();
    EXPECT_EQ(listener->heard, (std::vector<std::string>{"Age=19 - 29", "Age=70+", "Age="}));

    picker = open({"Male", "Female"}, "Male");
    listener.reset();
    tapRow(*picker, 1);
    picker->dismiss();
}

} // namespace
} // namespace mevara

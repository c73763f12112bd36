#pragma once

#include "toolkit/Font.h"
#include "toolkit/TextLayout.h"
#include "toolkit/View.h"

#include <optional>
#include <string>

namespace mevara {

// Text in a frame: one line by default, tail truncation, centred vertically. Takes no
// touches unless a screen enables them, so a tap reaches what lies behind.
class Label : public View {
public:
    Label();
    explicit Label(Rect frame);
    std::string className() const override { return "Label"; }

    const std::string& text() const { return text_; }
    void setText(std::string text);
    const Font& font() const { return font_; }
    // A font that does not exist (none) leaves the label's font as it was.
    void setFont(const std::optional<Font>& font);
    Color textColor() const { return textColor_; }
    void setTextColor(Color color);
    // None: a highlighted label keeps its text colour.
    std::optional<Color> highlightedTextColor() const { return highlightedTextColor_; }
    void setHighlightedTextColor(std::optional<Color> color);
    bool isHighlighted() const { return highlighted_; }
    void setHighlighted(bool highlighted);
    TextAlignment textAlignment() const { return alignment_; }
    void setTextAlignment(TextAlignment alignment);
    int numberOfLines() const { return lines_; }
    void setNumberOfLines(int lines);
    LineBreakMode lineBreakMode() const { return lineBreak_; }
    void setLineBreakMode(LineBreakMode mode);
    std::optional<Color> shadowColor() const { return shadowColor_; }
    void setShadowColor(std::optional<Color> color);
    Size shadowOffset() const { return shadowOffset_; }
    void setShadowOffset(Size offset);
    bool adjustsFontSizeToFitWidth() const { return adjusts_; }
    void setAdjustsFontSizeToFitWidth(bool adjusts);
    float minimumFontSize() const { return minimumFontSize_; }
    void setMinimumFontSize(float size);

    // The lines as drawn in a frame of `size`, after shrinking to fit. Kept until the text,
    // a setting that shapes it or the size changes, so drawing a frame lays out nothing.
    const TextLayout& layout(Size size) const;
    const TextLayout& layout() const { return layout({frame().width, frame().height}); }
    // The size `text` takes in this label's font and line break mode within `bounds`
    // (9999 x 9999: its one-line width), measured by the engine that draws.
    Size sizeOfText(std::string_view text, Size bounds) const;
    // Lays the lines out with the window's layout, so that a frame only draws them.
    void layoutIfNeeded() override;

protected:
    void draw(Painter& painter, const Rect& bounds, double time) const override;
    bool defaultIsAccessibilityElement() const override { return !text_.empty(); }
    std::string defaultAccessibilityLabel() const override { return text_; }
    unsigned defaultAccessibilityTraits() const override { return TraitStaticText; }

private:
    // A setting that shapes the lines changed.
    void relayout();

    std::string text_;
    Font font_ = Font::defaultFont();
    Color textColor_ = Color::black();
    std::optional<Color> highlightedTextColor_;
    bool highlighted_ = false;
    TextAlignment alignment_ = TextAlignment::Left;
    int lines_ = 1;
    LineBreakMode lineBreak_ = LineBreakMode::TailTruncation;
    std::optional<Color> shadowColor_;
    Size shadowOffset_{0, -1};
    bool adjusts_ = false;
    float minimumFontSize_ = 0;
    mutable std::optional<TextLayout> layout_;
    mutable Size layoutSize_;
    mutable const FontEngine* layoutEngine_ = nullptr;
};

// Draws laid-out lines in `box` with an alignment, centred vertically; shared by labels and
// button titles.
void drawTextLayout(Painter& painter, const TextLayout& layout, const Rect& box,
                    TextAlignment alignment, Color color, std::optional<Color> shadow,
                    Size shadowOffset);

} // namespace mevara

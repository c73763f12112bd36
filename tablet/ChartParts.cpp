#include "tablet/ChartParts.h"

#include "comparisons/BarGeometry.h"
#include "comparisons/BarScale.h"
#include "comparisons/ChartText.h"
#include "model/UserData.h"
#include "tablet/TabletText.h"
#include "tablet/TabletWidgets.h"
#include "tablet/WelcomeController.h"
#include "toolkit/Image.h"
#include "toolkit/ImageView.h"
#include "toolkit/Label.h"

namespace mevara::chart {
namespace {

constexpr int tickCount = 6;
constexpr float tickSpacing = 100;
constexpr Size tickSize{10, 1};
constexpr Size tickLabelSize{26, 21};
// Tick labels sit centred on their mark; the unit hangs just below the zero mark.
constexpr float tickLabelAbove = 10;
constexpr float unitBelow = 5;
constexpr float maleShift = 20;
// The bar pictures repeat the row below their rounded top.
constexpr int barTopCap = 10;

std::string tickName(const std::string& prefix, int i) {
    return prefix + "tick" + std::to_string(i);
}

std::string tickValueName(const std::string& prefix, int i) {
    return tickName(prefix, i) + "Value";
}

bool showsMale(const ImageView& doctor) {
    return doctor.image() && doctor.image()->name() == "doctor-male.png";
}

} // namespace

std::shared_ptr<Label> label(const std::string& text, const Font& font, Color color,
                             TextAlignment alignment, int lines) {
    auto made = makeTabletLabel(text, font.name.c_str(), font.pointSize, color);
    made->setTextAlignment(alignment);
    made->setNumberOfLines(lines);
    made->setShadowOffset({0, -1});
    made->setAdjustsFontSizeToFitWidth(true);
    made->setMinimumFontSize(10);
    return made;
}

std::shared_ptr<Label> balloonLabel(const std::string& text, const Font& font,
                                    TextAlignment alignment, int lines) {
    auto made = label(text, font, Color::white(), alignment, lines);
    made->setShadowColor(Color::white(0.333f));
    return made;
}

std::shared_ptr<ImageView> bar(const char* picture) {
    auto made = std::make_shared<ImageView>();
    if (auto image = Image::named(picture)) made->setImage(image->stretchableImage(0, barTopCap));
    return made;
}

std::shared_ptr<ImageView> centredImage(const char* picture) {
    auto made = makeImage(picture);
    made->setContentMode(ContentMode::Center);
    return made;
}

void addAxis(WelcomeController& w, const std::string& prefix, const Font& font) {
    for (int i = 0; i < tickCount; ++i)
        w.addWidget(tickName(prefix, i), makeImage("scale-tick-mark.png"));
    for (int i = 0; i < tickCount; ++i)
        w.addWidget(tickValueName(prefix, i),
                    label(std::to_string(5 * i), font, Color::black(), TextAlignment::Right));
    w.addWidget(prefix + "axisUnits", label("mSv", font, Color::black(), TextAlignment::Right));
}

std::vector<std::string> axisNames(const std::string& prefix) {
    std::vector<std::string> names;
    for (int i = 0; i < tickCount; ++i)
        names.push_back(tickName(prefix, i));
    for (int i = 0; i < tickCount; ++i)
        names.push_back(tickValueName(prefix, i));
    names.push_back(prefix + "axisUnits");
    return names;
}

void layOutAxis(WelcomeController& w, const std::string& prefix, float tickX, float zeroY,
                float labelX) {
    for (int i = 0; i < tickCount; ++i) {
        const float y = zeroY - tickSpacing * static_cast<float>(i);
        w.setFrame(tickName(prefix, i), {tickX, y, tickSize.width, tickSize.height});
        w.setFrame(tickValueName(prefix, i),
                   {labelX, y - tickLabelAbove, tickLabelSize.width, tickLabelSize.height});
    }
    w.setFrame(prefix + "axisUnits",
               {labelX, zeroY + unitBelow, tickLabelSize.width, tickLabelSize.height});
}

float chooseScale(WelcomeController& w, float largestValue) {
    w.setScale(BarScale::scaleFor(largestValue, w.scale()));
    return w.scale();
}

void writeTicks(WelcomeController& w, const std::string& prefix, float scale) {
    const auto values = BarScale::tickValues(scale);
    for (int i = 1; i < tickCount; ++i)
        if (auto tick = w.widget<Label>(tickValueName(prefix, i)))
            tick->setText(ChartText::shortText(values[static_cast<std::size_t>(i - 1)]));
}

float pointsPerMsv(WelcomeController& w, const std::string& prefix, float scale) {
    auto zero = w.widget(tickName(prefix, 0));
    auto top = w.widget(tickName(prefix, tickCount - 1));
    if (!zero || !top) return 0;
    return TabletBars::pointsPerMsv(zero->frame().y, top->frame().y, scale);
}

void raiseBar(WelcomeController& w, const std::string& bar, const std::string& label,
              const std::string& container, float value, float pointsPerMsv) {
    auto view = w.widget(bar);
    if (!view) return;
    const Rect frame = TabletBars::barFrame(view->frame(), value, pointsPerMsv);
    view->setFrame(frame);
    if (auto moved = w.widget(label))
        moved->setFrame(TabletBars::valueLabelFrame(moved->frame(), frame.y));
    if (auto moved = w.widget(container))
        moved->setFrame(TabletBars::valueContainerFrame(moved->frame(), frame.y));
}

void layOutDoctor(WelcomeController& w, const std::string& name, Rect frame) {
    auto doctor = w.widget<ImageView>(name);
    if (!doctor) return;
    doctor->setImage(Image::named("doctor-female.png"));
    doctor->setFrame(frame);
}

void dressDoctor(WelcomeController& w, const std::string& name) {
    auto doctor = w.widget<ImageView>(name);
    if (!doctor) return;
    const bool male = UserData::instance().gender() == "Male";
    if (male == showsMale(*doctor)) return;
    Rect frame = doctor->frame();
    frame.x += male ? -maleShift : maleShift;
    doctor->setImage(Image::named(male ? "doctor-male.png" : "doctor-female.png"));
    doctor->setFrame(frame);
}

void setAlpha(WelcomeController& w, const std::vector<std::string>& names, float alpha) {
    for (const auto& name : names)
        if (auto view = w.widget(name)) view->setAlpha(alpha);
}

void release(WelcomeController& w, const std::vector<std::string>& names) {
    for (const auto& name : names)
        w.setWidget(name, nullptr);
}

} // namespace mevara::chart

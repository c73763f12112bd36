#pragma once

#include "platform/Geometry.h"
#include "toolkit/Color.h"
#include "toolkit/Font.h"
#include "toolkit/TextLayout.h"

#include <memory>
#include <string>
#include <vector>

namespace mevara {

class ImageView;
class Label;
class View;
class WelcomeController;

// The pieces the results step and the detail pages build their charts from. Widgets are
// named by a prefix ("step4_", "more_flights_") and the part's name.
namespace chart {

constexpr Color textBlue = Color::rgb(0.2f, 0.4f, 0.8f);

// A clear label whose font shrinks to fit its width down to 10 points.
std::shared_ptr<Label> label(const std::string& text, const Font& font, Color color,
                             TextAlignment alignment = TextAlignment::Left, int lines = 1);
// White text on the doctor's balloons, with a faint shadow.
std::shared_ptr<Label> balloonLabel(const std::string& text, const Font& font,
                                    TextAlignment alignment = TextAlignment::Left, int lines = 0);
std::shared_ptr<ImageView> bar(const char* picture);
// A picture kept at its own size in the middle of its frame.
std::shared_ptr<ImageView> centredImage(const char* picture);

// The axis: marks tick0 (zero) to tick5 (top) 100 points apart, their value labels and the
// unit below the zero mark.
void addAxis(WelcomeController& w, const std::string& prefix, const Font& font);
std::vector<std::string> axisNames(const std::string& prefix);
void layOutAxis(WelcomeController& w, const std::string& prefix, float tickX, float zeroY,
                float labelX);
// Chooses the wizard's shared scale from the largest value shown.
float chooseScale(WelcomeController& w, float largestValue);
// Writes tick1 to tick5 for `scale`; the zero mark keeps "0".
void writeTicks(WelcomeController& w, const std::string& prefix, float scale);
float pointsPerMsv(WelcomeController& w, const std::string& prefix, float scale);
// Raises the bar from its bottom edge to stand for `value`; the value label and its
// container ride on its top. Call inside the chart's animation block.
void raiseBar(WelcomeController& w, const std::string& bar, const std::string& label,
              const std::string& container, float value, float pointsPerMsv);

// The layout puts the female doctor in place; filling the state dresses the doctor for a
// male user 20 points further left. Both can run any number of times.
void layOutDoctor(WelcomeController& w, const std::string& name, Rect frame);
void dressDoctor(WelcomeController& w, const std::string& name);

void setAlpha(WelcomeController& w, const std::vector<std::string>& names, float alpha);
void release(WelcomeController& w, const std::vector<std::string>& names);

} // namespace chart
} // namespace mevara

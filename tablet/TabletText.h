#pragma once

#include <string>

namespace mevara {

class Label;

// Tablet texts may carry "&lquot;" and "&rquot;" for curly double quotes; they become
// the quotes whenever a tablet label's text is set.
std::string tabletText(std::string text);
void setTabletText(Label& label, const std::string& text);

} // namespace mevara

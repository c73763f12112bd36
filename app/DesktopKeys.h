#pragma once

namespace mevara {

class Window;

// Escape on the desktop: presses the front-most Back button a person could tap, as a
// finger would. False when the screen has none.
bool pressBackButton(const Window& window);

} // namespace mevara

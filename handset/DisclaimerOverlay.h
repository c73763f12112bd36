#pragma once

namespace mevara {

class View;

// The once-a-week notice over a dimmed screen, on both devices: brought to the front and
// faded in ("disclaimerIn"), then faded out ("disclaimer") when accepted.
void showDisclaimerOverlay(View& root, View& disclaimer, View* background);
void acceptDisclaimerOverlay(View* disclaimer, View* background);

} // namespace mevara

#pragma once

#include <string>

namespace mevara {

class WebView;
class WelcomeController;

// Shows the shipped information page `file` in the bar's panel: clear, not opaque and
// without bouncing, its links and pictures resolving next to the page.
void loadInformationPage(WebView& view, const std::string& file);
// Drops the open panel behind the bar again; a strip of it stays under the bar.
void lowerInformationPanel(WelcomeController& w);

} // namespace mevara

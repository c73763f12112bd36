#include "handset/DisclaimerOverlay.h"

#include "toolkit/RunLoop.h"
#include "toolkit/View.h"

namespace mevara {

void showDisclaimerOverlay(View& root, View& disclaimer, View* background) {
    auto& loop = RunLoop::main();
    loop.beginAnimations("disclaimerIn");
    root.bringSubviewToFront(&disclaimer);
    if (background) background->setAlpha(0.75f);
    disclaimer.setAlpha(1);
    loop.commitAnimations();
}

void acceptDisclaimerOverlay(View* disclaimer, View* background) {
    auto& loop = RunLoop::main();
    loop.beginAnimations("disclaimer");
    if (background) background->setAlpha(0);
    if (disclaimer) disclaimer->setAlpha(0);
    loop.commitAnimations();
}

} // namespace mevara

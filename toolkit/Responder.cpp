#include "toolkit/Responder.h"

#include "toolkit/View.h"

namespace mevara {

Point Touch::locationInView(const View* view) const {
    return view ? view->convertPointFromView(windowLocation, nullptr) : windowLocation;
}

Point Touch::previousLocationInView(const View* view) const {
    return view ? view->convertPointFromView(previousWindowLocation, nullptr)
                : previousWindowLocation;
}

void Responder::touchesBegan(const TouchSet& touches) {
    if (auto* next = nextResponder()) next->touchesBegan(touches);
}

void Responder::touchesMoved(const TouchSet& touches) {
    if (auto* next = nextResponder()) next->touchesMoved(touches);
}

void Responder::touchesEnded(const TouchSet& touches) {
    if (auto* next = nextResponder()) next->touchesEnded(touches);
}

void Responder::touchesCancelled(const TouchSet& touches) {
    if (auto* next = nextResponder()) next->touchesCancelled(touches);
}

} // namespace mevara

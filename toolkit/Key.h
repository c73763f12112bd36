#pragma once

namespace mevara {

// The keys that work a screen without a pointer, as every host reports them.
enum class Key { Tab, BackTab, Activate, Up, Down, Left, Right, Escape };

} // namespace mevara

#pragma once

#include <cstdlib>
#include <string>

namespace mevara::web {

// A UTF-8 text that JavaScript wrote into memory it took with _malloc, as a string; the
// memory goes back.
inline std::string takeJsText(char* text) {
    std::string copy(text ? text : "");
    std::free(text);
    return copy;
}

} // namespace mevara::web

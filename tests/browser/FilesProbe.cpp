// The file services as the browser build runs them, reachable from a JavaScript test.
#include "platform/TextFile.h"

#include <emscripten/bind.h>

namespace {

bool write(const std::string& path, const std::string& bytes) {
    return mevara::TextFile::writeAtomically(path, bytes);
}

std::string read(const std::string& path) {
    return mevara::TextFile::readUtf8(path).value_or("<none>");
}

void removeLeftovers(const std::string& path) {
    mevara::TextFile::removeLeftovers(path);
}

} // namespace

EMSCRIPTEN_BINDINGS(files_probe) {
    emscripten::function("writeAtomically", &write);
    emscripten::function("readUtf8", &read);
    emscripten::function("removeLeftovers", &removeLeftovers);
}

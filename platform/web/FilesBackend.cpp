#include "platform/FilesBackend.h"

#include <emscripten.h>

namespace mevara::filesbackend {

// The page copies the file system to IndexedDB (platform/web/persistence.js).
void changed() {
    EM_ASM({
        if (Module["mevaraFilesChanged"]) Module["mevaraFilesChanged"]();
    });
}

} // namespace mevara::filesbackend

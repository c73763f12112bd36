#include "platform/FilesBackend.h"

namespace mevara::filesbackend {

// The disk keeps what was written; a replace is already durable.
void changed() {}

} // namespace mevara::filesbackend

#pragma once

// Where the application's files live beyond the running program: the disk on the desktop
// (desktop/), IndexedDB in the browser (web/), which must hear of each change.
namespace mevara::filesbackend {

// A file was replaced, kept aside or removed.
void changed();

} // namespace mevara::filesbackend

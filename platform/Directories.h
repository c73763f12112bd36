#pragma once

#include <filesystem>

namespace mevara {

// Where the application keeps its files: documents (the user's data), caches
// (the fetched catalogue) and the read-only resources shipped with it.
struct Directories {
    std::filesystem::path documents;
    std::filesystem::path caches;
    std::filesystem::path resources;

    // Documents and caches under the XDG data and cache homes; resources next to
    // the executable (build tree) or in the install's share folder.
    static Directories defaults();

    // The person's own documents folder, where files meant for them go: XDG_DOCUMENTS_DIR
    // from the user-dirs file, else ~/Documents when it exists, else the home folder.
    static std::filesystem::path userDocuments();

    static Directories current();
    static void configure(Directories directories);
    static void reset();
};

} // namespace mevara

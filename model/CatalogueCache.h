#pragma once

#include "model/CatalogueIndex.h"
#include "platform/FileIdentity.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

namespace mevara {

// Remembers the catalogue parsed from a set of files together with what each
// file was on disk, and loads it again only when one of them changed, appeared
// or went away. Every request still looks at the files, so a refresh shows at
// the next one. Safe to use from any thread.
class CatalogueCache {
public:
    using Load = std::function<std::shared_ptr<const CatalogueIndex>()>;

    // The remembered catalogue if `files` are as they were when it was loaded;
    // otherwise the result of `load`, remembered from now on.
    std::shared_ptr<const CatalogueIndex> get(const std::vector<std::filesystem::path>& files,
                                              const Load& load);
    void reset();

private:
    using Sources = std::vector<std::pair<std::filesystem::path, std::optional<FileIdentity>>>;

    std::mutex mutex_;
    Sources sources_;
    std::shared_ptr<const CatalogueIndex> catalogue_;
};

} // namespace mevara

#include "CatalogueCache.h"

namespace mevara {

std::shared_ptr<const CatalogueIndex>
CatalogueCache::get(const std::vector<std::filesystem::path>& files, const Load& load) {
    // Looked at before reading: a file replaced in between is then remembered
    // under its old identity and simply loaded once more at the next request.
    Sources sources;
    sources.reserve(files.size());
    for (const auto& file : files)
        sources.emplace_back(file, FileIdentity::of(file));

    // Held while loading, so that two readers never parse the same file twice.
    std::lock_guard lock(mutex_);
    if (!catalogue_ || sources != sources_) {
        catalogue_ = load();
        sources_ = std::move(sources);
    }
    return catalogue_;
}

void CatalogueCache::reset() {
    std::lock_guard lock(mutex_);
    catalogue_.reset();
    sources_.clear();
}

} // namespace mevara

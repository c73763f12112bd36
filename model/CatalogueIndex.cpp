#include "CatalogueIndex.h"

#include "platform/Unicode.h"

#include <functional>
#include <iterator>

namespace mevara {

CatalogueIndex::CatalogueIndex(std::vector<std::shared_ptr<Test>> entries)
    : entries_(std::make_move_iterator(entries.begin()), std::make_move_iterator(entries.end())) {
    lastByKey_.reserve(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Test& entry = *entries_[i];
        // An entry without both fields matches no record.
        if (!entry.testName() || !entry.location()) continue;
        // Later entries overwrite earlier ones: the last in the document decides.
        lastByKey_[{unicode::canonicalForm(*entry.testName()),
                    unicode::canonicalForm(*entry.location())}] = i;
    }
}

const Test* CatalogueIndex::find(const Test& record) const {
    if (!record.testName() || !record.location()) return nullptr;
    auto found = lastByKey_.find(
        {unicode::canonicalForm(*record.testName()), unicode::canonicalForm(*record.location())});
    return found == lastByKey_.end() ? nullptr : entries_[found->second].get();
}

std::size_t CatalogueIndex::KeyHash::operator()(const Key& key) const {
    std::hash<std::string> hash;
    return hash(key.first) * 31 + hash(key.second);
}

} // namespace mevara

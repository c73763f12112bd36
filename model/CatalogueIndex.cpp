#include "CatalogueIndex.h"

#include "model/CatalogueRenames.h"
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

const Test* CatalogueIndex::find(const Key& key) const {
    auto found = lastByKey_.find(key);
    return found == lastByKey_.end() ? nullptr : entries_[found->second].get();
}

const Test* CatalogueIndex::find(const Test& record) const {
    if (!record.testName() || !record.location()) return nullptr;
    Key key{unicode::canonicalForm(*record.testName()), unicode::canonicalForm(*record.location())};
    if (const Test* entry = find(key)) return entry;
    for (const auto& rename : catalogueRenames()) {
        if (key.first != unicode::canonicalForm(rename.testName)) continue;
        const std::string former = unicode::canonicalForm(rename.formerLocation);
        const std::string current = unicode::canonicalForm(rename.location);
        if (key.second == former) {
            if (const Test* entry = find(Key{key.first, current})) return entry;
        } else if (key.second == current) {
            if (const Test* entry = find(Key{key.first, former})) return entry;
        }
    }
    return nullptr;
}

std::optional<std::string> CatalogueIndex::renamedLocation(const Test& record) const {
    const Test* entry = find(record);
    if (!entry || unicode::compareCanonical(*entry->location(), *record.location()) == 0)
        return std::nullopt;
    return entry->location();
}

std::size_t CatalogueIndex::KeyHash::operator()(const Key& key) const {
    std::hash<std::string> hash;
    return hash(key.first) * 31 + hash(key.second);
}

} // namespace mevara

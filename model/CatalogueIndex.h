#pragma once

#include "model/Test.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace mevara {

// One parsed catalogue, read-only, with its entries indexed by test name and
// body part so that a dose lookup does not walk the whole list.
class CatalogueIndex {
public:
    using Entries = std::vector<std::shared_ptr<const Test>>;

    explicit CatalogueIndex(std::vector<std::shared_ptr<Test>> entries);

    // In document order.
    const Entries& entries() const { return entries_; }

    // The last entry whose test name and body part compare as the same as the
    // record's (Test::compare without dates); failing that, the entry that the
    // record's body part was renamed to or from; or null.
    const Test* find(const Test& record) const;

    // The catalogue's own body part for a record that matches only through a
    // rename, so that the forms offer it and later lookups need no detour.
    std::optional<std::string> renamedLocation(const Test& record) const;

private:
    using Key = std::pair<std::string, std::string>;
    const Test* find(const Key& key) const;

    struct KeyHash {
        std::size_t operator()(const Key& key) const;
    };

    Entries entries_;
    std::unordered_map<Key, std::size_t, KeyHash> lastByKey_;
};

} // namespace mevara

#pragma once

#include <span>
#include <string_view>

namespace mevara {

// Body parts the catalogue once called by another name. Saved tests keep the
// name they were recorded under, and a catalogue fetched before a rename still
// uses the old one, so a lookup tries both.
struct CatalogueRename {
    std::string_view testName;
    std::string_view formerLocation;
    std::string_view location;
};

std::span<const CatalogueRename> catalogueRenames();

} // namespace mevara

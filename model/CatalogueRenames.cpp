#include "CatalogueRenames.h"

#include <array>

namespace mevara {

std::span<const CatalogueRename> catalogueRenames() {
    static constexpr std::array renames{
        CatalogueRename{"X-Ray", "Hand or Foot", "Hand, Arm, Foot or Leg"},
    };
    return renames;
}

} // namespace mevara

#include "CatalogueRenames.h"

#include <array>

namespace mevara {

std::span<const CatalogueRename> catalogueRenames() {
    static constexpr std::array renames{
        CatalogueRename{"X-Ray", "Hand or Foot", "Arm or Leg (Hand, Wrist, Foot, Ankle)"},
    };
    return renames;
}

} // namespace mevara

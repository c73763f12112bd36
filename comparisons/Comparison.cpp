#include "Comparison.h"

namespace mevara {

const ComparisonReference& ComparisonReferences::reference(Comparison comparison) {
    return all[static_cast<std::size_t>(comparison)];
}

} // namespace mevara

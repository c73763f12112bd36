// Any bytes as a catalogue document: parsing and the refresh's check must never
// crash, every entry must be a whole one, and a body the check takes must read
// as at least one entry with a dose of 0 or more.
#include "model/CatalogueDocument.h"
#include "model/TestData.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto catalogue = mevara::TestData::parse(text);
    for (const auto& entry : catalogue) {
        if (!entry->testName() || !entry->location() || entry->numberOfTests() != 1) std::abort();
    }
    if (mevara::CatalogueDocument::isCatalogue(text)) {
        if (catalogue.empty()) std::abort();
        for (const auto& entry : catalogue)
            if (!std::isfinite(entry->milliseverts()) || entry->milliseverts() < 0) std::abort();
    }
    return 0;
}

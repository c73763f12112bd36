// Any bytes as a catalogue document: parsing must never crash, and every entry
// it yields must be a whole one.
#include "model/TestData.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const auto& entry : mevara::TestData::parse(text)) {
        if (!entry->testName() || !entry->location() || entry->numberOfTests() != 1) std::abort();
    }
    return 0;
}

// Any bytes as the user data file (XML in any of its encodings, or binary): loading must
// never crash, and what was loaded must survive a save and a second load.
#include "model/UserData.h"
#include "platform/Directories.h"
#include "platform/PropertyList.h"
#include "platform/TextFile.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <unistd.h>

namespace {

void useScratchFolders() {
    static bool done = false;
    if (done) return;
    done = true;
    auto dir =
        std::filesystem::temp_directory_path() / ("mevara-fuzz-" + std::to_string(::getpid()));
    mevara::Directories::configure({dir / "Documents", dir / "Caches", dir / "Resources"});
    mevara::TextFile::writeAtomically(dir / "Resources/testlist.xml",
                                      "<t name='CT' location='Chest' milliseverts='7'/>\n"
                                      "<t name='X-Ray' location='Knee' milliseverts='0.005'/>\n");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    useScratchFolders();
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto dictionary = mevara::PropertyList::dictionaryFromBytes(bytes);
    mevara::UserData first;
    first.loadFromDictionary(dictionary.value_or(mevara::PlistDictionary{}));
    first.calculateTotal();
    first.averageExposureForAge();

    auto saved = mevara::PropertyList::dictionaryFromXml(
        mevara::PropertyList::xmlFromDictionary(first.dictionary()));
    if (!saved) std::abort();
    mevara::UserData second;
    second.loadFromDictionary(*saved);
    // With saving off the tests are read but never written.
    const std::size_t written = first.saveData() ? first.tests().size() : 0;
    if (second.saveData() != first.saveData() || second.tests().size() != written) std::abort();
    return 0;
}

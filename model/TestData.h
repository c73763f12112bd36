#pragma once

#include "model/CatalogueIndex.h"
#include "model/Test.h"
#include "platform/HttpClient.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mevara {

// The catalogue of test types and body parts with the typical dose of one test,
// from the cached copy or else the shipped one. Every request looks at the files
// on disk, so a refresh shows at the next request, but a file is parsed only
// once: the parse is kept until the file in use changes.
class TestData {
public:
    using Catalogue = std::vector<std::shared_ptr<Test>>;

    // Refreshes refuse larger answers; the shipped catalogue is under 5 KB.
    static constexpr std::size_t refreshSizeLimit = 1024 * 1024;

    // The catalogue as the files on disk hold it now, shared and read-only.
    static std::shared_ptr<const CatalogueIndex> catalogue();
    // A copy of its entries that the caller owns and may change.
    static Catalogue testArray();

    // Distinct test names on a body part (all when the filter is empty or
    // absent), sorted ignoring case.
    static std::vector<std::string>
    testNamesForLocation(const std::optional<std::string>& location);
    // Distinct body parts for a test name, the same way.
    static std::vector<std::string> bodyPartsForTest(const std::optional<std::string>& testName);

    // Forgets the kept parse, so the next request reads the files again.
    static void resetTestArray();

    // Fetches the catalogue from the service and caches it. The cached copy is
    // replaced only by a whole 2xx answer in UTF-8 of at most refreshSizeLimit
    // bytes that CatalogueDocument takes for a catalogue, so a failed or odd
    // answer never takes the doses away. Blocks; meant to run on a background
    // thread. `serviceUrl` is the scheme, host and port; a raised `cancel` flag
    // ends the request early and keeps the cache as it was.
    static void loadTestData(const std::string& serviceUrl,
                             std::chrono::milliseconds timeout = HttpClient::defaultTimeout,
                             const std::atomic<bool>* cancel = nullptr);

    // The second half of a refresh, for a request made elsewhere (the browser's fetch):
    // caches the answer when the rules above take it. True when it did.
    static bool acceptRefresh(const HttpResponse& response);

    // Removes what refreshes cut short left in the caches folder. Only before the first
    // refresh starts: a running one may be writing there.
    static void removeLeftovers();

    // Lenient: one entry per line of 11 or more UTF-16 code units that holds a
    // name and a location; see the shipped file.
    static Catalogue parse(std::string_view text);

    static std::string requestUrl(const std::string& serviceUrl);
    static std::filesystem::path cachedPath();
    static std::filesystem::path shippedPath();
};

} // namespace mevara

#include "TestData.h"

#include "model/CatalogueCache.h"
#include "model/CatalogueDocument.h"
#include "platform/Directories.h"
#include "platform/NumberParsing.h"
#include "platform/TextFile.h"
#include "platform/Unicode.h"

#include <algorithm>
#include <set>

namespace mevara {

namespace {

constexpr std::size_t shortestEntryLine = 11;

enum class Attribute { Missing, Unclosed, Found };

// The text after the first case-insensitive occurrence of key up to the next
// single quote.
Attribute attribute(std::string_view line, std::string_view key, std::string_view& value) {
    std::size_t start = unicode::findEndCaseInsensitive(line, key);
    if (start == std::string_view::npos) return Attribute::Missing;
    std::size_t end = line.find('\'', start);
    if (end == std::string_view::npos) return Attribute::Unclosed;
    value = line.substr(start, end - start);
    return Attribute::Found;
}

CatalogueCache& cache() {
    static CatalogueCache kept;
    return kept;
}

using Field = const std::optional<std::string>& (Test::*)() const;

std::vector<std::string> distinct(const std::optional<std::string>& filter, Field filterField,
                                  Field otherField) {
    std::set<std::string> values;
    const bool all = !filter || filter->empty();
    // Held here: a refresh may drop the kept catalogue while this walks it.
    const auto catalogue = TestData::catalogue();
    for (const auto& entry : catalogue->entries()) {
        const auto& field = (*entry.*filterField)();
        if (all || (field && unicode::compareCanonical(*field, *filter) == 0)) {
            if (const auto& other = (*entry.*otherField)()) values.insert(*other);
        }
    }
    std::vector<std::string> sorted(values.begin(), values.end());
    // Names equal but for case keep code point order, so the order is stable.
    std::stable_sort(sorted.begin(), sorted.end(), [](const std::string& a, const std::string& b) {
        return unicode::compareCaseInsensitive(a, b) < 0;
    });
    return sorted;
}

} // namespace

TestData::Catalogue TestData::parse(std::string_view text) {
    Catalogue catalogue;
    catalogue.reserve(100);
    for (std::string_view line : unicode::splitLines(text)) {
        if (line.size() < shortestEntryLine || unicode::utf16Length(line) < shortestEntryLine)
            continue;
        std::string_view location, name, dose;
        // A line without a body part or test name, or with an unclosed value, is
        // no usable entry: skip it rather than guess.
        if (attribute(line, "location='", location) != Attribute::Found) continue;
        if (attribute(line, "name='", name) != Attribute::Found) continue;
        Attribute doseAttribute = attribute(line, "milliseverts='", dose);
        if (doseAttribute == Attribute::Unclosed) continue;
        float milliseverts = doseAttribute == Attribute::Found ? numbers::leadingFloat(dose) : 0.0f;
        catalogue.push_back(Test::testWithLocation(std::string(location), std::string(name), 1,
                                                   milliseverts, std::nullopt));
    }
    return catalogue;
}

std::shared_ptr<const CatalogueIndex> TestData::catalogue() {
    const auto cached = cachedPath(), shipped = shippedPath();
    return cache().get({cached, shipped}, [&] {
        auto text = TextFile::readUtf8(cached);
        if (!text) text = TextFile::readUtf8(shipped);
        return std::make_shared<const CatalogueIndex>(text ? parse(*text) : Catalogue{});
    });
}

TestData::Catalogue TestData::testArray() {
    const auto kept = catalogue();
    Catalogue copy;
    copy.reserve(kept->entries().size());
    for (const auto& entry : kept->entries())
        copy.push_back(std::make_shared<Test>(*entry));
    return copy;
}

std::vector<std::string>
TestData::testNamesForLocation(const std::optional<std::string>& location) {
    return distinct(location, &Test::location, &Test::testName);
}

std::vector<std::string> TestData::bodyPartsForTest(const std::optional<std::string>& testName) {
    return distinct(testName, &Test::testName, &Test::location);
}

void TestData::resetTestArray() {
    cache().reset();
}

void TestData::loadTestData(const std::string& serviceUrl, std::chrono::milliseconds timeout,
                            const std::atomic<bool>* cancel) {
    if (serviceUrl.empty()) return;
    acceptRefresh(HttpClient::get(requestUrl(serviceUrl), timeout, refreshSizeLimit, cancel));
}

bool TestData::acceptRefresh(const HttpResponse& response) {
    if (!response.completed || response.status < 200 || response.status > 299) return false;
    if (response.body.size() > refreshSizeLimit || !unicode::isValidUtf8(response.body) ||
        !CatalogueDocument::isCatalogue(response.body))
        return false;
    if (!TextFile::writeAtomically(cachedPath(), response.body)) return false;
    resetTestArray();
    return true;
}

void TestData::removeLeftovers() {
    TextFile::removeLeftovers(cachedPath());
}

std::string TestData::requestUrl(const std::string& serviceUrl) {
    std::string base = serviceUrl;
    while (!base.empty() && base.back() == '/')
        base.pop_back();
    return base + "/kelvox/?op=tl&format=xml";
}

std::filesystem::path TestData::cachedPath() {
    return Directories::current().caches / "tests.xml";
}

std::filesystem::path TestData::shippedPath() {
    return Directories::current().resources / "testlist.xml";
}

} // namespace mevara

// Costs of the model's file work: the catalogue is parsed whenever its file
// changes and every stored test is looked up in it when the user data loads, so
// these set the app's pace at start-up.
#include "bench/Scratch.h"
#include "model/Test.h"
#include "model/TestData.h"
#include "model/UserData.h"
#include "platform/Directories.h"
#include "platform/PropertyList.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace mevara;

using bench::Scratch;

std::string catalogueOf(int lines) {
    std::string text = "<tests>\n";
    for (int i = 0; i < lines; ++i) {
        text += "<test location='Body Part " + std::to_string(i % 97) + "' name='Test Type " +
                std::to_string(i) + "' milliseverts='" + std::to_string(i % 50) + ".25'/>\n";
    }
    return text + "</tests>\n";
}

// Entries as short as the shipped ones until the text reaches `bytes`.
std::string catalogueOfSize(std::size_t bytes, int& entries) {
    std::string text = "<tests>\n";
    for (entries = 0; text.size() < bytes; ++entries) {
        text += "<test location='Part " + std::to_string(entries % 97) + "' name='Type " +
                std::to_string(entries) + "' milliseverts='" + std::to_string(entries % 50) +
                ".5'/>\n";
    }
    return text + "</tests>\n";
}

// A saved store of `count` tests spread over the catalogue's entries.
void writeStore(const TestData::Catalogue& catalogue, int count) {
    PlistDictionary d{
        {"save", true}, {"gender", std::string("Female")}, {"age", std::string("70+")}};
    for (int i = 1; i <= count; ++i) {
        const auto& entry = *catalogue[static_cast<std::size_t>(i) * 7919 % catalogue.size()];
        std::string key = "test " + std::to_string(i);
        d[key + " name"] = *entry.testName();
        d[key + " location"] = *entry.location();
        d[key + " number of tests"] = std::int64_t{1 + i % 3};
    }
    PropertyList::writeDictionary(UserData::userDataPath(), d);
}

void loadStore(benchmark::State& state, std::size_t count) {
    UserData data;
    data.load();
    if (data.tests().size() != count) state.SkipWithError("tests lost");
    if (data.total() <= 0) state.SkipWithError("no doses found");
    benchmark::DoNotOptimize(data.total());
}

void parseCatalogue(benchmark::State& state) {
    const std::string text = catalogueOf(10'000);
    for (auto _ : state)
        benchmark::DoNotOptimize(TestData::parse(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(parseCatalogue)->Unit(benchmark::kMillisecond);

// The floor for the parse: touching every byte once to count the lines.
void countLines(benchmark::State& state) {
    const std::string text = catalogueOf(10'000);
    for (auto _ : state)
        benchmark::DoNotOptimize(std::count(text.begin(), text.end(), '\n'));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(countLines)->Unit(benchmark::kMillisecond);

void doseLookup(benchmark::State& state) {
    Scratch scratch;
    const Test test("Heart (Stress Test, MPI)", "Nuclear Medicine", 2, 0, std::nullopt);
    for (auto _ : state)
        benchmark::DoNotOptimize(Test::millisevertsForTest(test));
}
BENCHMARK(doseLookup)->Unit(benchmark::kMicrosecond);

void loadThousandTests(benchmark::State& state) {
    Scratch scratch;
    writeStore(TestData::testArray(), 1000);
    for (auto _ : state)
        loadStore(state, 1000);
}
BENCHMARK(loadThousandTests)->Unit(benchmark::kMillisecond);

// Start-up with a cached catalogue as large as a refresh could once fetch (4 MB)
// and 200 stored tests: nothing is kept yet, so this reads and parses the file
// once and then looks every test up.
void startWithLargeCatalogue(benchmark::State& state) {
    Scratch scratch;
    int entries = 0;
    TextFile::writeAtomically(TestData::cachedPath(), catalogueOfSize(4 * 1024 * 1024, entries));
    writeStore(TestData::testArray(), 200);
    for (auto _ : state) {
        TestData::resetTestArray();
        loadStore(state, 200);
    }
    state.counters["entries"] = entries;
}
BENCHMARK(startWithLargeCatalogue)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

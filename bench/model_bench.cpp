// Costs of the model's file work: the catalogue is parsed on every request and
// once per stored test when the user data loads, so these set the app's pace.
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
    const auto catalogue = TestData::testArray();
    PlistDictionary d{
        {"save", true}, {"gender", std::string("Female")}, {"age", std::string("70+")}};
    for (int i = 1; i <= 1000; ++i) {
        const auto& entry = *catalogue[static_cast<std::size_t>(i) % catalogue.size()];
        std::string key = "test " + std::to_string(i);
        d[key + " name"] = *entry.testName();
        d[key + " location"] = *entry.location();
        d[key + " number of tests"] = std::int64_t{1 + i % 3};
    }
    PropertyList::writeDictionary(UserData::userDataPath(), d);
    for (auto _ : state) {
        UserData data;
        data.load();
        if (data.tests().size() != 1000) state.SkipWithError("tests lost");
        benchmark::DoNotOptimize(data.total());
    }
}
BENCHMARK(loadThousandTests)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

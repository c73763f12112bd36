#include "UserData.h"

#include "model/TestData.h"
#include "platform/Clock.h"
#include "platform/Directories.h"
#include "platform/NumberParsing.h"
#include "platform/SideCopy.h"
#include "platform/TextFile.h"

#include <charconv>
#include <iostream>
#include <memory>
#include <system_error>

namespace mevara {

namespace {

constexpr int maximumTests = 999999;
constexpr std::int64_t oneWeek = 604800;

std::unique_ptr<UserData>& shared() {
    static std::unique_ptr<UserData> store;
    return store;
}

constexpr std::string_view testPrefix = "test ";

std::string testKey(std::size_t position, const char* field) {
    return std::string(testPrefix) + std::to_string(position) + " " + field;
}

// Whether the file holds a key of a test at `position` or later, which loading never
// reached: a save would drop it.
bool holdsTestsFrom(const PlistDictionary& d, std::size_t position) {
    for (auto it = d.lower_bound(std::string(testPrefix));
         it != d.end() && it->first.starts_with(testPrefix); ++it) {
        const std::string_view key = std::string_view(it->first).substr(testPrefix.size());
        std::size_t number = 0;
        const auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), number);
        if (error == std::errc::result_out_of_range) return true;
        if (error == std::errc() && end != key.data() + key.size() && *end == ' ' &&
            number >= position)
            return true;
    }
    return false;
}

} // namespace

UserData& UserData::instance() {
    if (!shared()) {
        shared() = std::make_unique<UserData>();
        shared()->load();
    }
    return *shared();
}

void UserData::resetInstance() {
    shared().reset();
}

UserData::UserData() = default;

PlistDictionary UserData::dictionary() const {
    PlistDictionary d;
    if (saveData_) {
        d["gender"] = gender_;
        d["age"] = age_;
        for (std::size_t i = 1; i <= tests_.size(); ++i) {
            const Test& test = *tests_[i - 1];
            // A record always has a name here: a missing one would end the list
            // on the next load and lose every test after it.
            d[testKey(i, "name")] = test.testName().value_or("");
            if (test.location()) d[testKey(i, "location")] = *test.location();
            d[testKey(i, "number of tests")] = test.numberOfTests();
            if (test.date()) d[testKey(i, "date")] = *test.date();
        }
    }
    d["save"] = saveData_;
    return d;
}

void UserData::save() {
    if (fileDamaged_ && !keepDamagedFile()) return;
    PlistDictionary now = dictionary();
    if (PropertyList::writeDictionary(userDataPath(), now)) kept_ = std::move(now);
    if (!saveData_) removeLeftovers();
}

void UserData::saveIfChanged() {
    if (!kept_ || dictionary() != *kept_) save();
}

bool UserData::keepDamagedFile() {
    const auto path = userDataPath();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        fileDamaged_ = false; // gone meanwhile: nothing left to lose
        return true;
    }
    const auto kept = SideCopy::keep(path, "damaged");
    if (!kept) {
        std::cerr << "mevara: could not keep the unreadable " << path.string()
                  << " aside, so it is not saved over\n";
        return false;
    }
    std::cerr << "mevara: " << path.string() << " could not be read whole; kept it as "
              << kept->string() << "\n";
    fileDamaged_ = false;
    return true;
}

void UserData::load() {
    const auto path = userDataPath();
    const auto file = PropertyList::readDictionary(path, maximumFileSize);
    loadFromDictionary(file.value_or(PlistDictionary{}));
    // A missing file is not damaged; one read in part, or not at all, is.
    std::error_code ec;
    // A profile value of another type is dropped by the next save, so it counts too.
    auto unreadable = [&file](const char* key) {
        return file->count(key) != 0 && !stringValue(*file, key);
    };
    fileDamaged_ =
        file ? holdsTestsFrom(*file, tests_.size() + 1) || unreadable("gender") || unreadable("age")
             : std::filesystem::is_regular_file(path, ec);
    // Until the person changes something there is nothing new to keep.
    kept_ = dictionary();
}

void UserData::loadFromDictionary(const PlistDictionary& d) {
    saveData_ = booleanValue(d, "save").value_or(true);
    gender_.clear();
    age_.clear();
    if (saveData_) {
        if (const std::string* g = stringValue(d, "gender")) gender_ = *g;
        if (const std::string* a = stringValue(d, "age")) age_ = *a;
    }
    tests_.clear();
    total_ = 0;
    const auto catalogue = TestData::catalogue();
    for (int i = 1; i <= maximumTests; ++i) {
        const std::string* name = stringValue(d, testKey(i, "name"));
        if (!name) break;
        const std::string* location = stringValue(d, testKey(i, "location"));
        auto test = Test::testWithLocation(
            location ? std::optional<std::string>(*location) : std::nullopt, *name,
            integerValue(d, testKey(i, "number of tests")).value_or(0), 0.0f,
            dateValue(d, testKey(i, "date")));
        if (auto renamed = catalogue->renamedLocation(*test)) test->setLocation(std::move(renamed));
        test->setMilliseverts(Test::millisevertsForTest(*test));
        total_ += test->milliseverts();
        tests_.push_back(std::move(test));
    }
}

void UserData::wipe() {
    gender_.clear();
    age_.clear();
    tests_ = {};
    total_ = 0;
    removeLeftovers();
}

void UserData::removeLeftovers() {
    TextFile::removeLeftovers(userDataPath());
    TextFile::removeLeftovers(disclaimerPath());
}

float UserData::calculateTotal() {
    total_ = 0;
    for (const auto& test : tests_)
        total_ += test->milliseverts();
    return total_;
}

float UserData::averageExposureForAge() const {
    if (age_.empty()) return 0.0f;
    std::int64_t n = numbers::leadingInteger(age_);
    if (n >= 70) return 37.25f;
    if (n >= 60) return 32.25f;
    if (n >= 50) return 27.25f;
    if (n >= 40) return 22.25f;
    if (n >= 30) return 17.25f;
    if (n >= 19) return 12.0f;
    return 4.5f;
}

void UserData::removeAllTests() {
    tests_.clear();
    total_ = 0;
}

void UserData::removeAllData() {
    removeAllTests();
    gender_.clear();
    age_.clear();
    save();
    removeLeftovers();
}

bool UserData::timeForDisclaimer() {
    // Seconds in 64 bits, so the stamp keeps working after January 2038.
    std::int64_t stamp = numbers::leadingInteger(TextFile::readUtf8(disclaimerPath()).value_or(""));
    std::int64_t now =
        std::chrono::duration_cast<std::chrono::seconds>(Clock::now().time_since_epoch()).count();
    if (now <= stamp) return false;
    TextFile::writeAtomically(disclaimerPath(), std::to_string(now + oneWeek));
    return true;
}

std::filesystem::path UserData::userDataPath() {
    return Directories::current().documents / "userdata.dat";
}

std::filesystem::path UserData::disclaimerPath() {
    return Directories::current().documents / "disclaimershown.dat";
}

} // namespace mevara

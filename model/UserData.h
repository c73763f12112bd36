#pragma once

#include "model/Test.h"
#include "platform/PropertyList.h"

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mevara {

// The one store of what the user enters: gender, age range, recorded tests and
// their total, and whether any of it may be kept on the device. Persists itself
// as a property list in the documents folder and decides when the disclaimer is
// due. Main thread only.
class UserData {
public:
    static constexpr std::array<std::string_view, 2> genders{"Male", "Female"};
    static constexpr std::array<std::string_view, 7> ageRanges{
        "0 - 18", "19 - 29", "30 - 39", "40 - 49", "50 - 59", "60 - 69", "70+"};
    // A larger user file is unreadable: libplist compares every key it reads with the
    // ones before it, so millions of keys would take minutes at every start.
    static constexpr std::size_t maximumFileSize = 16 * 1024 * 1024;

    // The shared store, created and loaded on first use.
    static UserData& instance();
    // Drops the shared store so the next instance() loads afresh (tests only).
    static void resetInstance();

    // An empty store that has not loaded anything; use instance() in the app.
    UserData();

    const std::string& gender() const { return gender_; }
    void setGender(std::string gender) { gender_ = std::move(gender); }

    const std::string& age() const { return age_; }
    void setAge(std::string age) { age_ = std::move(age); }

    std::vector<std::shared_ptr<Test>>& tests() { return tests_; }
    const std::vector<std::shared_ptr<Test>>& tests() const { return tests_; }
    void setTests(std::vector<std::shared_ptr<Test>> tests) { tests_ = std::move(tests); }

    float total() const { return total_; }
    void setTotal(float total) { total_ = total; }

    bool saveData() const { return saveData_; }
    void setSaveData(bool saveData) { saveData_ = saveData; }

    // Writes the file; with saving off it holds only the "save" key. A file that the last
    // load could not read whole is first kept aside as "userdata.dat.damaged"; when that
    // fails, nothing is written over it.
    void save();
    // Saves when something changed since the last save or load: for platforms that may
    // end the program without a word (a browser tab closing).
    void saveIfChanged();
    // Replaces everything in memory from the file, looking every dose up again.
    void load();
    void loadFromDictionary(const PlistDictionary& dictionary);
    PlistDictionary dictionary() const;

    // Clears profile and tests in memory, and the leftovers below; leaves saveData and the
    // file alone.
    void wipe();
    // Removes what writes of the user's files cut short left behind, as those may hold
    // data entered before saving was switched off.
    static void removeLeftovers();
    float calculateTotal();
    // Average cumulative medical exposure in mSv for the stored age range.
    float averageExposureForAge() const;
    void removeAllTests();
    void removeAllData();

    // Whether the disclaimer is due now; if so, it is not due again for a week.
    bool timeForDisclaimer();

    static std::filesystem::path userDataPath();
    static std::filesystem::path disclaimerPath();

private:
    bool keepDamagedFile();

    std::string gender_;
    std::string age_;
    std::vector<std::shared_ptr<Test>> tests_;
    float total_ = 0;
    bool saveData_ = true;
    bool fileDamaged_ = false;
    // What the file holds as far as this program knows, after a save or a load.
    std::optional<PlistDictionary> kept_;
};

} // namespace mevara

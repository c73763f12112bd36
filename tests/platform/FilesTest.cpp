#include "platform/Clock.h"
#include "platform/Directories.h"
#include "platform/TextFile.h"
#include "support/TempDirectory.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace mevara {
namespace {

namespace fs = std::filesystem;
using testsupport::TempDirectory;

TEST(TextFile, MissingOrInvalidFilesReadAsNoText) {
    TempDirectory dir;
    EXPECT_FALSE(TextFile::readUtf8(dir.path() / "missing.txt"));
    dir.write(dir.path() / "latin1.txt", "Ger\xe4t");
    EXPECT_FALSE(TextFile::readUtf8(dir.path() / "latin1.txt"));
    EXPECT_TRUE(TextFile::readBytes(dir.path() / "latin1.txt"));
    dir.write(dir.path() / "empty.txt", "");
    EXPECT_EQ(TextFile::readUtf8(dir.path() / "empty.txt"), "");
    EXPECT_FALSE(TextFile::readUtf8(dir.path())); // a folder
}

TEST(TextFile, AtomicWriteReplacesWholeAndLeavesNoTemporaryFile) {
    TempDirectory dir;
    fs::path file = dir.path() / "new/folder/data.txt";
    ASSERT_TRUE(TextFile::writeAtomically(file, "first"));
    ASSERT_TRUE(TextFile::writeAtomically(file, "second, longer"));
    EXPECT_EQ(TextFile::readUtf8(file), "second, longer");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(file.parent_path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(TextFile, FailedWriteKeepsTheOldFile) {
    TempDirectory dir;
    fs::path file = dir.path() / "data.txt";
    ASSERT_TRUE(TextFile::writeAtomically(file, "kept"));
    // A folder in the way of the target makes the rename fail.
    fs::path blocked = dir.path() / "blocked";
    fs::create_directories(blocked / "inside");
    EXPECT_FALSE(TextFile::writeAtomically(blocked, "lost"));
    EXPECT_FALSE(TextFile::writeAtomically(dir.path() / "data.txt/below", "x"));
    EXPECT_EQ(TextFile::readUtf8(file), "kept");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 2);
}

TEST(Directories, DefaultsFollowXdgAndConfigurationWins) {
    TempDirectory dir;
    Directories::reset();
    std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("XDG_DATA_HOME", "/data-home", 1);
    ::setenv("XDG_CACHE_HOME", "relative", 1); // ignored: not absolute
    ::setenv("HOME", "/home/someone", 1);
    Directories d = Directories::defaults();
    EXPECT_EQ(d.documents, "/data-home/mevara");
    EXPECT_EQ(d.caches, "/home/someone/.cache/mevara");
    EXPECT_TRUE(fs::exists(d.resources / "testlist.xml"));
    ::unsetenv("XDG_DATA_HOME");
    ::unsetenv("XDG_CACHE_HOME");
    ::setenv("HOME", home.c_str(), 1);

    Directories::configure({"/a", "/b", "/c"});
    EXPECT_EQ(Directories::current().caches, "/b");
}

TEST(Clock, IsInjectable) {
    Date fixed{std::chrono::seconds(4102444800)};
    Clock::setSource([&] { return fixed; });
    EXPECT_EQ(Clock::now(), fixed);
    Clock::reset();
    EXPECT_GT(Clock::now(), Date{std::chrono::seconds(1700000000)});
}

} // namespace
} // namespace mevara

#include "profiles/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <string>
#include <thread>
#include <vector>

#include "profiles/temp_folder.h"

namespace quillon::profiles {
namespace {

using testing::readText;
using testing::TempFolder;
using testing::writeText;

class IniFileTest : public ::testing::Test {
  protected:
    TempFolder dir;
    IniStore ini;
    std::filesystem::path file = dir.path() / "test.ini";
};

TEST_F(IniFileTest, MissingFileSectionOrKeyReadsAsZero) {
    EXPECT_EQ(ini.readString(file, "S", "k"), "0");
    EXPECT_EQ(ini.readInt(file, "S", "k"), 0);
    EXPECT_FALSE(std::filesystem::exists(file));
    ASSERT_EQ(ini.writeString(file, "S", "k", "v"), IniWriteResult::ok);
    EXPECT_EQ(ini.readString(file, "S", "other"), "0");
    EXPECT_EQ(ini.readString(file, "Other", "k"), "0");
}

TEST_F(IniFileTest, WritingCreatesFileAndSectionsInOrderAsKeyEqualsValue) {
    ASSERT_EQ(ini.writeInt(file, "PROFILEDENGCOUNT", "count", 1), IniWriteResult::ok);
    ASSERT_EQ(ini.writeString(file, "PROFILELIKEDENGEXE", "0", "0"), IniWriteResult::ok);
    ASSERT_EQ(ini.writeString(file, "PROFILEDENGNAME", "0", "New Profile 1"), IniWriteResult::ok);
    // Rewriting an early section keeps its place.
    ASSERT_EQ(ini.writeInt(file, "PROFILEDENGCOUNT", "count", 2), IniWriteResult::ok);
    EXPECT_EQ(readText(file),
              "[PROFILEDENGCOUNT]\ncount=2\n"
              "[PROFILELIKEDENGEXE]\n0=0\n"
              "[PROFILEDENGNAME]\n0=New Profile 1\n");
}

TEST_F(IniFileTest, SectionsAndKeysMatchWithoutRegardToCase) {
    ASSERT_EQ(ini.writeString(file, "MacroName", "Count", "4"), IniWriteResult::ok);
    EXPECT_EQ(ini.readInt(file, "MACRONAME", "count"), 4);
    ASSERT_EQ(ini.writeString(file, "macroname", "COUNT", "5"), IniWriteResult::ok);
    EXPECT_EQ(ini.readInt(file, "MacroName", "Count"), 5);
    EXPECT_EQ(ini.readKeys(file, "MACRONAME").size(), 1u);
}

TEST_F(IniFileTest, LongValuesAreStoredWholeAndReadBackCutTo259Characters) {
    const std::string name(300, 'n');
    ASSERT_EQ(ini.writeString(file, "PROFILENAME", "0", name), IniWriteResult::ok);
    EXPECT_NE(readText(file).find("0=" + name + "\n"), std::string::npos);
    EXPECT_EQ(ini.readString(file, "PROFILENAME", "0"), name.substr(0, 259));

    // Characters, not bytes: a name of 300 three-byte characters keeps 259 of them.
    std::string wide;
    for (int i = 0; i < 300; ++i)
        wide += "\xe9\x85\x8d";  // 配
    ASSERT_EQ(ini.writeString(file, "PROFILENAME", "1", wide), IniWriteResult::ok);
    EXPECT_EQ(ini.readString(file, "PROFILENAME", "1"), wide.substr(0, 259 * 3));
}

TEST_F(IniFileTest, Utf8NamesStayIntact) {
    const std::string name = "Профиль 配置 ü";
    ASSERT_EQ(ini.writeString(file, "PROFILENAME", "0", name), IniWriteResult::ok);
    EXPECT_EQ(ini.readString(file, "PROFILENAME", "0"), name);
}

TEST_F(IniFileTest, NumbersAreTheLeadingDecimalDigits) {
    EXPECT_EQ(leadingDecimal("12abc"), 12);
    EXPECT_EQ(leadingDecimal("abc"), 0);
    EXPECT_EQ(leadingDecimal(""), 0);
    EXPECT_EQ(leadingDecimal("-3"), 0);
    EXPECT_EQ(leadingDecimal("99999999999999999999"), INT_MAX);
    writeText(file, "[PROFILEDENGCOUNT]\ncount=  7 profiles\n");
    EXPECT_EQ(ini.readInt(file, "PROFILEDENGCOUNT", "count"), 7);
}

TEST_F(IniFileTest, TextTheFormatCannotHoldIsRefusedAndTheFileLeftAsItWas) {
    ASSERT_EQ(ini.writeString(file, "S", "k", "v"), IniWriteResult::ok);
    const std::string before = readText(file);
    EXPECT_EQ(ini.writeString(file, "S", "k", "a\nb=c"), IniWriteResult::badText);
    EXPECT_EQ(ini.writeString(file, "S]", "k", "v"), IniWriteResult::badText);
    EXPECT_EQ(ini.writeString(file, "S", "k=1", "v"), IniWriteResult::badText);
    EXPECT_EQ(ini.writeString(file, "S", ";k", "v"), IniWriteResult::badText);
    EXPECT_EQ(ini.writeString(file, "", "k", "v"), IniWriteResult::badText);
    EXPECT_EQ(readText(file), before);
}

TEST_F(IniFileTest, DeletingKeysAndSections) {
    ASSERT_EQ(ini.writeString(file, "MACRONAME", "0", "a"), IniWriteResult::ok);
    ASSERT_EQ(ini.writeString(file, "MACRONAME", "1", "b"), IniWriteResult::ok);
    ASSERT_EQ(ini.writeString(file, "MACROCOUNT", "count", "2"), IniWriteResult::ok);
    ASSERT_EQ(ini.deleteKey(file, "macroname", "0"), IniWriteResult::ok);
    EXPECT_EQ(ini.readKeys(file, "MACRONAME"), std::vector<std::string>{"1"});
    ASSERT_EQ(ini.deleteSection(file, "MACRONAME"), IniWriteResult::ok);
    EXPECT_EQ(readText(file), "[MACROCOUNT]\ncount=2\n");
    const auto missing = dir.path() / "none.ini";
    EXPECT_EQ(ini.deleteSection(missing, "X"), IniWriteResult::ok);
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST_F(IniFileTest, AFolderInPlaceOfTheFileIsNotOverwritten) {
    std::filesystem::create_directory(file);
    EXPECT_EQ(ini.readString(file, "S", "k"), "0");
    EXPECT_NE(ini.writeString(file, "S", "k", "v"), IniWriteResult::ok);
    EXPECT_TRUE(std::filesystem::is_directory(file));
}

TEST_F(IniFileTest, ConcurrentWritersOfOneFileLoseNoUpdate) {
    constexpr int kThreads = 4;
    constexpr int kWrites = 1000;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 1; i <= kWrites; ++i) {
                // Each thread's key must end at its last value; an update that
                // read the file before another thread's rename would lose keys.
                (void)ini.writeInt(file, "SECTION" + std::to_string(t % 2),
                                   "key" + std::to_string(t), i);
            }
        });
    }
    for (auto& th : threads)
        th.join();
    for (int t = 0; t < kThreads; ++t)
        EXPECT_EQ(ini.readInt(file, "SECTION" + std::to_string(t % 2), "key" + std::to_string(t)),
                  kWrites)
            << "thread " << t;
    // No temporary files are left behind.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(IniText, ReadingArbitraryTextNeverFails) {
    EXPECT_EQ(readIniString("[S]\nk=v\n", "s", "K"), "v");
    EXPECT_EQ(readIniString("k=v\n[S", "S", "k"), "0");
    EXPECT_EQ(readIniString("[S]\nk=\xff\xfe\n", "S", "k"), "\xff\xfe");
    EXPECT_EQ(readIniString(std::string("[S]\nk=a\0b\n", 10), "S", "k"), "a");
    EXPECT_EQ(readIniString("", "S", "k"), "0");
}

}  // namespace
}  // namespace quillon::profiles

#include "profiles/profile_operations.h"

#include <gtest/gtest.h>

#include "profiles/profile_fixture.h"

namespace quillon::profiles {
namespace {

using testing::FreshAccount;
using testing::readBytes;
using testing::writeBytes;

constexpr auto kKbLighting = ProfileListId::keyboardLighting;
constexpr auto kMsKeys = ProfileListId::mouseKeys;

class ProfileOperationsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (DeviceKind kind : {DeviceKind::keyboard, DeviceKind::mouse})
            ASSERT_EQ(startProfileLists(account.store, account.skin, account.run, kind),
                      ListStartResult::firstRun);
    }
    ProfileIndex index(ProfileListId list = kKbLighting) { return account.store.index(list); }
    std::vector<std::string> names(ProfileListId list = kKbLighting) {
        return profileNames(account.store, list);
    }
    std::filesystem::path content(std::string_view name, ProfileListId list = kKbLighting) {
        return index(list).contentPath(name);
    }
    // Three keyboard lighting profiles A, B, C with B linked.
    void makeThree() {
        ASSERT_EQ(renameProfile(account.store, kKbLighting, 0, "A").result, ProfileOpResult::ok);
        for (std::string_view n : {"B", "C"}) {
            const ProfileOpOutcome added = addProfile(account.store, kKbLighting, 0);
            ASSERT_EQ(added.result, ProfileOpResult::ok);
            ASSERT_EQ(renameProfile(account.store, kKbLighting, added.row, n).result,
                      ProfileOpResult::ok);
        }
        ASSERT_EQ(linkProfile(account.store, kKbLighting, 1, "/usr/games/b", LinkCheck::refuseTaken)
                      .result,
                  ProfileOpResult::ok);
    }
    std::vector<std::uint8_t> body(const std::filesystem::path& p) {
        auto b = readBytes(p);
        return {b.begin() + std::min<std::size_t>(kProfileHeaderSize, b.size()), b.end()};
    }

    FreshAccount account;
};

TEST_F(ProfileOperationsTest, AddAndCopyPickNamesNoRowHasCaseAside) {
    ASSERT_EQ(renameProfile(account.store, kKbLighting, 0, "new profile 2").result,
              ProfileOpResult::ok);
    ASSERT_EQ(addProfile(account.store, kKbLighting, 0).name, "New Profile 1");
    const ProfileOpOutcome third = addProfile(account.store, kKbLighting, 0);
    EXPECT_EQ(third.name, "New Profile 3");
    EXPECT_EQ(third.row, 2);
    EXPECT_EQ(index().select(), 2);
    EXPECT_EQ(body(content("New Profile 3")), body(account.program("kbdengdefault.led")));

    ASSERT_EQ(renameProfile(account.store, kKbLighting, 0, "Game").result, ProfileOpResult::ok);
    EXPECT_EQ(copyProfile(account.store, kKbLighting, 0).name, "Game copy");
    EXPECT_EQ(copyProfile(account.store, kKbLighting, 0).name, "Game copy copy");
    EXPECT_EQ(names(), (std::vector<std::string>{"Game", "New Profile 1", "New Profile 3",
                                                 "Game copy", "Game copy copy"}));
    EXPECT_EQ(body(content("Game copy copy")), body(content("Game")));
}

TEST_F(ProfileOperationsTest, ANewRowNeverInheritsALinkADeleteLeftBehind) {
    makeThree();
    ASSERT_EQ(
        linkProfile(account.store, kKbLighting, 2, "/usr/games/c", LinkCheck::refuseTaken).result,
        ProfileOpResult::ok);
    // Row 1 of three goes: entry 2's link moves to entry 1 with its profile.
    ASSERT_EQ(deleteProfile(account.store, kKbLighting, 1).result, ProfileOpResult::ok);
    EXPECT_EQ(names(), (std::vector<std::string>{"A", "C"}));
    EXPECT_TRUE(index().linked(1));
    EXPECT_EQ(index().linkPath(1), "/usr/games/c");
    // Entry 2 still says "linked to c" in the file; the new row 2 must not follow it.
    EXPECT_EQ(addProfile(account.store, kKbLighting, 0).row, 2);
    EXPECT_FALSE(index().linked(2));
    EXPECT_EQ(copyProfile(account.store, kKbLighting, 0).row, 3);
    EXPECT_FALSE(index().linked(3));
}

TEST_F(ProfileOperationsTest, DeleteSelectsTheNeighbourAndMovesLinksWithTheirProfiles) {
    makeThree();
    EXPECT_EQ(deleteProfile(account.store, kKbLighting, 2).row, 1);  // the last: the new last
    EXPECT_EQ(index().select(), 1);
    EXPECT_FALSE(std::filesystem::exists(content("C")));

    ASSERT_EQ(addProfile(account.store, kKbLighting, 0).result, ProfileOpResult::ok);
    // Row 0 of A, B (linked), New Profile 1: B and its link move to entry 0.
    const ProfileOpOutcome first = deleteProfile(account.store, kKbLighting, 0);
    EXPECT_EQ(first.row, 0);
    EXPECT_EQ(names(), (std::vector<std::string>{"B", "New Profile 1"}));
    EXPECT_TRUE(index().linked(0));
    EXPECT_EQ(index().linkPath(0), "/usr/games/b");
    EXPECT_FALSE(index().linked(1));
}

TEST_F(ProfileOperationsTest, RefusalsChangeNothing) {
    const auto indexText = [&] { return testing::readText(index().indexPath()); };
    const std::string before = indexText();
    EXPECT_EQ(deleteProfile(account.store, kKbLighting, 0).result, ProfileOpResult::onlyProfile);
    EXPECT_EQ(renameProfile(account.store, kKbLighting, 0, "new PROFILE 1").result,
              ProfileOpResult::nameTaken);
    for (std::string_view bad : {"", "../evil", "a/b", " lead", "trail."})
        EXPECT_EQ(renameProfile(account.store, kKbLighting, 0, bad).result,
                  ProfileOpResult::badName)
            << bad;
    EXPECT_EQ(deleteProfile(account.store, kKbLighting, 5).result, ProfileOpResult::noProfile);
    EXPECT_EQ(indexText(), before);
    EXPECT_TRUE(std::filesystem::exists(content("New Profile 1")));
    EXPECT_EQ(messageKey(ProfileOpResult::onlyProfile), "message_text_11");
    EXPECT_EQ(messageKey(ProfileOpResult::nameTaken), "message_text_15");
}

TEST_F(ProfileOperationsTest, AMissingDefaultAddsNoRowAndNoFile) {
    std::filesystem::remove(account.program("kbdengregiondefault.led"));
    const std::string before = testing::readText(index().indexPath());
    EXPECT_EQ(addProfile(account.store, kKbLighting, 2).result, ProfileOpResult::missingFile);
    EXPECT_EQ(testing::readText(index().indexPath()), before);
    EXPECT_FALSE(std::filesystem::exists(content("New Profile 2")));
    // The RGB keyboard's default is still there.
    EXPECT_EQ(addProfile(account.store, kKbLighting, 0).result, ProfileOpResult::ok);
}

TEST_F(ProfileOperationsTest, RenameMovesTheContentAndKeepsTheLink) {
    makeThree();
    const auto bytes = body(content("B"));
    ASSERT_EQ(renameProfile(account.store, kKbLighting, 1, "Racing").result, ProfileOpResult::ok);
    EXPECT_FALSE(std::filesystem::exists(content("B")));
    EXPECT_EQ(body(content("Racing")), bytes);
    EXPECT_EQ(names()[1], "Racing");
    EXPECT_TRUE(index().linked(1));

    // A profile whose file is gone cannot be renamed: the index keeps the old name.
    std::filesystem::remove(content("C"));
    EXPECT_EQ(renameProfile(account.store, kKbLighting, 2, "D").result,
              ProfileOpResult::missingFile);
    EXPECT_EQ(names()[2], "C");
}

TEST_F(ProfileOperationsTest, ImportTakesShortFilesAndExportKeepsTheWholeRecord) {
    // A keyboard lighting profile with colour sets travels whole.
    std::vector<std::uint8_t> record(kKeyboardLightingRecordSize);
    for (std::size_t i = 0; i < record.size(); ++i)
        record[i] = static_cast<std::uint8_t>(i * 7 + 1);
    ASSERT_TRUE(platform::succeeded(
        writeProfileFile(content("New Profile 1"), record, 1, account.ini.locks())));
    const auto file = account.root.path() / "shared.led";
    ASSERT_EQ(exportProfile(account.store, kKbLighting, 0, file).result, ProfileOpResult::ok);
    ASSERT_EQ(addProfile(account.store, kKbLighting, 0).result, ProfileOpResult::ok);
    const ProfileOpOutcome in = importProfile(account.store, kKbLighting, 1, file);
    EXPECT_EQ(in.row, 1);
    EXPECT_EQ(body(content("New Profile 2")), record);

    // An 80-byte file (a mouse profile) is accepted; the colour sets become zero.
    std::vector<std::uint8_t> small(80, 0x11);
    small[0] = 0xAA;
    small[1] = 0x55;
    writeBytes(account.root.path() / "mouse.led", small);
    ASSERT_EQ(
        importProfile(account.store, kKbLighting, 1, account.root.path() / "mouse.led").result,
        ProfileOpResult::ok);
    const auto imported = body(content("New Profile 2"));
    ASSERT_EQ(imported.size(), kKeyboardLightingRecordSize);
    EXPECT_EQ(imported[63], 0x11);
    EXPECT_TRUE(std::all_of(imported.begin() + 64, imported.end(), [](auto b) { return b == 0; }));

    small[0] = 0x55;  // magic in the wrong byte order
    small[1] = 0xAA;
    writeBytes(account.root.path() / "foreign.led", small);
    EXPECT_EQ(
        importProfile(account.store, kKbLighting, 1, account.root.path() / "foreign.led").result,
        ProfileOpResult::foreignFile);
    EXPECT_EQ(importProfile(account.store, kKbLighting, 1, account.root.path() / "none").result,
              ProfileOpResult::missingFile);
    EXPECT_EQ(body(content("New Profile 2")), imported);
}

TEST_F(ProfileOperationsTest, ResetWritesTheVariantsDefault) {
    std::vector<std::uint8_t> record(kKeyRecordSize, 0x42);
    ASSERT_TRUE(platform::succeeded(
        writeProfileFile(content("New Profile 1", kMsKeys), record, 2, account.ini.locks())));
    ASSERT_EQ(resetProfile(account.store, kMsKeys, 0, 2).result, ProfileOpResult::ok);
    EXPECT_EQ(body(content("New Profile 1", kMsKeys)), body(account.program("mskeydefault.pro")));
    EXPECT_EQ(resetProfile(account.store, kKbLighting, 0, 1).result, ProfileOpResult::ok);
    EXPECT_EQ(body(content("New Profile 1")), body(account.program("kbonecolordengdefault.led")));
}

TEST_F(ProfileOperationsTest, TheCheckBoxRefusesAProgramAnotherEntryCarries) {
    makeThree();
    EXPECT_EQ(
        linkProfile(account.store, kKbLighting, 2, "/USR/games/B", LinkCheck::refuseTaken).result,
        ProfileOpResult::programTaken);
    EXPECT_FALSE(index().linked(2));
    // The button does not check; a path without a folder is no program.
    EXPECT_EQ(
        linkProfile(account.store, kKbLighting, 2, "/usr/games/b", LinkCheck::allowTaken).result,
        ProfileOpResult::ok);
    EXPECT_EQ(linkProfile(account.store, kKbLighting, 0, "game", LinkCheck::allowTaken).result,
              ProfileOpResult::badName);
    ASSERT_EQ(unlinkProfile(account.store, kKbLighting, 1).result, ProfileOpResult::ok);
    EXPECT_FALSE(index().linked(1));
    EXPECT_EQ(index().linkPath(1).find_first_not_of(' '), std::string::npos);
}

}  // namespace
}  // namespace quillon::profiles

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>

#include "platform/user_folders.h"
#include "profiles/file_names.h"
#include "profiles/profile_folders.h"
#include "profiles/temp_folder.h"

namespace quillon::profiles {
namespace {

using testing::TempFolder;
using testing::writeText;

platform::EnvironmentLookup env(std::map<std::string, std::string> vars) {
    return [vars = std::move(vars)](std::string_view name) -> std::optional<std::string> {
        auto it = vars.find(std::string(name));
        if (it == vars.end())
            return std::nullopt;
        return it->second;
    };
}

TEST(UserFolders, DocumentsComeFromUserDirsThenHomeAndTheTestOverride) {
    TempFolder home;
    std::filesystem::create_directories(home.path() / ".config");
    platform::LinuxUserFolders noFile(env({{"HOME", home.path().string()}}));
    EXPECT_EQ(noFile.documentsFolder(), home.path() / "Documents");

    writeText(home.path() / ".config" / "user-dirs.dirs",
              "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
              "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    EXPECT_EQ(noFile.documentsFolder(), home.path() / "Dokumente");

    platform::LinuxUserFolders overridden(
        env({{"HOME", home.path().string()}, {"QUILLON_DATA_DIR", "/tmp/quillon-test"}}));
    EXPECT_EQ(overridden.documentsFolder(), "/tmp/quillon-test");

    platform::LinuxUserFolders xdg(env({{"HOME", home.path().string()},
                                        {"XDG_DATA_HOME", "/data"},
                                        {"QUILLON_PROGRAM_DIR", "/prog"}}));
    EXPECT_EQ(xdg.programOverlayFolder(), "/data/quillon");
    EXPECT_EQ(xdg.programDataFolders(), std::vector<std::filesystem::path>{"/prog"});
    EXPECT_EQ(noFile.programOverlayFolder(), home.path() / ".local" / "share" / "quillon");
}

TEST(UserFolders, ParsingUserDirs) {
    const std::filesystem::path home = "/home/u";
    EXPECT_EQ(platform::parseDocumentsDir("XDG_DOCUMENTS_DIR=\"/srv/docs\"\n", home), "/srv/docs");
    EXPECT_EQ(platform::parseDocumentsDir("  XDG_DOCUMENTS_DIR=\"$HOME/Документы\"", home),
              "/home/u/Документы");
    // The home folder itself means "disabled"; relative paths are not allowed.
    EXPECT_EQ(platform::parseDocumentsDir("XDG_DOCUMENTS_DIR=\"$HOME/\"\n", home), std::nullopt);
    EXPECT_EQ(platform::parseDocumentsDir("XDG_DOCUMENTS_DIR=\"docs\"\n", home), std::nullopt);
    EXPECT_EQ(platform::parseDocumentsDir("#XDG_DOCUMENTS_DIR=\"/x\"\n", home), std::nullopt);
    EXPECT_EQ(platform::parseDocumentsDir("XDG_DOCUMENTS_DIR=\"$HOMEWORK/x\"\n", home),
              std::nullopt);
}

TEST(UserFolders, WithoutHomeTheHomeComesFromThePasswordDatabaseAndIsNeverTheRoot) {
    TempFolder home;
    platform::LinuxUserFolders unset(env({}), [&] { return home.path(); });
    EXPECT_EQ(unset.documentsFolder(), home.path() / "Documents");
    EXPECT_EQ(unset.programOverlayFolder(), home.path() / ".local" / "share" / "quillon");

    for (std::string root : {"/", "//", "relative/home"}) {
        platform::LinuxUserFolders rootHome(env({{"HOME", root}}), [] { return "/"; });
        EXPECT_EQ(rootHome.documentsFolder(), "") << root;
        EXPECT_EQ(rootHome.programOverlayFolder(), "") << root;
        ProfileFolders folders(rootHome);
        EXPECT_EQ(folders.profileFolder(DeviceKind::keyboard), "") << root;
    }
    EXPECT_FALSE(platform::passwordDatabaseHome().empty());
}

TEST(UserFolders, AFifoAsUserDirsDoesNotBlock) {
    TempFolder home;
    std::filesystem::create_directories(home.path() / ".config");
    ASSERT_EQ(::mkfifo((home.path() / ".config" / "user-dirs.dirs").c_str(), 0600), 0);
    platform::LinuxUserFolders folders(env({{"HOME", home.path().string()}}));
    EXPECT_EQ(folders.documentsFolder(), home.path() / "Documents");
}

TEST(ProfileFolders, AreCreatedOnEveryLookupAndEndInASeparator) {
    TempFolder root;
    platform::FixedUserFolders users(root.path() / "Docs", {}, root.path() / "overlay");
    int refreshes = 0;
    ProfileFolders folders(users, [&] { ++refreshes; });
    const auto kb = folders.profileFolder(DeviceKind::keyboard);
    EXPECT_EQ(kb.string().back(), '/');
    EXPECT_TRUE(std::filesystem::is_directory(root.path() / "Docs" / "Kv" / "kb"));
    EXPECT_EQ(refreshes, 0);
    const auto ms = folders.profileFolder(DeviceKind::mouse);
    EXPECT_EQ(ms, root.path() / "Docs" / "Kv" / "ms" / "");
    EXPECT_EQ(refreshes, 1) << "the mouse lookup refreshes the mouse's DeviceInfo first";
    // Removed meanwhile: the next lookup creates it again.
    std::filesystem::remove_all(root.path() / "Docs" / "Kv");
    (void)folders.profileFolder(DeviceKind::mousepad);
    EXPECT_TRUE(std::filesystem::is_directory(root.path() / "Docs" / "Kv" / "mp"));
    EXPECT_EQ(folders.programFileForWriting("kbkeydefault.pro"),
              root.path() / "overlay" / "kbkeydefault.pro");
    EXPECT_TRUE(std::filesystem::is_directory(root.path() / "overlay"));
}

TEST(PlainFileNames, RefuseEverythingThatIsNotAPlainName) {
    for (std::string_view good : {"New Profile 1", "Профиль", "a.b", "x-y_z (2)", "配置文件"})
        EXPECT_TRUE(isPlainFileName(good)) << good;
    for (std::string_view bad :
         {"", ".", "..", "../x", "a/b", "a\\b", "c:", "a*", "a?", "a\"b", "<a>", "a|b", " lead",
          "trail ", ".hidden", "end.", "tab\there", "bell\a"})
        EXPECT_FALSE(isPlainFileName(bad)) << bad;
    EXPECT_TRUE(isPlainFileName(std::string(100, 'n')));
    EXPECT_FALSE(isPlainFileName(std::string(101, 'n')));
    std::string hundredWide;
    for (int i = 0; i < 100; ++i)
        hundredWide += "\xc3\xbc";  // ü: 100 characters, 200 bytes
    EXPECT_TRUE(isPlainFileName(hundredWide));
    // Characters are limited to 100, a file name to 255 bytes with its extension.
    std::string cjk;
    for (int i = 0; i < 100; ++i)
        cjk += "\xe9\x85\x8d";  // 配: 100 characters, 300 bytes
    EXPECT_FALSE(isPlainFileName(cjk));
    EXPECT_TRUE(isPlainFileName(cjk.substr(0, 3 * 83)));   // 249 + ".led"
    EXPECT_FALSE(isPlainFileName(cjk.substr(0, 3 * 84)));  // 252 + ".led"
    EXPECT_FALSE(isPlainFileName("bad\xc3"));              // cut UTF-8 sequence
    EXPECT_FALSE(isPlainFileName("bad\xff name"));         // not UTF-8
}

}  // namespace
}  // namespace quillon::profiles

#include "profiles/profile_name_check.h"
#include "skin/memory_skin.h"

namespace quillon::profiles {
namespace {

TEST(PlainFileNames, ABadProfileNameIsRefusedWithTheBadNameMessage) {
    skin::MemorySkin skin;
    EXPECT_TRUE(acceptProfileName(skin, "Racing"));
    EXPECT_TRUE(skin.messages().empty());
    EXPECT_FALSE(acceptProfileName(skin, "../../.bashrc"));
    ASSERT_EQ(skin.messages().size(), 1u);
    EXPECT_EQ(skin.messages()[0].key, "message_text_14");
}

}  // namespace
}  // namespace quillon::profiles

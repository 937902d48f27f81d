#include "skin/language_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <random>

#include "skin/mini_xml.h"

namespace quillon::skin {
namespace {

std::filesystem::path sourceData() {
    const char* dir = std::getenv("QUILLON_SOURCE_DATA_DIR");
    return dir != nullptr ? std::filesystem::path(dir)
                          : std::filesystem::path(QUILLON_SOURCE_DATA_DIR);
}

constexpr std::string_view kSample = R"(<?xml version="1.0" encoding="UTF-8"?>
<!-- sample -->
<language code="en" name="English">
  <text key="message_text_14">Please enter a valid name.</text>
  <text key="amp">Save &amp; close &lt;now&gt; &#x25BC;&#9650;</text>
  <text key="cdata"><![CDATA[a <b> c]]></text>
  <text key="empty"/>
</language>
)";

TEST(LanguageTable, ReadsTextsEntitiesAndMissingKeys) {
    LanguageTable table;
    ASSERT_EQ(table.parse(kSample), LanguageLoad::ok);
    EXPECT_EQ(table.code(), "en");
    EXPECT_EQ(table.name(), "English");
    EXPECT_EQ(table.size(), 4u);
    EXPECT_EQ(*table.find("message_text_14"), "Please enter a valid name.");
    EXPECT_EQ(*table.find("amp"), "Save & close <now> \u25BC\u25B2");
    EXPECT_EQ(*table.find("cdata"), "a <b> c");
    EXPECT_EQ(*table.find("empty"), "");
    EXPECT_EQ(table.find("message_text_99"), nullptr);
    EXPECT_EQ(table.translate("message_text_99"), "message_text_99");
}

TEST(LanguageTable, ABadFileLeavesTheTableAsItWas) {
    LanguageTable table;
    ASSERT_EQ(table.parse(kSample), LanguageLoad::ok);
    EXPECT_EQ(table.parse("<language><text key='a'>x</language>"), LanguageLoad::malformed);
    EXPECT_EQ(table.parse("<languages/>"), LanguageLoad::malformed);
    EXPECT_EQ(table.parse("<language><text>no key</text></language>"), LanguageLoad::malformed);
    EXPECT_EQ(table.parse("<language><text key='a'>&bogus;</text></language>"),
              LanguageLoad::malformed);
    EXPECT_EQ(table.parse("<!DOCTYPE x [<!ENTITY e 'boom'>]><language/>"), LanguageLoad::malformed);
    EXPECT_EQ(table.parse(std::string(MAX_LANGUAGE_FILE_BYTES + 1, ' ')), LanguageLoad::tooLarge);
    EXPECT_EQ(table.parse("<language><text key='a'>" +
                          std::string(MAX_LANGUAGE_TEXT_BYTES + 1, 'x') + "</text></language>"),
              LanguageLoad::tooLarge);
    EXPECT_EQ(table.load("/nonexistent/lan_xx.xml"), LanguageLoad::missingFile);
    // A FIFO or a device in the file's place is refused at once, not waited on.
    char folder[] = "/tmp/quillon-lan-XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    const std::string fifo = std::string(folder) + "/lan_xx.xml";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(table.load(fifo), LanguageLoad::missingFile);
    EXPECT_EQ(table.load("/dev/zero"), LanguageLoad::missingFile);
    ::unlink(fifo.c_str());
    ::rmdir(folder);
    EXPECT_EQ(*table.find("message_text_14"), "Please enter a valid name.");
}

TEST(LanguageTable, DeepNestingIsRefusedNotRecursedInto) {
    std::string deep;
    for (int i = 0; i < 100000; ++i) {
        deep += "<a>";
    }
    XmlElement root;
    EXPECT_EQ(parseXml(deep, root), XmlStatus::tooLarge);
}

TEST(LanguageTable, MangledInputNeverCrashes) {
    const std::string base(kSample);
    std::mt19937 random(1234);
    LanguageTable table;
    for (int round = 0; round < 3000; ++round) {
        std::string input = base;
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = random() % input.size();
            switch (random() % 3) {
                case 0:
                    input[at] = static_cast<char>(random() % 256);
                    break;
                case 1:
                    input.erase(at, 1 + random() % 8);
                    break;
                default:
                    input.resize(at);
                    break;
            }
            if (input.empty()) {
                input = "<";
            }
        }
        (void)table.parse(input);  // any result is fine; it must not crash
    }
}

TEST(LanguageList, ReadsEntriesAndRefusesPathsOutsideItsFolder) {
    std::vector<LanguageEntry> list;
    ASSERT_EQ(parseLanguageList(R"(<languages>
        <language code="en" name="English" file="lan_en.xml"/>
        <language code="de" name="Deutsch" file="lan_de.xml"/></languages>)",
                                list),
              LanguageLoad::ok);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].code, "de");
    EXPECT_EQ(list[1].file, "lan_de.xml");
    EXPECT_EQ(parseLanguageList(
                  R"(<languages><language code="x" file="../etc/passwd"/></languages>)", list),
              LanguageLoad::malformed);
    EXPECT_EQ(parseLanguageList(R"(<languages><language code="x" file=""/></languages>)", list),
              LanguageLoad::malformed);
    EXPECT_EQ(list.size(), 2u);
}

TEST(ShippedLanguageFiles, EveryListedLanguageLoadsAndEnglishHasEveryMessage) {
    std::vector<LanguageEntry> list;
    ASSERT_EQ(loadLanguageList(sourceData() / "skin" / "lan.xml", list), LanguageLoad::ok);
    ASSERT_FALSE(list.empty());
    for (const auto& entry : list) {
        LanguageTable table;
        EXPECT_EQ(table.load(sourceData() / "skin" / entry.file), LanguageLoad::ok) << entry.file;
        EXPECT_EQ(table.code(), entry.code);
    }
    LanguageTable en;
    ASSERT_EQ(en.load(sourceData() / "skin" / "lan_en.xml"), LanguageLoad::ok);
    for (int i = 1; i <= 19; ++i) {
        if (i == 10) {
            continue;  // no message uses key 10
        }
        const std::string key = "message_text_" + std::to_string(i);
        const std::string* text = en.find(key);
        ASSERT_NE(text, nullptr) << key;
        EXPECT_FALSE(text->empty()) << key;
    }
    EXPECT_EQ(*en.find("message_text_14"), "Please enter a valid name.");
    EXPECT_EQ(*en.find("message_text_19"),
              "Writing to the device failed. Check the connection and try again.");
}

}  // namespace
}  // namespace quillon::skin

namespace quillon::skin {
namespace {

// The fuzz seeds run here too, so every build exercises them.
TEST(LanguageFuzzSeeds, EverySeedIsReadWithoutHarmAndTheGoodOnesLoad) {
    const auto dir = sourceData() / ".." / "fuzz" / "corpus" / "language_file";
    std::size_t seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::string text;
        ASSERT_EQ(readBoundedFile(entry.path(), MAX_LANGUAGE_FILE_BYTES, text), LanguageLoad::ok);
        LanguageTable table;
        std::vector<LanguageEntry> list;
        const bool table_ok = table.parse(text) == LanguageLoad::ok;
        const bool list_ok = parseLanguageList(text, list) == LanguageLoad::ok;
        const auto name = entry.path().filename().string();
        const bool bad = name == "doctype_subset.xml" || name == "truncated.xml";
        EXPECT_EQ(table_ok || list_ok, !bad) << name;
        ++seeds;
    }
    EXPECT_GE(seeds, 5u);
}

}  // namespace
}  // namespace quillon::skin

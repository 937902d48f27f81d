#include "skin/language_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

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

// The printf conversions of a text in order ("%d", "%5.2f", ...); "%%" is none.
std::vector<std::string> conversions(std::string_view text) {
    std::vector<std::string> found;
    for (std::size_t at = text.find('%'); at != std::string_view::npos; at = text.find('%', at)) {
        std::size_t end = at + 1;
        if (end < text.size() && text[end] == '%') {
            at = end + 1;
            continue;
        }
        end = text.find_first_not_of("-+ #0123456789.hlLqjzt", end);
        end = end == std::string_view::npos ? text.size() : end + 1;
        found.emplace_back(text.substr(at, end - at));
        at = end;
    }
    return found;
}

bool validUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

// Roughly how many columns a text takes: wide East Asian characters count
// twice, Thai vowel and tone marks (drawn above or below) not at all.
std::size_t columns(std::string_view text) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k) {
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        const bool thaiMark =
            c == 0x0E31 || (c >= 0x0E34 && c <= 0x0E3A) || (c >= 0x0E47 && c <= 0x0E4E);
        const bool wide = (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7A3) ||
                          (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFF60);
        width += thaiMark ? 0 : wide ? 2 : 1;
        i += length;
    }
    return width;
}

TEST(ShippedLanguageFiles, TheListOffersTheTenLanguagesUnderTheirFiles) {
    std::vector<LanguageEntry> list;
    ASSERT_EQ(loadLanguageList(sourceData() / "skin" / "lan.xml", list), LanguageLoad::ok);
    std::map<std::string, std::string> files;
    for (const auto& entry : list) {
        EXPECT_TRUE(files.emplace(entry.code, entry.file).second) << "listed twice: " << entry.code;
        EXPECT_FALSE(entry.name.empty()) << entry.code;
    }
    const std::map<std::string, std::string> expected{
        {"en", "lan_en.xml"}, {"cn_zh", "lan_cn.xml"}, {"cn_tw", "lan_sn.xml"},
        {"jp", "lan_jp.xml"}, {"de", "lan_de.xml"},    {"ru", "lan_ru.xml"},
        {"fr", "lan_fr.xml"}, {"th", "lan_th.xml"},    {"pb", "lan_pb.xml"},
        {"sp", "lan_sp.xml"}};
    EXPECT_EQ(files, expected);
}

TEST(ShippedLanguageFiles, EachTranslationHasExactlyTheEnglishKeysAndTheirPlaceholders) {
    LanguageTable en;
    ASSERT_EQ(en.load(sourceData() / "skin" / "lan_en.xml"), LanguageLoad::ok);
    std::vector<LanguageEntry> list;
    ASSERT_EQ(loadLanguageList(sourceData() / "skin" / "lan.xml", list), LanguageLoad::ok);
    for (const auto& entry : list) {
        SCOPED_TRACE(entry.file);
        LanguageTable table;
        ASSERT_EQ(table.load(sourceData() / "skin" / entry.file), LanguageLoad::ok);
        en.forEach([&](const std::string& key, const std::string& english) {
            const std::string* text = table.find(key);
            if (text == nullptr) {
                ADD_FAILURE() << "no text for " << key;
                return;
            }
            EXPECT_TRUE(validUtf8(*text)) << key;
            EXPECT_EQ(conversions(*text), conversions(english)) << key << ": " << *text;
            EXPECT_EQ(text->empty(), english.empty()) << key;
            // A label much wider than the English one overflows its control.
            EXPECT_LE(columns(*text), std::max(3 * columns(english), columns(english) + 16))
                << key << ": " << *text;
        });
        table.forEach([&](const std::string& key, const std::string&) {
            EXPECT_NE(en.find(key), nullptr) << "a key English lacks: " << key;
        });
    }
}

TEST(ShippedLanguageFiles, PlaceholderAndWidthHelpersSeeWhatTheyShould) {
    using Found = std::vector<std::string>;
    EXPECT_EQ(conversions("Remove %d of %s (100%%)"), (Found{"%d", "%s"}));
    EXPECT_EQ(conversions("%-5.2f and %lld%"), (Found{"%-5.2f", "%lld", "%"}));
    EXPECT_NE(conversions("%d %s"), conversions("%s %d"));
    EXPECT_TRUE(
        validUtf8("Fran\xC3\xA7"
                  "ais \xE0\xB9\x84\xE0\xB8\x97\xE0\xB8\xA2"));
    EXPECT_FALSE(
        validUtf8("Fran\xE7"
                  "ais"));
    EXPECT_FALSE(validUtf8("\xE4\xB8"));
    EXPECT_EQ(columns("Stop"), 4u);
    EXPECT_EQ(columns("\xE5\x81\x9C\xE6\xAD\xA2"), 4u);  // two Han characters
    EXPECT_EQ(columns("\xE0\xB8\xAB\xE0\xB8\xA2\xE0\xB8\xB8\xE0\xB8\x94"),
              3u);  // Thai, one mark below
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

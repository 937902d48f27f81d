// Every text the skin files show a user carries a language key, so that it
// follows the language; plain texts are left only where no language changes
// them (numbers, units, the program's name, key legends, language names).

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "skin/language_file.h"
#include "skin/mini_xml.h"

namespace quillon::skin {
namespace {

std::filesystem::path skinFolder() {
    const char* dir = std::getenv("QUILLON_SOURCE_DATA_DIR");
    return (dir != nullptr ? std::filesystem::path(dir)
                           : std::filesystem::path(QUILLON_SOURCE_DATA_DIR)) /
           "skin";
}

// Words, not a legend like "R" or a sign like "−".
bool hasWords(std::string_view text) {
    auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (letter(text[i - 1]) && letter(text[i])) {
            return true;
        }
    }
    return false;
}

bool staysAsItIs(std::string_view text, std::string_view widgetClass, std::string_view widget) {
    static const std::set<std::string_view> kFixed{"DPI", "Quillon Gaming Software", "V0.0.0"};
    return kFixed.contains(text) || text.starts_with('#') || text.ends_with(" Hz") ||
           widgetClass == "LightKey"             // the legends printed on the keys
           || widget == "lanuage_select_combo";  // each language under its own name
}

const XmlElement* child(const XmlElement& e, std::string_view name, std::string_view nameAttr) {
    for (const XmlElement& c : e.children) {
        const std::string* n = c.attribute("name");
        if (c.name == name && n != nullptr && *n == nameAttr) {
            return &c;
        }
    }
    return nullptr;
}

std::vector<std::string> strings(const XmlElement* property) {
    std::vector<std::string> out;
    if (property == nullptr) {
        return out;
    }
    for (const XmlElement& value : property->children) {
        if (value.name == "string") {
            out.push_back(value.text);
        } else if (value.name == "stringlist") {
            for (const XmlElement& s : value.children) {
                out.push_back(s.text);
            }
        }
    }
    return out;
}

struct Scan {
    std::vector<std::string> unkeyed;  // "file: widget: text"
    std::set<std::string> keys;        // every key the files name
};

void scanRows(const XmlElement& widget, std::string_view row, std::string_view keyList,
              const std::string& where, std::string_view widgetClass, std::string_view name,
              Scan& scan) {
    std::vector<std::string> texts;
    for (const XmlElement& c : widget.children) {
        if (c.name == row) {
            const auto text = strings(child(c, "property", "text"));
            texts.push_back(text.empty() ? std::string() : text.front());
        }
    }
    const auto keys = strings(child(widget, "property", keyList));
    scan.keys.insert(keys.begin(), keys.end());
    for (const std::string& text : texts) {
        if (hasWords(text) && !staysAsItIs(text, widgetClass, name) &&
            keys.size() != texts.size()) {
            scan.unkeyed.push_back(where + ": " + std::string(row) + " " + text);
        }
    }
}

void scanElement(const XmlElement& e, const std::string& file, Scan& scan) {
    if (e.name == "widget") {
        const std::string cls = e.attribute("class") != nullptr ? *e.attribute("class") : "";
        const std::string name = e.attribute("name") != nullptr ? *e.attribute("name") : "";
        const std::string where = file + ": " + name;
        static constexpr std::pair<std::string_view, std::string_view> kKeyed[] = {
            {"text", "textKey"},
            {"toolTip", "toolTipKey"},
            {"placeholderText", "placeholderKey"},
            {"title", "titleKey"},
            {"windowTitle", "windowTitleKey"}};
        for (const auto& [shown, key] : kKeyed) {
            const auto keys = strings(child(e, "property", key));
            scan.keys.insert(keys.begin(), keys.end());
            for (const std::string& text : strings(child(e, "property", shown))) {
                if (keys.empty() && hasWords(text) && !staysAsItIs(text, cls, name)) {
                    scan.unkeyed.push_back(where + ": " + text);
                }
            }
        }
        scanRows(e, "item", "itemTextKeys", where, cls, name, scan);
        scanRows(e, "column", "columnTextKeys", where, cls, name, scan);
    } else if (e.name == "menu" || e.name == "item") {
        // Menu files name an item's text by "textkey".
        const std::string* text = e.attribute("text");
        if (const std::string* key = e.attribute("textkey")) {
            scan.keys.insert(*key);
        } else if (text != nullptr && hasWords(*text)) {
            scan.unkeyed.push_back(file + ": menu " + *text);
        }
    }
    for (const XmlElement& c : e.children) {
        scanElement(c, file, scan);
    }
}

Scan scanText(std::string_view xml, const std::string& file) {
    XmlElement root;
    Scan scan;
    if (parseXml(xml, root, {4u << 20, 64, 1u << 20}) != XmlStatus::ok) {
        scan.unkeyed.push_back(file + ": not readable");
        return scan;
    }
    scanElement(root, file, scan);
    return scan;
}

TEST(SkinTexts, TheScanFindsPlainTextsAndAcceptsKeyedOnes) {
    const Scan scan = scanText(R"(<ui><widget class="QWidget" name="root">
      <widget class="QLabel" name="plain"><property name="text"><string>Brightness</string></property></widget>
      <widget class="QLabel" name="keyed"><property name="text"><string>Speed</string></property>
        <property name="textKey" stdset="0"><string>speed_key</string></property>
        <property name="toolTip"><string>How fast</string></property></widget>
      <widget class="QComboBox" name="short_list">
        <item><property name="text"><string>Static</string></property></item>
        <item><property name="text"><string>Wave</string></property></item>
        <property name="itemTextKeys" stdset="0"><stringlist><string>static_key</string></stringlist></property></widget>
      <widget class="QComboBox" name="rates"><item><property name="text"><string>125 Hz</string></property></item></widget>
      <widget class="LightKey" name="kb_key_0"><property name="text"><string>Esc</string></property></widget>
      <widget class="QPushButton" name="minus"><property name="text"><string>−</string></property></widget>
    </widget></ui>)",
                               "sample.xml");
    const std::vector<std::string> expected{
        "sample.xml: plain: Brightness", "sample.xml: keyed: How fast",
        "sample.xml: short_list: item Static", "sample.xml: short_list: item Wave"};
    EXPECT_EQ(scan.unkeyed, expected);
    EXPECT_EQ(scan.keys, (std::set<std::string>{"speed_key", "static_key"}));

    const Scan menu = scanText(R"(<menu><menu name="language" text="Language">
      <item name="lan_en" textkey="lan_en"/></menu></menu>)",
                               "menu.xml");
    EXPECT_EQ(menu.unkeyed, std::vector<std::string>{"menu.xml: menu Language"});
}

TEST(SkinTexts, EveryShownTextOfTheShippedSkinHasAKeyEnglishKnows) {
    LanguageTable english;
    ASSERT_EQ(english.load(skinFolder() / "lan_en.xml"), LanguageLoad::ok);
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(skinFolder())) {
        const std::string file = entry.path().filename().string();
        if (entry.path().extension() != ".xml" || file.starts_with("lan") || file == "res.xml") {
            continue;
        }
        ++files;
        std::string xml;
        ASSERT_EQ(readBoundedFile(entry.path(), 4u << 20, xml), LanguageLoad::ok) << file;
        const Scan scan = scanText(xml, file);
        for (const std::string& text : scan.unkeyed) {
            ADD_FAILURE() << "a shown text without a language key: " << text;
        }
        for (const std::string& key : scan.keys) {
            EXPECT_NE(english.find(key), nullptr) << file << " names a key English lacks: " << key;
        }
    }
    EXPECT_GE(files, 15u);
}

}  // namespace
}  // namespace quillon::skin

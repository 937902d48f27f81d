// The folders of src/ are layers: a folder includes only from itself, the
// folders its layer allows, and the layers below. The same table is in the
// README's layout section; change both together.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Folder {
    std::string_view name;
    int layer;
};

// Lowest first.
constexpr std::array kFolders{
    Folder{"platform", 0}, Folder{"skin", 0},                           //
    Folder{"link", 1},                                                  //
    Folder{"emu", 2},      Folder{"shell", 2},  Folder{"profiles", 2},  //
    Folder{"lighting", 3}, Folder{"attach", 3}, Folder{"mouse", 3},     //
    Folder{"keys", 3},     Folder{"update", 3}, Folder{"prefs", 3},     //
    Folder{"app", 4},                                                   //
    Folder{"gui", 5},      Folder{"cli", 5},
};

// Includes within one layer that the layer allows; every other one is refused.
struct SameLayer {
    std::string_view from;
    std::string_view to;
};
constexpr std::array kSameLayer{
    SameLayer{"skin", "platform"},
    SameLayer{"attach", "lighting"},  // the keyboard's variant is told to the lighting engine
};

// Headers that only their own folder includes: what the folder keeps to itself.
constexpr std::array<std::string_view, 1> kPrivateHeaders{
    "attach/attach_context.h",  // the attach steps' records; features use AttachService
};

std::optional<int> layerOf(std::string_view folder) {
    for (const Folder& f : kFolders)
        if (f.name == folder)
            return f.layer;
    return std::nullopt;
}

// Why `from` may not include `to`; empty when it may.
std::string broken(std::string_view from, std::string_view to) {
    if (from == to)
        return {};
    const auto a = layerOf(from);
    const auto b = layerOf(to);
    if (!a || !b)
        return "a folder the layer table does not know";
    if (*b < *a)
        return {};
    if (*b > *a)
        return std::string(from) + " (layer " + std::to_string(*a) + ") may not include " +
               std::string(to) + " (layer " + std::to_string(*b) + ", higher)";
    for (const SameLayer& s : kSameLayer)
        if (s.from == from && s.to == to)
            return {};
    return std::string(from) + " and " + std::string(to) +
           " share a layer and this include is not one the layer allows";
}

struct Violation {
    std::string where;  // file:line
    std::string rule;
};

// The header an include line names with its folder ("link/protocol.h");
// nullopt for system headers and includes of the own folder without a folder part.
std::optional<std::string> includedHeader(const std::string& line) {
    std::string_view s(line);
    const auto start = s.find_first_not_of(" \t");
    if (start == std::string_view::npos || s.substr(start, 1) != "#")
        return std::nullopt;
    s.remove_prefix(start + 1);
    s.remove_prefix(std::min(s.find_first_not_of(" \t"), s.size()));
    if (!s.starts_with("include"))
        return std::nullopt;
    const auto open = s.find('"');
    if (open == std::string_view::npos)
        return std::nullopt;
    const auto close = s.find('"', open + 1);
    const std::string_view path = s.substr(open + 1, close - open - 1);
    if (path.find('/') == std::string_view::npos)
        return std::nullopt;
    return std::string(path);
}

// The folder an include line names ("link/protocol.h" → "link").
std::optional<std::string> includedFolder(const std::string& line) {
    const auto header = includedHeader(line);
    if (!header)
        return std::nullopt;
    return header->substr(0, header->find('/'));
}

// Why `from` may not include `header` although the layers allow it; empty when it may.
std::string privateHeader(std::string_view from, std::string_view header) {
    for (std::string_view kept : kPrivateHeaders)
        if (kept == header && kept.substr(0, kept.find('/')) != from)
            return std::string(header) + " is private to its folder";
    return {};
}

std::vector<Violation> scan(const std::filesystem::path& src) {
    std::vector<Violation> found;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(src)) {
        const auto ext = entry.path().extension();
        if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp" && ext != ".inc"))
            continue;
        const auto relative = std::filesystem::relative(entry.path(), src);
        const std::string from = relative.begin()->string();
        std::ifstream in(entry.path());
        int number = 0;
        for (std::string line; std::getline(in, line);) {
            ++number;
            const auto to = includedFolder(line);
            if (!to)
                continue;
            std::string rule = broken(from, *to);
            if (rule.empty())
                rule = privateHeader(from, *includedHeader(line));
            if (!rule.empty())
                found.push_back({"src/" + relative.string() + ":" + std::to_string(number),
                                 rule + ": " + line});
        }
    }
    return found;
}

std::filesystem::path sourceRoot() {
    return std::filesystem::path(QUILLON_SOURCE_DATA_DIR).parent_path() / "src";
}

TEST(IncludeLayers, EveryIncludeUnderSrcKeepsTheLayers) {
    std::ostringstream report;
    for (const Violation& v : scan(sourceRoot()))
        report << v.where << ": " << v.rule << "\n";
    EXPECT_EQ(report.str(), "");
}

TEST(IncludeLayers, EveryFolderOfSrcHasALayer) {
    for (const auto& entry : std::filesystem::directory_iterator(sourceRoot())) {
        if (entry.is_directory()) {
            EXPECT_TRUE(layerOf(entry.path().filename().string()))
                << entry.path().filename() << " needs a row in the layer table";
        }
    }
}

TEST(IncludeLayers, TheRulesReadAsTheTableSays) {
    EXPECT_EQ(broken("cli", "attach"), "");
    EXPECT_EQ(broken("attach", "lighting"), "");
    EXPECT_NE(broken("lighting", "attach"), "");  // same layer, not allowed that way
    EXPECT_NE(broken("mouse", "attach"), "");     // the mouse is handed its records instead
    EXPECT_NE(broken("mouse", "lighting"), "");
    EXPECT_NE(broken("profiles", "cli"), "");
    EXPECT_NE(broken("link", "emu"), "");
    EXPECT_EQ(includedFolder("  #  include \"link/protocol.h\"  // why"), "link");
    EXPECT_EQ(includedFolder("#include <CLI/CLI.hpp>"), std::nullopt);
    EXPECT_EQ(includedFolder("#include \"effect_rig.h\""), std::nullopt);
    EXPECT_NE(privateHeader("app", "attach/attach_context.h"), "");
    EXPECT_EQ(privateHeader("attach", "attach/attach_context.h"), "");
}

}  // namespace

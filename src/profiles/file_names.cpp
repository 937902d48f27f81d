#include "profiles/file_names.h"

#include <string>

namespace quillon::profiles {
namespace {

namespace fs = std::filesystem;

// Number of characters of valid UTF-8 text, or npos when it is not valid.
std::size_t utf8Characters(std::string_view s) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t extra = 0;
        if (c < 0x80)
            extra = 0;
        else if ((c & 0xE0) == 0xC0 && c >= 0xC2)
            extra = 1;
        else if ((c & 0xF0) == 0xE0)
            extra = 2;
        else if ((c & 0xF8) == 0xF0 && c <= 0xF4)
            extra = 3;
        else
            return std::string_view::npos;
        if (i + extra >= s.size())
            return std::string_view::npos;  // cut short
        for (std::size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return std::string_view::npos;
        i += extra + 1;
        ++count;
    }
    return count;
}

bool equalNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

}  // namespace

bool isPlainFileName(std::string_view name, std::size_t suffixBytes) {
    if (name.empty() || name == "." || name == ".." ||
        name.size() + suffixBytes > kMaxFileNameBytes)
        return false;
    for (char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F)
            return false;
        if (std::string_view("\\/:*?\"<>|").find(ch) != std::string_view::npos)
            return false;
    }
    const char first = name.front(), last = name.back();
    if (first == ' ' || first == '.' || last == ' ' || last == '.')
        return false;
    const std::size_t characters = utf8Characters(name);
    return characters != std::string_view::npos && characters <= kMaxPlainNameCharacters;
}

fs::path findNoCase(const fs::path& folder, std::string_view name) {
    if (folder.empty())
        return {};  // no folder: no file, rather than one in the current folder
    const fs::path exact = folder / fs::path(std::string(name));
    std::error_code ec;
    if (fs::exists(exact, ec))
        return exact;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (equalNoCase(it->path().filename().string(), name))
            return it->path();
    }
    return exact;
}

}  // namespace quillon::profiles

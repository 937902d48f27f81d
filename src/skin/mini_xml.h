#pragma once

// A bounded XML reader for the program's own data files (skin index, menus,
// language files and their list), on pugixml. It gives elements, attributes,
// text and the five named entities plus numeric character references; it
// skips the XML declaration, comments, processing instructions and a DOCTYPE
// without an internal subset. CDATA sections are read as text. An unknown
// entity, an internal subset, several root elements and any input beyond the
// limits are refused; no input makes it crash.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillon::skin {

struct XmlElement {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
    std::string text;  // the element's own character data, concatenated
    std::vector<XmlElement> children;

    // The attribute's value, or nullptr when the element has none by that name.
    const std::string* attribute(std::string_view attributeName) const;
};

struct XmlLimits {
    std::size_t maxInputBytes = 1u << 20;
    std::size_t maxDepth = 16;
    std::size_t maxElements = 16384;
};

enum class [[nodiscard]] XmlStatus{
    ok,
    tooLarge,   // input, depth or element count beyond the limits
    malformed,  // not well-formed for this reader
};

// Parses a whole document; `root` is written only on success.
XmlStatus parseXml(std::string_view input, XmlElement& root, const XmlLimits& limits = {});

}  // namespace quillon::skin

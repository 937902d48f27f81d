#include "skin/mini_xml.h"

#include <cstdint>
#include <pugixml.hpp>
#include <vector>

namespace quillon::skin {

const std::string* XmlElement::attribute(std::string_view attributeName) const {
    for (const auto& [key, value] : attributes) {
        if (key == attributeName) {
            return &value;
        }
    }
    return nullptr;
}

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one reference body (between '&' and ';').
bool decodeReference(std::string_view body, std::string& out) {
    if (body == "lt") {
        out += '<';
    } else if (body == "gt") {
        out += '>';
    } else if (body == "amp") {
        out += '&';
    } else if (body == "quot") {
        out += '"';
    } else if (body == "apos") {
        out += '\'';
    } else if (body.size() >= 2 && body[0] == '#') {
        std::uint32_t cp = 0;
        const bool hex = body[1] == 'x' || body[1] == 'X';
        const std::string_view digits = body.substr(hex ? 2 : 1);
        if (digits.empty() || digits.size() > 8) {
            return false;
        }
        for (char c : digits) {
            std::uint32_t d = 0;
            if (c >= '0' && c <= '9') {
                d = static_cast<std::uint32_t>(c - '0');
            } else if (hex && c >= 'a' && c <= 'f') {
                d = static_cast<std::uint32_t>(c - 'a' + 10);
            } else if (hex && c >= 'A' && c <= 'F') {
                d = static_cast<std::uint32_t>(c - 'A' + 10);
            } else {
                return false;
            }
            cp = cp * (hex ? 16 : 10) + d;
            if (cp > 0x10FFFF) {
                return false;
            }
        }
        if (cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        appendUtf8(out, cp);
    } else {
        return false;
    }
    return true;
}

// Element count and depth of the whole tree, also of a tree a failed parse
// left behind, without recursion.
bool withinLimits(const pugi::xml_node& document, const XmlLimits& limits) {
    std::size_t elements = 0;
    std::vector<std::pair<pugi::xml_node, std::size_t>> pending{{document, 0}};
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
            if (child.type() != pugi::node_element)
                continue;
            if (depth + 1 > limits.maxDepth || ++elements > limits.maxElements)
                return false;
            pending.emplace_back(child, depth + 1);
        }
    }
    return true;
}

// Character data with its references decoded; false for an unknown or bad one.
bool decodeText(std::string_view raw, std::string& out) {
    for (std::size_t pos = 0; pos < raw.size();) {
        if (raw[pos] != '&') {
            out += raw[pos++];
            continue;
        }
        const auto semi = raw.find(';', pos);
        if (semi == std::string_view::npos || semi - pos > 12 ||
            !decodeReference(raw.substr(pos + 1, semi - pos - 1), out))
            return false;
        pos = semi + 1;
    }
    return true;
}

bool isBlank(std::string_view text) {
    for (char c : text)
        if (!isSpace(c))
            return false;
    return true;
}

// The tree's depth is already checked, so this recursion is bounded.
bool convert(const pugi::xml_node& node, XmlElement& e) {
    e.name = node.name();
    for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
        const std::string_view raw = a.value();
        std::string value;
        if (raw.find('<') != std::string_view::npos || !decodeText(raw, value) ||
            e.attribute(a.name()) != nullptr)
            return false;
        e.attributes.emplace_back(a.name(), std::move(value));
    }
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        switch (child.type()) {
            case pugi::node_element:
                e.children.emplace_back();
                if (!convert(child, e.children.back()))
                    return false;
                break;
            case pugi::node_pcdata:
                if (!decodeText(child.value(), e.text))
                    return false;
                break;
            case pugi::node_cdata:
                e.text += child.value();
                break;
            default:
                break;  // comments and processing instructions are not kept
        }
    }
    return true;
}

}  // namespace

XmlStatus parseXml(std::string_view input, XmlElement& root, const XmlLimits& limits) {
    if (input.size() > limits.maxInputBytes)
        return XmlStatus::tooLarge;
    if (input.substr(0, 3) == "\xEF\xBB\xBF")
        input.remove_prefix(3);
    // XML has no NUL characters, and the parser would take one for the end.
    if (input.find('\0') != std::string_view::npos)
        return XmlStatus::malformed;
    // References are decoded here, not by the parser, so that an unknown one is
    // refused instead of kept; the DOCTYPE is read only to refuse an internal
    // subset (entity definitions). No external entity is ever loaded.
    constexpr unsigned kOptions = pugi::parse_cdata | pugi::parse_doctype | pugi::parse_ws_pcdata;
    pugi::xml_document document;
    const pugi::xml_parse_result parsed =
        document.load_buffer(input.data(), input.size(), kOptions, pugi::encoding_utf8);
    if (!withinLimits(document, limits))
        return XmlStatus::tooLarge;
    if (!parsed)
        return XmlStatus::malformed;
    pugi::xml_node element;
    for (pugi::xml_node node = document.first_child(); node; node = node.next_sibling()) {
        switch (node.type()) {
            case pugi::node_element:
                if (element)
                    return XmlStatus::malformed;  // one root element only
                element = node;
                break;
            case pugi::node_doctype:
                if (element || std::string_view(node.value()).find('[') != std::string_view::npos)
                    return XmlStatus::malformed;
                break;
            case pugi::node_pcdata:
                if (!isBlank(node.value()))
                    return XmlStatus::malformed;
                break;
            case pugi::node_cdata:
                return XmlStatus::malformed;
            default:
                break;
        }
    }
    XmlElement parsedRoot;
    if (!element || !convert(element, parsedRoot))
        return XmlStatus::malformed;
    root = std::move(parsedRoot);
    return XmlStatus::ok;
}

}  // namespace quillon::skin

#include "skin/mini_xml.h"

#include <cstdint>

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

bool isNameChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.' || c == ':' || u >= 0x80;
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

class Parser {
  public:
    Parser(std::string_view input, const XmlLimits& limits) : in_(input), limits_(limits) {}

    XmlStatus document(XmlElement& root) {
        if (in_.substr(0, 3) == "\xEF\xBB\xBF") {
            pos_ = 3;
        }
        if (!misc(true)) {
            return status_;
        }
        if (!at("<")) {
            return XmlStatus::malformed;
        }
        XmlElement parsed;
        if (!element(parsed, 1)) {
            return status_;
        }
        if (!misc(false) || pos_ != in_.size()) {
            return XmlStatus::malformed;
        }
        root = std::move(parsed);
        return XmlStatus::ok;
    }

  private:
    bool at(std::string_view s) const { return in_.substr(pos_, s.size()) == s; }

    void skipSpace() {
        while (pos_ < in_.size() && isSpace(in_[pos_])) {
            ++pos_;
        }
    }

    bool fail(XmlStatus s = XmlStatus::malformed) {
        status_ = s;
        return false;
    }

    // Moves past the next `end`; fails when there is none.
    bool skipPast(std::string_view end) {
        const auto found = in_.find(end, pos_);
        if (found == std::string_view::npos) {
            return fail();
        }
        pos_ = found + end.size();
        return true;
    }

    // Blanks, comments and processing instructions around the root element.
    bool misc(bool prolog) {
        for (;;) {
            skipSpace();
            if (at("<?")) {
                if (!skipPast("?>")) {
                    return false;
                }
            } else if (at("<!--")) {
                pos_ += 4;
                if (!skipPast("-->")) {
                    return false;
                }
            } else if (prolog && at("<!DOCTYPE")) {
                const auto close = in_.find('>', pos_);
                const auto subset = in_.find('[', pos_);
                if (close == std::string_view::npos ||
                    (subset != std::string_view::npos && subset < close)) {
                    return fail();  // internal subsets (entity definitions) are refused
                }
                pos_ = close + 1;
            } else {
                return true;
            }
        }
    }

    bool name(std::string& out) {
        const auto start = pos_;
        while (pos_ < in_.size() && isNameChar(in_[pos_])) {
            ++pos_;
        }
        if (pos_ == start) {
            return fail();
        }
        out.assign(in_.substr(start, pos_ - start));
        return true;
    }

    // At '&': decodes one reference and moves past its ';'.
    bool reference(std::string& out) {
        const auto semi = in_.find(';', pos_);
        if (semi == std::string_view::npos || semi - pos_ > 12 ||
            !decodeReference(in_.substr(pos_ + 1, semi - pos_ - 1), out)) {
            return fail();
        }
        pos_ = semi + 1;
        return true;
    }

    // Character data up to (not including) `stop`, references decoded.
    bool characters(char stop, std::string& out) {
        while (pos_ < in_.size() && in_[pos_] != stop) {
            const char c = in_[pos_];
            if (c == '<') {
                return fail();  // only reached for attribute values
            }
            if (c == '&') {
                if (!reference(out)) {
                    return false;
                }
            } else {
                out += c;
                ++pos_;
            }
        }
        return pos_ < in_.size() || fail();
    }

    bool element(XmlElement& e, std::size_t depth) {
        if (depth > limits_.maxDepth || ++elements_ > limits_.maxElements) {
            return fail(XmlStatus::tooLarge);
        }
        ++pos_;  // '<'
        if (!name(e.name)) {
            return false;
        }
        for (;;) {
            const auto before = pos_;
            skipSpace();
            if (at("/>")) {
                pos_ += 2;
                return true;
            }
            if (at(">")) {
                ++pos_;
                break;
            }
            if (pos_ == before) {
                return fail();  // attributes must be separated by blanks
            }
            std::string key;
            if (!name(key)) {
                return false;
            }
            skipSpace();
            if (!at("=")) {
                return fail();
            }
            ++pos_;
            skipSpace();
            if (pos_ >= in_.size() || (in_[pos_] != '"' && in_[pos_] != '\'')) {
                return fail();
            }
            const char quote = in_[pos_++];
            std::string value;
            if (!characters(quote, value)) {
                return false;
            }
            ++pos_;  // closing quote
            if (e.attribute(key) != nullptr) {
                return fail();
            }
            e.attributes.emplace_back(std::move(key), std::move(value));
        }
        // Content.
        for (;;) {
            if (pos_ >= in_.size()) {
                return fail();
            }
            if (at("</")) {
                pos_ += 2;
                std::string closing;
                if (!name(closing)) {
                    return false;
                }
                skipSpace();
                if (closing != e.name || !at(">")) {
                    return fail();
                }
                ++pos_;
                return true;
            }
            if (at("<!--")) {
                pos_ += 4;
                if (!skipPast("-->")) {
                    return false;
                }
            } else if (at("<![CDATA[")) {
                pos_ += 9;
                const auto end = in_.find("]]>", pos_);
                if (end == std::string_view::npos) {
                    return fail();
                }
                e.text.append(in_.substr(pos_, end - pos_));
                pos_ = end + 3;
            } else if (at("<?")) {
                if (!skipPast("?>")) {
                    return false;
                }
            } else if (at("<")) {
                XmlElement child;
                if (!element(child, depth + 1)) {
                    return false;
                }
                e.children.push_back(std::move(child));
            } else {
                if (!textRun(e.text)) {
                    return false;
                }
            }
        }
    }

    bool textRun(std::string& out) {
        while (pos_ < in_.size() && in_[pos_] != '<') {
            if (in_[pos_] == '&') {
                if (!reference(out)) {
                    return false;
                }
            } else {
                out += in_[pos_++];
            }
        }
        return true;
    }

    std::string_view in_;
    const XmlLimits& limits_;
    std::size_t pos_ = 0;
    std::size_t elements_ = 0;
    XmlStatus status_ = XmlStatus::malformed;
};

}  // namespace

XmlStatus parseXml(std::string_view input, XmlElement& root, const XmlLimits& limits) {
    if (input.size() > limits.maxInputBytes) {
        return XmlStatus::tooLarge;
    }
    return Parser(input, limits).document(root);
}

}  // namespace quillon::skin

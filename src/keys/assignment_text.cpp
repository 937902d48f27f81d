#include "keys/assignment_text.h"

#include <array>
#include <charconv>
#include <vector>

#include "keys/function_selectors.h"
#include "keys/key_name_table.h"
#include "keys/scroll_step.h"

namespace quillon::keys {

namespace {

constexpr std::array<std::string_view, 5> kMouseButtonWords{"left", "middle", "right", "forward",
                                                            "back"};
constexpr std::array<std::string_view, 3> kDpiWords{"up", "down", "cycle"};
constexpr std::array<std::string_view, 18> kMediaWords{
    "player",    "play",       "stop",   "prev",     "next",       "volume-down",
    "volume-up", "mute",       "home",   "refresh",  "web-stop",   "back",
    "forward",   "favourites", "search", "computer", "calculator", "mail"};
constexpr std::array<std::string_view, 3> kSystemWords{"power", "sleep", "wake"};
constexpr int kMaxMacroNumber = 49;

static_assert(kMediaWords.size() == kMultimediaSelector.size());
static_assert(kMouseButtonWords.size() == kMouseButtonSelector.size());

bool fail(std::string* error, std::string why) {
    if (error != nullptr)
        *error = std::move(why);
    return false;
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

template <std::size_t N>
std::optional<std::size_t> wordIndex(const std::array<std::string_view, N>& words,
                                     std::string_view word) {
    for (std::size_t i = 0; i < N; ++i)
        if (sameWord(words[i], word))
            return i;
    return std::nullopt;
}

std::vector<std::string_view> splitCommas(std::string_view text) {
    std::vector<std::string_view> parts;
    for (;;) {
        const auto comma = text.find(',');
        parts.push_back(text.substr(0, comma));
        if (comma == std::string_view::npos)
            return parts;
        text.remove_prefix(comma + 1);
    }
}

std::optional<int> number(std::string_view text, int lowest, int highest) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

// "LCtrl+C", "Num +", "LShift+LAlt": modifiers and at most one other key.
bool parseKeys(std::string_view text, KeyAssignment& out, std::string* error) {
    out = {FN_KEY, 0, 0};
    bool haveKey = false;
    while (!text.empty()) {
        // The longest name at this point: "Num +" is one key, not "Num " and "+".
        const KeyNameEntry* best = nullptr;
        for (std::size_t i = 0; i < kKeyboardKeyNameCount; ++i) {
            const std::string_view name = kKeyNameTable[i].shortName();
            if (name.size() <= text.size() && sameWord(name, text.substr(0, name.size())) &&
                (best == nullptr || name.size() > best->shortName().size()))
                best = &kKeyNameTable[i];
        }
        if (best == nullptr)
            return fail(error, "unknown key name at '" + std::string(text) + "'");
        text.remove_prefix(best->shortName().size());
        if (best->assignment.p2 == 0) {
            out.p1 |= best->assignment.p1;
        } else if (haveKey) {
            return fail(error, "more than one key that is not a modifier");
        } else {
            out.p2 = best->assignment.p2;
            haveKey = true;
        }
        if (text.empty())
            break;
        if (text.front() != '+' || text.size() == 1)
            return fail(error, "keys are joined with '+'");
        text.remove_prefix(1);
    }
    if (out.p1 == 0 && out.p2 == 0)
        return fail(error, "no key given");
    return true;
}

bool parseScroll(bool horizontal, std::string_view args, KeyAssignment& out, std::string* error) {
    const auto parts = splitCommas(args);
    if (parts.size() != 2 && parts.size() != 4)
        return fail(error, "scroll takes DIRECTION,AMOUNT[,VALUE,VALUE]");
    const std::array<std::string_view, 2> directions =
        horizontal ? std::array<std::string_view, 2>{"left", "right"}
                   : std::array<std::string_view, 2>{"up", "down"};
    const auto direction = wordIndex(directions, parts[0]);
    const auto amount = number(parts[1], 0, kMaxScrollAmount);
    std::optional<int> high = 0, low = 0;
    if (parts.size() == 4) {
        high = number(parts[2], 0, kMaxScrollNibble);
        low = number(parts[3], 0, kMaxScrollNibble);
    }
    if (!direction || !amount || !high || !low)
        return fail(error, "scroll: direction " + std::string(directions[0]) + "|" +
                               std::string(directions[1]) + ", amount 0..127, values 0..15");
    const ScrollStep step{*direction == 1, *amount, *high, *low};
    out = horizontal ? horizontalScroll(step) : verticalScroll(step);
    return true;
}

template <std::size_t N>
bool fromWords(const std::array<std::string_view, N>& words,
               std::span<const SelectorEntry> selector, std::string_view arg, KeyAssignment& out,
               std::string* error) {
    const auto i = wordIndex(words, arg);
    if (!i) {
        std::string list;
        for (std::string_view w : words)
            list += (list.empty() ? "" : "|") + std::string(w);
        return fail(error, "one of " + list);
    }
    out = selector[*i].assignment;
    return true;
}

bool parseTwo(std::string_view args, int firstMax, int secondLow, int secondMax, int& a, int& b) {
    const auto parts = splitCommas(args);
    if (parts.size() != 2)
        return false;
    const auto x = number(parts[0], 0, firstMax);
    const auto y = number(parts[1], secondLow, secondMax);
    if (!x || !y)
        return false;
    a = *x;
    b = *y;
    return true;
}

}  // namespace

std::optional<AssignmentText> parseAssignmentText(std::string_view text, std::string* error) {
    if (sameWord(text, "default"))
        return AssignmentText{{}, true};
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) {
        fail(error, "expected KIND:VALUE or default");
        return std::nullopt;
    }
    const std::string_view kind = text.substr(0, colon);
    const std::string_view args = text.substr(colon + 1);
    KeyAssignment a;
    bool ok = false;
    int x = 0, y = 0;
    if (sameWord(kind, "key")) {
        ok = parseKeys(args, a, error);
    } else if (sameWord(kind, "mouse")) {
        ok = fromWords(kMouseButtonWords, kMouseButtonSelector, args, a, error);
    } else if (sameWord(kind, "hscroll") || sameWord(kind, "vscroll")) {
        ok = parseScroll(sameWord(kind, "hscroll"), args, a, error);
    } else if (sameWord(kind, "dpi")) {
        ok = fromWords(kDpiWords, kDpiSelector, args, a, error);
    } else if (sameWord(kind, "fire")) {
        ok = parseTwo(args, 255, 1, 255, x, y) ||
             fail(error, "fire takes RATE,SHOTS (0..255, 1..255)");
        a = {FN_FIRE, std::uint8_t(x), std::uint8_t(y)};
    } else if (sameWord(kind, "media")) {
        ok = fromWords(kMediaWords, kMultimediaSelector, args, a, error);
    } else if (sameWord(kind, "system")) {
        ok = fromWords(kSystemWords, kSystemSelector, args, a, error);
    } else if (sameWord(kind, "macro")) {
        ok = parseTwo(args, kMaxMacroNumber, 0, kMacroPlayModes - 1, x, y) ||
             fail(error, "macro takes NUMBER,MODE (0..49, 0..3)");
        a = {FN_MACRO, std::uint8_t(x), std::uint8_t(y)};
    } else if (sameWord(kind, "macro-count")) {
        ok = parseTwo(args, kMaxMacroNumber, 0, 255, x, y) ||
             fail(error, "macro-count takes NUMBER,COUNT (0..49, 0..255)");
        a = {FN_MACRO_COUNT, std::uint8_t(x), std::uint8_t(y)};
    } else if (sameWord(kind, "gun")) {
        const auto pattern = number(args, 1, int(kMovementPatternSelector.size()));
        ok = pattern.has_value() || fail(error, "gun takes a pattern 1..4");
        if (pattern)
            a = kMovementPatternSelector[std::size_t(*pattern - 1)].assignment;
    } else {
        fail(error, "unknown function '" + std::string(kind) + "'");
    }
    if (!ok)
        return std::nullopt;
    return AssignmentText{a, false};
}

std::optional<std::string> assignmentTextOf(const KeyAssignment& a) {
    auto word = [&](auto& words, std::span<const SelectorEntry> selector,
                    std::string_view kind) -> std::optional<std::string> {
        if (const SelectorEntry* e = findSelectorEntry(selector, a))
            return std::string(kind) + ":" + std::string(words[e->item]);
        return std::nullopt;
    };
    const std::string p1 = std::to_string(a.p1), p2 = std::to_string(a.p2);
    switch (a.type) {
        case FN_KEY: {
            std::string text;
            for (std::size_t i = 0; i < 8; ++i)
                if ((a.p1 & kKeyNameTable[i].assignment.p1) != 0)
                    text += (text.empty() ? "" : "+") + std::string(kKeyNameTable[i].shortName());
            if (a.p2 != 0) {
                const KeyNameEntry* key = findKeyByParams(keyboardKey(a.p2));
                if (key == nullptr || !isKeyboardKey(*key))
                    return std::nullopt;
                text += (text.empty() ? "" : "+") + std::string(key->shortName());
            }
            if (text.empty())
                return std::nullopt;
            return "key:" + text;
        }
        case FN_MOUSE_BUTTON:
            return word(kMouseButtonWords, kMouseButtonSelector, "mouse");
        case FN_HSCROLL:
        case FN_VSCROLL: {
            const ScrollStep s = scrollStepOf(a);
            const bool h = a.type == FN_HSCROLL;
            if (!h && s.amount > kMaxScrollAmount)
                return std::nullopt;
            return std::string(h ? "hscroll:" : "vscroll:") +
                   (h ? (s.secondDirection ? "right" : "left")
                      : (s.secondDirection ? "down" : "up")) +
                   "," + std::to_string(s.amount) + "," + std::to_string(s.highNibble) + "," +
                   std::to_string(s.lowNibble);
        }
        case FN_DPI:
            return word(kDpiWords, kDpiSelector, "dpi");
        case FN_FIRE:
            return a.p2 == 0 ? std::nullopt : std::optional<std::string>("fire:" + p1 + "," + p2);
        case FN_CONSUMER:
            return word(kMediaWords, kMultimediaSelector, "media");
        case FN_SYSTEM:
            return word(kSystemWords, kSystemSelector, "system");
        case FN_MACRO:
            if (a.p1 > kMaxMacroNumber || a.p2 >= kMacroPlayModes)
                return std::nullopt;
            return "macro:" + p1 + "," + p2;
        case FN_MACRO_COUNT:
            if (a.p1 > kMaxMacroNumber)
                return std::nullopt;
            return "macro-count:" + p1 + "," + p2;
        case FN_GUN:
            if (a.p1 >= kMovementPatternSelector.size() || a.p2 != 0)
                return std::nullopt;
            return "gun:" + std::to_string(a.p1 + 1);
        default:
            return std::nullopt;
    }
}

}  // namespace quillon::keys

#include "cli/profile_record_text.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "cli/hex_text.h"
#include "profiles/profile_records.h"

namespace quillon::cli {
namespace {

// Hex lines of `perLine` bytes, each prefixed with its offset.
void hexBlock(std::ostream& out, std::string_view indent, std::span<const std::uint8_t> bytes,
              std::size_t base, std::size_t perLine) {
    for (std::size_t at = 0; at < bytes.size(); at += perLine) {
        char off[32];
        std::snprintf(off, sizeof off, "%4zu: ", base + at);
        out << indent << off << hexBytes(bytes.subspan(at, std::min(perLine, bytes.size() - at)))
            << "\n";
    }
}

std::string colour(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    char s[16];
    std::snprintf(s, sizeof s, "#%02X%02X%02X", r, g, b);
    return s;
}

// The LightingRecord at bytes 1..8 of a device state.
void lighting(std::ostream& out, std::span<const std::uint8_t> r) {
    out << "  lighting: mode " << int(r[1]) << ", brightness " << int(r[2]) << ", speed "
        << int(r[3]) << ", direction " << int(r[4]) << ", multi-colour " << int(r[5]) << ", colour "
        << colour(r[6], r[7], r[8]) << "\n";
}

void showKeyboardLighting(std::ostream& out, std::span<const std::uint8_t> r) {
    out << "  active slot: " << int(r[0]) << "\n";
    lighting(out, r);
    out << "  further keyboard bytes (9..20): " << hexBytes(r.subspan(9, 12)) << "\n";
    out << "  rest of slot record (21..63):\n";
    hexBlock(out, "    ", r.subspan(21, 43), 21, 16);
    out << "  custom set: " << int(r[64]) << ", paint colour " << colour(r[65], r[66], r[67])
        << "\n";
    for (std::size_t s = 0; s < profiles::kColourSetCount; ++s) {
        const std::size_t at = 68 + s * profiles::kColourSetSize;
        out << "  colour set " << s << " (red green blue per key):\n";
        hexBlock(out, "    ", r.subspan(at, profiles::kColourSetSize), at, 21);
    }
}

void showMouseLighting(std::ostream& out, std::span<const std::uint8_t> r) {
    out << "  active slot: " << int(r[0]) << "\n";
    lighting(out, r);
    out << "  effect byte: " << int(r[9]) << ", spare byte: " << int(r[10]) << "\n";
    out << "  DPI colour: " << colour(r[11], r[12], r[13]) << "\n";
    out << "  report-rate index: " << int(r[14]) << "\n";
    out << "  DPI levels (stages 1..6):";
    for (std::size_t i = 15; i <= 20; ++i)
        out << " " << int(r[i]);
    out << "\n  current DPI stage: " << int(r[21]) << "\n  lift-off level: " << int(r[22])
        << "\n  pointer speed: " << int(r[23]) << "\n  wheel lines: " << int(r[24])
        << "\n  rest of slot record (25..63):\n";
    hexBlock(out, "    ", r.subspan(25), 25, 16);
}

void showMousepadLighting(std::ostream& out, std::span<const std::uint8_t> r) {
    out << "  active slot: " << int(r[0]) << "\n";
    lighting(out, r);
    out << "  effect byte: " << int(r[9])
        << "\n  further bytes (10..20): " << hexBytes(r.subspan(10, 11))
        << "\n  rest of slot record (21..63):\n";
    hexBlock(out, "    ", r.subspan(21), 21, 16);
}

void showKeys(std::ostream& out, std::span<const std::uint8_t> r) {
    // Slots up to the last one that is not all zero; the zero rest is summarised.
    std::size_t used = r.size() / 3;
    while (used > 0 && r[3 * used - 3] == 0 && r[3 * used - 2] == 0 && r[3 * used - 1] == 0)
        --used;
    out << "  key map (type p1 p2 per slot):\n";
    for (std::size_t s = 0; s < used; s += 8) {
        char label[40];
        std::snprintf(label, sizeof label, "    slot %3zu:", s);
        out << label;
        for (std::size_t k = s; k < std::min(used, s + 8); ++k)
            out << "  " << hexBytes(r.subspan(3 * k, 3));
        out << "\n";
    }
    out << "  slots " << used << ".." << (r.size() / 3 - 1) << ": zero";
    if (r.size() % 3)
        out << "; last " << r.size() % 3 << " bytes: " << hexBytes(r.subspan(r.size() / 3 * 3));
    out << "\n";
}

}  // namespace

void printProfileRecord(std::ostream& out, profiles::ProfileListId list,
                        std::span<const std::uint8_t> record) {
    switch (list) {
        case profiles::ProfileListId::keyboardLighting:
            showKeyboardLighting(out, record);
            break;
        case profiles::ProfileListId::mouseLighting:
            showMouseLighting(out, record);
            break;
        case profiles::ProfileListId::mousepadLighting:
            showMousepadLighting(out, record);
            break;
        case profiles::ProfileListId::keyboardKeys:
        case profiles::ProfileListId::mouseKeys:
            showKeys(out, record);
            break;
    }
}

}  // namespace quillon::cli

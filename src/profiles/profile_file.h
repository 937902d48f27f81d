#pragma once

// A profile content file: a 16-byte header (magic 0x55AA little-endian, the
// device kind code) and one fixed-size record. Readers check the magic only,
// so a file of another device kind is accepted.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

#include "platform/atomic_file.h"

namespace quillon::profiles {

inline constexpr std::size_t kProfileHeaderSize = 16;
inline constexpr std::uint16_t kProfileMagic = 0x55AA;

struct ProfileFileHeader {
    std::array<std::uint8_t, kProfileHeaderSize> bytes{};

    static constexpr std::size_t kMagicOffset = 0;
    static constexpr std::size_t kDeviceKindOffset = 4;

    static constexpr ProfileFileHeader make(std::uint16_t deviceKindCode) {
        ProfileFileHeader h;
        h.bytes[kMagicOffset] = kProfileMagic & 0xFF;
        h.bytes[kMagicOffset + 1] = kProfileMagic >> 8;
        h.bytes[kDeviceKindOffset] = deviceKindCode & 0xFF;
        h.bytes[kDeviceKindOffset + 1] = deviceKindCode >> 8;
        return h;
    }
    constexpr std::uint16_t magic() const {
        return static_cast<std::uint16_t>(bytes[kMagicOffset] | bytes[kMagicOffset + 1] << 8);
    }
    constexpr std::uint16_t deviceKindCode() const {
        return static_cast<std::uint16_t>(bytes[kDeviceKindOffset] | bytes[kDeviceKindOffset + 1]
                                                                         << 8);
    }
};
static_assert(sizeof(ProfileFileHeader) == kProfileHeaderSize);

// The values the behaviour gives: 0 read, 1 missing, -1 foreign magic.
enum class [[nodiscard]] ProfileReadResult : int{
    ok = 0,
    missing = 1,   // no such file, or it cannot be opened for reading
    foreign = -1,  // the first 16-bit word is not 0x55AA; the buffer is untouched
};

// Reads the record of a content file into `record`, which the caller has zeroed:
// a file shorter than header + record fills what it holds and still gives ok.
ProfileReadResult readProfileFile(const std::filesystem::path& path,
                                  std::span<std::uint8_t> record);

// The same over bytes already in memory (the whole file).
ProfileReadResult parseProfileFile(std::span<const std::uint8_t> file,
                                   std::span<std::uint8_t> record);

// Header + record, as written to a file.
std::size_t encodeProfileFile(std::span<const std::uint8_t> record, std::uint16_t deviceKindCode,
                              std::span<std::uint8_t> out);

// Replaces the file atomically with header + record, serialised with other
// writers of the path. A failure is also written to the debug output with the
// fixed phrase of the behaviour.
platform::FileWriteResult writeProfileFile(const std::filesystem::path& path,
                                           std::span<const std::uint8_t> record,
                                           std::uint16_t deviceKindCode,
                                           platform::PathLocks& locks);

}  // namespace quillon::profiles

// libFuzzer target: a profile content file of any bytes, read as the record of
// every list and spread into the in-memory records.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "profiles/profile_file.h"
#include "profiles/profile_records.h"

using namespace quillon::profiles;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    const bool ours = size >= 2 && data[0] == 0xAA && data[1] == 0x55;

    KeyboardLightingRecord kb{};
    const auto r = parseProfileFile(file, kb);
    if ((r == ProfileReadResult::ok) != ours)
        std::abort();
    KeyboardLightingMemory kbMemory;
    if (r == ProfileReadResult::ok)
        applyRecord(kb, kbMemory);

    MouseLightingRecord ms{};
    if (parseProfileFile(file, ms) == ProfileReadResult::ok) {
        MouseLightingMemory m;
        applyRecord(ms, m);
        // Speed and wheel lines are never 0 once loaded.
        if (m.pointerSpeed == 0 || m.wheelLines == 0)
            std::abort();
    }
    KeyRecord keys{};
    if (parseProfileFile(file, keys) == ProfileReadResult::ok) {
        KeyMapMemory k;
        applyRecord(keys, k);
        if (assembleRecord(k) != keys)
            std::abort();
    }
    return 0;
}

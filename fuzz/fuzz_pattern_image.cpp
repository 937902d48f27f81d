// libFuzzer target: movement-pattern images as a mouse might send them back.
// An image that is accepted holds at most four patterns of at most 180
// actions, every shot of it can be loaded, and it builds again into an image
// of the same size that reads back to the same patterns.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "keys/pattern_image.h"
#include "keys/pattern_shot.h"

using namespace quillon::keys;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto patterns = readPatternImage(std::span(data, size));
    if (!patterns)
        return 0;
    if (patterns->size() > kMaxPatterns)
        std::abort();
    for (const PatternList& p : *patterns) {
        if (p.size() > kMaxPatternActions)
            std::abort();
        for (int s = 0; s < kPatternShots; ++s)
            (void)loadShot(p, s);
    }
    const ActionTableBuild again = buildPatternImage(*patterns);
    if (patterns->empty())
        return 0;
    if (again.result != ActionTableResult::ok || again.image.size() > kPatternMemoryBytes)
        std::abort();
    const auto back = readPatternImage(again.image);
    if (!back || back->size() != patterns->size())
        std::abort();
    for (std::size_t i = 0; i < back->size(); ++i)
        for (std::size_t j = 0; j < (*back)[i].size(); ++j)
            if (macroActionDeviceBytes((*back)[i][j]) != macroActionDeviceBytes((*patterns)[i][j]))
                std::abort();
    return 0;
}

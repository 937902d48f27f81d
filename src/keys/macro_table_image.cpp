#include "keys/macro_table_image.h"

namespace quillon::keys {

namespace {

void putU16(std::vector<std::uint8_t>& image, std::size_t at, std::uint32_t value) {
    image[at] = std::uint8_t(value & 0xFF);
    image[at + 1] = std::uint8_t((value >> 8) & 0xFF);
}

std::uint32_t getU16(std::span<const std::uint8_t> image, std::size_t at) {
    return std::uint32_t(image[at]) | std::uint32_t(image[at + 1]) << 8;
}

}  // namespace

std::uint32_t actionTableSize(std::span<const std::span<const MacroAction>> lists) {
    std::uint64_t size = kActionTableHeaderBytes + 2 * lists.size();
    for (const auto& list : lists)
        size += kActionBlockHeaderBytes + kMacroActionDeviceBytes * list.size();
    return size > UINT32_MAX ? UINT32_MAX : std::uint32_t(size);
}

ActionTableBuild buildActionTableImage(std::span<const std::span<const MacroAction>> lists,
                                       std::size_t maxLists, std::size_t memoryBytes) {
    ActionTableBuild build;
    if (lists.empty())
        return build;
    build.size = actionTableSize(lists);
    if (lists.size() > maxLists) {
        build.result = ActionTableResult::tooManyLists;
        return build;
    }
    if (build.size > memoryBytes || build.size > kMaxActionTableBytes) {
        build.result = ActionTableResult::tooLarge;
        return build;
    }
    std::vector<std::uint8_t>& image = build.image;
    image.assign(build.size, 0);
    putU16(image, 0, kActionTableMagic);
    putU16(image, 2, build.size);
    putU16(image, 4, std::uint32_t(lists.size()));
    std::size_t offset = kActionTableHeaderBytes + 2 * lists.size();
    for (std::size_t i = 0; i < lists.size(); ++i) {
        putU16(image, kActionTableHeaderBytes + 2 * i, std::uint32_t(offset));
        putU16(image, offset, std::uint32_t(lists[i].size()));
        std::size_t at = offset + kActionBlockHeaderBytes;
        for (const MacroAction& action : lists[i]) {
            for (std::uint8_t b : macroActionDeviceBytes(action))
                image[at++] = b;
        }
        offset = at;
    }
    build.result = ActionTableResult::ok;
    return build;
}

ActionTableBuild buildMacroTableImage(std::span<const Macro> macros, std::size_t memoryBytes) {
    std::vector<std::span<const MacroAction>> lists;
    lists.reserve(macros.size());
    for (const Macro& macro : macros)
        lists.emplace_back(macro.actions);
    return buildActionTableImage(lists, kMaxMacros, memoryBytes);
}

std::optional<std::vector<std::vector<MacroActionBytes>>> readActionTableImage(
    std::span<const std::uint8_t> image, std::size_t maxLists, std::size_t maxActions,
    std::size_t memoryBytes) {
    if (image.size() < kActionTableHeaderBytes || getU16(image, 0) != kActionTableMagic)
        return std::nullopt;
    const std::size_t size = getU16(image, 2);
    const std::size_t count = getU16(image, 4);
    if (size < kActionTableHeaderBytes || size > image.size() || size > memoryBytes ||
        count > maxLists || kActionTableHeaderBytes + 2 * count > size)
        return std::nullopt;
    image = image.first(size);
    std::vector<std::vector<MacroActionBytes>> lists(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t offset = getU16(image, kActionTableHeaderBytes + 2 * i);
        if (offset + kActionBlockHeaderBytes > size)
            return std::nullopt;
        const std::size_t actions = getU16(image, offset);
        if (actions > maxActions ||
            offset + kActionBlockHeaderBytes + kMacroActionDeviceBytes * actions > size)
            return std::nullopt;
        lists[i].resize(actions);
        for (std::size_t j = 0; j < actions; ++j) {
            const std::size_t at = offset + kActionBlockHeaderBytes + kMacroActionDeviceBytes * j;
            for (std::size_t b = 0; b < kMacroActionDeviceBytes; ++b)
                lists[i][j][b] = image[at + b];
        }
    }
    return lists;
}

}  // namespace quillon::keys

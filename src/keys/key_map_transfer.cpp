#include "keys/key_map_transfer.h"

#include <algorithm>
#include <mutex>

#include "link/protocol.h"

namespace quillon::keys {

namespace {

// Begin, `send`, End. After a failed step End is still sent so the device
// leaves the sequence, but the first failure is what counts. The link is held
// for the whole sequence: another thread's sequence must not start inside it.
template <class Send>
link::Status framed(link::DeviceLink& link, Send&& send) {
    std::lock_guard hold(link.lock);
    const link::Status began = link::begin(link);
    if (!link::succeeded(began))
        return began;
    const link::Status sent = send();
    const link::Status ended = link::end(link);
    return link::succeeded(sent) ? ended : sent;
}

}  // namespace

link::Status downloadKeyMap(link::DeviceLink& link, std::span<const std::uint8_t> bytes, int slot) {
    return framed(link, [&] { return link::writeKeymapSlot(link, bytes, slot); });
}

link::Status saveKeysToDevice(link::DeviceLink& link, const KeySaveRequest& request) {
    if (!request.macroImage.empty()) {
        const link::Status macros =
            framed(link, [&] { return link::writeMacros(link, request.macroImage); });
        if (!link::succeeded(macros))
            return macros;
    }
    const std::size_t n = std::min(request.byteCount, request.map.size());
    return downloadKeyMap(link, std::span(request.map).first(n), request.slot);
}

std::optional<int> macroActionsToRemove(std::size_t imageSize, std::size_t memoryBytes) {
    if (imageSize <= memoryBytes)
        return std::nullopt;
    return static_cast<int>((imageSize - memoryBytes) / 4 + 1);
}

}  // namespace quillon::keys

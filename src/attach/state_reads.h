#pragma once

// Reading a device's stored state into the program: at arrival on the attach
// thread (the link's lock already held for the whole poll) and on request on
// the device-jobs worker (the lock taken per exchange); never on the GUI
// thread, which hears of the results through posted work. Only answers that
// arrived are stored or saved: a device that stays silent leaves the stores
// and the user's profile files as they were.

#include <cstdint>

#include "attach/attach_context.h"

namespace quillon::attach {

// Most keys a keyboard's key-map block can describe (3 bytes per key in 512).
inline constexpr int kMaxKeyboardKeys = 170;

enum class [[nodiscard]] StateRead{
    done,
    tooManyKeys,  // "message_text_11" shown; key maps not read, no End sent
};

// Begin, info, block length, factory key map, key map of slot 0, slot 0's
// lighting made current, End; then the key index and the selected key profile.
StateRead readKeyboardState(AttachContext& ctx);

// The factory key map, also written as the variant's default key file in the
// program folder (its user overlay). False when nothing was read or written.
// GUI thread (it publishes KeyboardKeyMapRead).
bool storeKeyboardDefaultKeys(AttachContext& ctx);

// Begin, info, factory key map, key maps of slots 0..4, slot 0 made current,
// End; then slot 0 saved as the selected lighting profile and the slot 0 key
// map as the selected key profile.
void readMouseState(AttachContext& ctx);

// The mouse's settings record (offset 0) as slot 0; no Begin or End.
void readMouseSettings(AttachContext& ctx);

// Begin, info, the five slot records, the active slot made current, End; then
// slot 0 saved as the selected lighting profile.
void readMousepadState(AttachContext& ctx);

// The active slot and its record; no Begin or End.
void readMousepadActiveSlot(AttachContext& ctx);

}  // namespace quillon::attach

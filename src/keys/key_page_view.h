#pragma once

// The key and movement-pattern pages' own controls that depend on the
// arrived keyboard variant or mouse model. The key assignment and pattern
// features will grow this view; until then it owns only these.

#include <array>
#include <string_view>

#include "shell/event_bus.h"
#include "skin/skin.h"

namespace quillon::keys {

struct KeyPageControls {
    std::string_view membraneKeys = "kb_film_key";
    std::string_view mechanicalKeys = "kb_mechanical_key";
    std::string_view mouseKeyLayout = "ms_key_layout";
    std::string_view mouse2KeyLayout = "ms2_key_layout";
    std::string_view patternPage = "ms_cursor_Op_tab";
    std::string_view patternKeys = "key_gun";
    std::string_view firstPatternOption = "ms_gun_op_0";

    constexpr std::array<std::string_view, 7> all() const {
        return {membraneKeys, mechanicalKeys, mouseKeyLayout,    mouse2KeyLayout,
                patternPage,  patternKeys,    firstPatternOption};
    }
};
inline constexpr KeyPageControls kKeyPageControls{};

// Subscribes the view to DeviceArrived. `skin` must outlive `events`' use.
void installKeyPageView(shell::EventBus& events, skin::Skin& skin);

}  // namespace quillon::keys

#pragma once

// The window steps the three device kinds share, and the device events,
// handed to the GUI thread without waiting (the attach thread holds its
// link's lock meanwhile).

#include <atomic>
#include <optional>
#include <string_view>

#include "attach/attach_context.h"
#include "attach/fallback_view.h"
#include "link/device_events.h"

namespace quillon::attach {

AttachedKinds attachedKinds(const AttachContext& ctx);

// Timer 7 (repaint once), the kind's tab panel shown, the window shown and focused.
void postShowWindow(AttachContext& ctx, std::string_view tabPanel);

// The tab of the arrived variant shown and selected.
void postArrivedTab(AttachContext& ctx, std::string_view tab);

// DeviceArrived published on the GUI thread.
void postArrived(AttachContext& ctx, const link::DeviceArrived& arrived);

// After a kind left: select the fallback tab, or hide the main window; then
// DeviceLeft published (its `nothingLeft` filled in here).
void postFallback(AttachContext& ctx, link::DeviceLeft left);

// The lighting profile row `select` of the index, and optionally the key
// profile row, selected and applied on the GUI thread.
void postProfileSelection(AttachContext& ctx, profiles::ProfileListId lighting,
                          std::optional<profiles::ProfileListId> keys);

// The kind's "same mode" option is shown only while another kind is attached.
// Posts only when that changes, so a still-present poll costs nothing.
class SameModeOption {
  public:
    explicit SameModeOption(std::string_view control) : control_(control) {}
    void update(AttachContext& ctx, link::DeviceKind kind);
    // Forget what was shown (the next update posts again).
    void reset() { shown_ = -1; }

  private:
    std::string_view control_;
    std::atomic<int> shown_{-1};
};

}  // namespace quillon::attach

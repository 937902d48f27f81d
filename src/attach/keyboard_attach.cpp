#include "attach/keyboard_attach.h"

#include <chrono>

#include "attach/state_reads.h"
#include "platform/debug_output.h"
#include "profiles/first_profile_reseed.h"

namespace quillon::attach {

using link::DeviceKind;
using profiles::ProfileListId;

namespace {
// The keyboard settles after its interface opens before it takes commands.
constexpr std::chrono::milliseconds kSettleTime{100};
constexpr std::uint8_t kMembrane = 2;
}  // namespace

UpdateNotice keyboardArrivalNotice(std::uint8_t variant) {
    switch (variant) {
        case 1:
            return UpdateNotice::oneColourKeyboardArrived;
        case 2:
            return UpdateNotice::membraneKeyboardArrived;
        default:
            return UpdateNotice::rgbKeyboardArrived;
    }
}

UpdateNotice keyboardRemovalNotice(std::uint8_t variant) {
    switch (variant) {
        case 1:
            return UpdateNotice::oneColourKeyboardLeft;
        case 2:
            return UpdateNotice::membraneKeyboardLeft;
        default:
            return UpdateNotice::rgbKeyboardLeft;
    }
}

void KeyboardAttach::arrival(link::DeviceLink& link) {
    if (stop_ != nullptr) {
        if (stop_->waitFor(kSettleTime) == link::StopSignal::Wake::stop)
            return;
    }
    const platform::HidAttributes& attrs = link.hid.attributes();
    ctx_.identity.keyboardFirmwareVersion = attrs.versionNumber;
    static_cast<void>(ctx_.profiles.folders.profileFolder(DeviceKind::keyboard));

    const link::Product* product = link::findProduct(attrs.vendorId, attrs.productId);
    const std::uint8_t variant = product != nullptr ? product->variant : 0;
    ctx_.identity.keyboardVariant = variant;
    if (ctx_.lightingKeyboardVariant != nullptr)
        *ctx_.lightingKeyboardVariant = variant;
    ctx_.loop.post([&ctx = ctx_, variant] {
        // Before the profile selection posted below loads the first profile;
        // the reseed tells the user itself where that matters.
        static_cast<void>(profiles::reseedFirstProfile(ctx.profiles, ctx.skin, ctx.profileRun,
                                                       DeviceKind::keyboard, variant));
        const bool film = variant == kMembrane;
        showControl(ctx.skin, "kb_film_light", film);
        showControl(ctx.skin, "kb_mechanical_light", !film);
        showControl(ctx.skin, "kb_film_key", film);
        showControl(ctx.skin, "kb_mechanical_key", !film);
        bindControls(ctx.skin, film ? "kb_fkey_" : "kb_dkey_", ctx.controls.keyControls);
    });

    // More than 170 keys was told to the user; the rest of the arrival runs.
    static_cast<void>(readKeyboardState(ctx_));

    postProfileSelection(ctx_, ProfileListId::keyboardLighting, ProfileListId::keyboardKeys);
    ctx_.loop.post([&ctx = ctx_] { ctx.hooks.refreshKeyboardLightingView(); });
    postShowWindow(ctx_, "kb_tab_panel");
    ctx_.identity.keyboardPresent = keyboardPresentCode(variant);
    postArrivedTab(ctx_, tabOf(DeviceKind::keyboard, variant), keyboardArrivalNotice(variant));
    sameMode_.reset();
}

void KeyboardAttach::removal(link::DeviceLink&) {
    const std::uint8_t variant = ctx_.identity.keyboardVariant.load();
    switch (variant) {
        case 1:
            platform::debugOutput("单色键盘不见了");
            break;
        case 2:
            platform::debugOutput("薄膜键盘Lost");
            break;
        default:
            platform::debugOutput("RGB键盘不见了");
            break;
    }
    ctx_.identity.keyboardPresent = 0;
    ctx_.loop.post([&ctx = ctx_, variant] {
        ctx.hooks.updateWindowNotice(keyboardRemovalNotice(variant));
        showControl(ctx.skin, "kb_tab", false);
        showControl(ctx.skin, "kb_onecolor_tab", false);
        showControl(ctx.skin, "kb_film_tab", false);
    });
    postFallback(ctx_, DeviceKind::keyboard);
}

void KeyboardAttach::stillPresent(link::DeviceLink&) {
    sameMode_.update(ctx_, DeviceKind::keyboard);
}

}  // namespace quillon::attach

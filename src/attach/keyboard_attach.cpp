#include "attach/keyboard_attach.h"

#include <chrono>

#include "attach/attach_controls.h"
#include "attach/state_reads.h"
#include "attach/window_steps.h"
#include "platform/debug_output.h"
#include "profiles/first_profile_reseed.h"

namespace quillon::attach {

using link::DeviceKind;
using link::KeyboardVariant;
using profiles::ProfileListId;

namespace {
// The keyboard settles after its interface opens before it takes commands.
constexpr std::chrono::milliseconds kSettleTime{100};
}  // namespace

void KeyboardAttach::arrival(link::DeviceLink& link) {
    if (stop_ != nullptr) {
        if (stop_->waitFor(kSettleTime) == link::StopSignal::Wake::stop)
            return;
    }
    const platform::HidAttributes& attrs = link.hid.attributes();
    ctx_.identity.keyboardFirmwareVersion = attrs.versionNumber;
    static_cast<void>(ctx_.profiles.folders.profileFolder(DeviceKind::keyboard));

    const KeyboardVariant variant =
        link::keyboardVariantOf(link::findProduct(attrs.vendorId, attrs.productId));
    // Before any frame can reach the new keyboard: the lighting threads read it.
    ctx_.identity.keyboardVariant = variant;
    ctx_.loop.post([&ctx = ctx_, variant] {
        // Before the profile selection posted below loads the first profile;
        // the reseed tells the user itself where that matters.
        static_cast<void>(profiles::reseedFirstProfile(ctx.profiles, ctx.skin, ctx.profileRun,
                                                       DeviceKind::keyboard,
                                                       link::variantByte(variant)));
    });

    // More than 170 keys was told to the user; the rest of the arrival runs.
    static_cast<void>(readKeyboardState(ctx_));

    postProfileSelection(ctx_, ProfileListId::keyboardLighting, ProfileListId::keyboardKeys);
    link::DeviceArrived arrived;
    arrived.kind = DeviceKind::keyboard;
    arrived.keyboardVariant = variant;
    arrived.firmwareVersion = attrs.versionNumber;
    ctx_.stores.read([&](const StoredData& d) { arrived.info = d.keyboard.info; });
    postArrived(ctx_, arrived);
    postShowWindow(ctx_, kAttachControls.keyboardPanel);
    ctx_.identity.keyboardPresent = link::keyboardPresentCode(variant);
    postArrivedTab(ctx_, deviceTab(DeviceKind::keyboard, link::variantByte(variant)));
    sameMode_.reset();
}

void KeyboardAttach::removal(link::DeviceLink&) {
    const KeyboardVariant variant = ctx_.identity.keyboardVariant.load();
    switch (variant) {
        case KeyboardVariant::oneColour:
            platform::debugOutput("单色键盘不见了");
            break;
        case KeyboardVariant::membrane:
            platform::debugOutput("薄膜键盘Lost");
            break;
        case KeyboardVariant::rgb:
            platform::debugOutput("RGB键盘不见了");
            break;
    }
    ctx_.identity.keyboardPresent = 0;
    ctx_.loop.post([&skin = ctx_.skin] {
        showControl(skin, kAttachControls.rgbKeyboardTab, false);
        showControl(skin, kAttachControls.oneColourKeyboardTab, false);
        showControl(skin, kAttachControls.membraneKeyboardTab, false);
    });
    link::DeviceLeft left;
    left.kind = DeviceKind::keyboard;
    left.keyboardVariant = variant;
    postFallback(ctx_, left);
}

void KeyboardAttach::stillPresent(link::DeviceLink&) {
    sameMode_.update(ctx_, DeviceKind::keyboard);
}

}  // namespace quillon::attach

#include "attach/mouse_attach.h"

#include <vector>

#include "attach/attach_controls.h"
#include "attach/profile_memory.h"
#include "attach/state_reads.h"
#include "attach/window_steps.h"
#include "link/protocol.h"
#include "profiles/first_profile_reseed.h"

namespace quillon::attach {

using link::DeviceKind;
using link::MouseModel;
using profiles::ProfileListId;

namespace {
std::uint16_t word(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}
}  // namespace

void MouseAttach::arrival(link::DeviceLink& link) {
    const platform::HidAttributes& attrs = link.hid.attributes();
    ctx_.identity.mouseFirmwareVersion = attrs.versionNumber;
    // The information record is read with the folder lookup, once per
    // arrival; the folder lookups of later saves read nothing from the mouse.
    link::DeviceInfo info;
    if (link::succeeded(link::readInfo(link, info)))
        ctx_.stores.edit([&](StoredData& d) { d.mouse.info = info; });
    static_cast<void>(ctx_.profiles.folders.profileFolder(DeviceKind::mouse));

    const MouseModel model = link::mouseModelOf(link::findProduct(attrs.vendorId, attrs.productId));
    ctx_.identity.mouseModel = model;
    ctx_.loop.post([&ctx = ctx_, model] {
        // Before the profile selection posted below loads the first profile.
        static_cast<void>(profiles::reseedFirstProfile(
            ctx.profiles, ctx.skin, ctx.profileRun, DeviceKind::mouse, link::variantByte(model)));
    });

    // The saved lighting profile into slot 0 and MouseState; a missing one
    // leaves them as they were.
    const int lightingRow = ctx_.profiles.index(ProfileListId::mouseLighting).select();
    static_cast<void>(loadListProfile(ctx_, ProfileListId::mouseLighting, lightingRow));
    readMouseState(ctx_);

    postProfileSelection(ctx_, ProfileListId::mouseLighting, ProfileListId::mouseKeys);
    link::DeviceArrived arrived;
    arrived.kind = DeviceKind::mouse;
    arrived.mouseModel = model;
    arrived.firmwareVersion = attrs.versionNumber;
    ctx_.stores.read([&](const StoredData& d) { arrived.info = d.mouse.info; });
    postShowWindow(ctx_, kAttachControls.mousePanel);
    // The pattern image reaches the modules before the arrival does.
    readBackPatterns();
    postArrived(ctx_, arrived);

    ctx_.identity.mousePresent = link::mousePresentCode(model);
    postArrivedTab(ctx_, deviceTab(DeviceKind::mouse, link::variantByte(model)));
    sameMode_.reset();
}

void MouseAttach::readBackPatterns() {
    link::DeviceLink& link = ctx_.mouseLink;
    // Stored data moves only inside Begin ... End; their own results change
    // nothing here (the reads' results are examined).
    static_cast<void>(link::begin(link));
    std::array<std::uint8_t, kPatternHeaderSize> header{};
    if (link::succeeded(link::readCursors(link, header)) && word(header, 0) == kPatternMarker) {
        const std::size_t size = word(header, 2);
        // A size outside the memory is a bad image: refused, nothing loaded.
        if (size >= kPatternHeaderSize && size <= kPatternMemorySize) {
            link::MovementPatternsRead read;
            read.image.resize(size);
            if (link::succeeded(link::readCursors(link, read.image)))
                ctx_.loop.post(
                    [&events = ctx_.events, read = std::move(read)] { events.publish(read); });
        }
    }
    static_cast<void>(link::end(link));
}

void MouseAttach::removal(link::DeviceLink&) {
    ctx_.identity.mousePresent = 0;
    ctx_.loop.post([&skin = ctx_.skin] {
        showControl(skin, kAttachControls.mouseTab, false);
        showControl(skin, kAttachControls.mouse2Tab, false);
    });
    link::DeviceLeft left;
    left.kind = DeviceKind::mouse;
    left.mouseModel = ctx_.identity.mouseModel.load();
    postFallback(ctx_, left);
}

void MouseAttach::stillPresent(link::DeviceLink&) {
    sameMode_.update(ctx_, DeviceKind::mouse);
}

void MouseEventRouter::mouseEvent(std::uint16_t code) {
    switch (code) {
        case link::kMouseEventSettingsChanged:
            loop_.startTimer(shell::TimerId::mouseSettingsReread, shell::kMouseRereadDelay,
                             shell::TimerMode::once);
            break;
        case link::kMouseEventStateChanged:
            loop_.startTimer(shell::TimerId::mouseStateReread, shell::kMouseRereadDelay,
                             shell::TimerMode::once);
            break;
        case link::kMouseEventClick:
            mouseClickPulse_ = true;
            mousepadClickPulse_ = true;
            break;
        default:
            break;  // not a code the program knows
    }
}

}  // namespace quillon::attach

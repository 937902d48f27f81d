#include "attach/mouse_attach.h"

#include <vector>

#include "attach/profile_memory.h"
#include "attach/state_reads.h"
#include "link/protocol.h"
#include "profiles/first_profile_reseed.h"

namespace quillon::attach {

using link::DeviceKind;
using profiles::ProfileListId;

namespace {
constexpr std::uint8_t kModel1 = 1;
constexpr std::uint8_t kModel2 = 2;

std::uint16_t word(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::optional<UpdateNotice> mouseArrivalNotice(std::uint8_t model) {
    if (model == 0)
        return UpdateNotice::mouseArrived;
    if (model == kModel2)
        return UpdateNotice::mouse2Arrived;
    return std::nullopt;
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

    const link::Product* product = link::findProduct(attrs.vendorId, attrs.productId);
    const std::uint8_t model = product != nullptr ? product->variant : 0;
    ctx_.identity.mouseModel = model;
    ctx_.loop.post([&ctx = ctx_, model] {
        skin::Skin& skin = ctx.skin;
        // Before the profile selection posted below loads the first profile.
        static_cast<void>(profiles::reseedFirstProfile(ctx.profiles, skin, ctx.profileRun,
                                                       DeviceKind::mouse, model));
        showControl(skin, "ms_cursor_Op_tab", model != kModel2);
        showControl(skin, "key_gun", model != kModel2);
        if (model == kModel1)
            return;  // no views of its own
        const bool second = model == kModel2;
        showControl(skin, "ms_deng_key", !second);
        showControl(skin, "ms2_deng_key", second);
        showControl(skin, "ms_key_layout", !second);
        showControl(skin, "ms2_key_layout", second);
        bindControls(skin, second ? "ms2_dkey_" : "ms_dkey_", ctx.controls.mouseKeyControls);
    });

    // The saved lighting profile into slot 0 and MouseState; a missing one
    // leaves them as they were.
    const int lightingRow = ctx_.profiles.index(ProfileListId::mouseLighting).select();
    static_cast<void>(loadListProfile(ctx_, ProfileListId::mouseLighting, lightingRow));
    readMouseState(ctx_);

    postProfileSelection(ctx_, ProfileListId::mouseLighting, ProfileListId::mouseKeys);
    ctx_.loop.post([&ctx = ctx_] { ctx.hooks.refreshMouseViews(); });
    postShowWindow(ctx_, "ms_tab_panel");
    readBackPatterns();

    ctx_.identity.mousePresent = mousePresentCode(model);
    postArrivedTab(ctx_, tabOf(DeviceKind::mouse, model), mouseArrivalNotice(model));
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
            std::vector<std::uint8_t> image(size);
            if (link::succeeded(link::readCursors(link, image)))
                ctx_.loop.post([&ctx = ctx_, image = std::move(image)] {
                    ctx.hooks.loadMovementPatterns(image);
                });
        }
    }
    static_cast<void>(link::end(link));
    ctx_.loop.post([&skin = ctx_.skin] {
        if (skin::Control* option = skin.find("ms_gun_op_0")) {
            option->setChecked(false, true);
            option->setChecked(true, true);
        }
    });
}

void MouseAttach::removal(link::DeviceLink&) {
    const std::uint8_t model = ctx_.identity.mouseModel.load();
    ctx_.identity.mousePresent = 0;
    ctx_.loop.post([&ctx = ctx_, model] {
        showControl(ctx.skin, "ms_tab", false);
        showControl(ctx.skin, "ms2_tab", false);
        if (model == 0)
            ctx.hooks.updateWindowNotice(UpdateNotice::mouseLeft);
        if (model == kModel2)
            ctx.hooks.updateWindowNotice(UpdateNotice::mouse2Left);
    });
    postFallback(ctx_, DeviceKind::mouse);
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

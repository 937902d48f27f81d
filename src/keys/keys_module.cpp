#include "keys/keys_module.h"

#include "keys/key_map_transfer.h"
#include "keys/mouse_button_overlays.h"
#include "shell/window_message.h"

namespace quillon::keys {

using link::DeviceKind;
using skin::NotifyType;

namespace {

constexpr std::string_view kMessageWriteFailed = "message_text_19";
constexpr std::string_view kMessageMacrosTooLarge = "message_text_16";
constexpr std::string_view kMessageNoMemory = "message_text_7";
constexpr std::string_view kMessageNotSaved = "message_text_20";

// "%d" of a message text filled with n.
std::string formatCount(std::string text, int n) {
    if (const auto at = text.find("%d"); at != std::string::npos)
        text.replace(at, 2, std::to_string(n));
    return text;
}

}  // namespace

KeysModule::KeysModule(shell::Application& app, KeyMapAccess& maps,
                       const link::DeviceIdentity& identity, const MacroCatalogue& macros,
                       KeyCaptureSource& capture)
    : app_(app),
      maps_(maps),
      identity_(identity),
      macros_(macros),
      keyboard_(kKeyboardKeyEditor, app.skin(), maps, macros, capture),
      mouse_(kMouseKeyEditor, app.skin(), maps, macros, capture) {}

void KeysModule::install() {
    addRoutes();
    subscribe();
    std::vector<KeyLabelTarget> buttons;
    for (std::size_t slot = 0; slot < kMouseButtons; ++slot)
        buttons.push_back(
            {editorControl(kMouseKeyEditor, kKeyEditorNames.keyPrefix, int(slot)), slot});
    mouse_.setLabelTargets(std::move(buttons));
    // After the language is loaded: the selectors' rows are texts of it.
    app_.addStartupStep(shell::StartupPhase::afterWorkers, [this] {
        for (KeyEditor* e : {&keyboard_, &mouse_}) {
            e->fillSelectorRows();
            e->fillMacroNames();
        }
    });
    app_.messages().on(shell::MessageId::languageReload, [this](const shell::WindowMessage&) {
        for (KeyEditor* e : {&keyboard_, &mouse_}) {
            e->fillSelectorRows();
            e->refreshLabels();
        }
    });
}

void KeysModule::addRoutes() {
    shell::NotificationRouter& r = app_.notifications();
    const KeyEditorControlNames& n = kKeyEditorNames;
    for (KeyEditor* e : {&keyboard_, &mouse_}) {
        const KeyEditorDevice& d = e->device();
        r.addName(NotifyType::itemSelect, editorControl(d, n.mainCombo),
                  [e](const skin::Notification&, int) { e->mainItemChosen(); });
        for (int combo : kEditorCombos)
            r.addName(NotifyType::itemSelect, editorControl(d, n.comboPrefix, combo),
                      [e, combo](const skin::Notification&, int) { e->subSelectorChosen(combo); });
        if (mainItemOf(d.mainItems, FN_GUN))
            r.addName(NotifyType::itemSelect, editorControl(d, n.comboPrefix, kPatternCombo),
                      [e](const skin::Notification&, int) { e->subSelectorChosen(kPatternCombo); });
        for (int edit : kEditorEdits)
            r.addName(NotifyType::textChanged, editorControl(d, n.editPrefix, edit),
                      [e, edit](const skin::Notification&, int) { e->editTyped(edit); });
        r.addName(NotifyType::click, editorControl(d, n.restoreButton),
                  [e](const skin::Notification&, int) { e->restoreDefault(); });
        r.addName(NotifyType::click, editorControl(d, n.saveButton),
                  [this, kind = d.kind](const skin::Notification&, int) { saveToDevice(kind); });
        if (d.hasApplyButton)
            r.addName(NotifyType::click, editorControl(d, n.applyButton),
                      [e](const skin::Notification&, int) { e->applyEditor(); });
    }
    // A keyboard position shows the slot drawn there; a position without one
    // is not a key of this keyboard.
    auto position = [this](const skin::Notification&, int p) {
        if (p >= 0)
            if (auto slot = slotOfPosition(keyIndex_, std::size_t(p)))
                keyboard_.showAssignment(*slot);
    };
    r.addPrefix(NotifyType::click, editorControl(kKeyboardKeyEditor, n.keyPrefix), position);
    r.addPrefix(NotifyType::click, kMembraneKeyPrefix, position);

    const std::string buttons = editorControl(kMouseKeyEditor, n.keyPrefix);
    r.addPrefix(NotifyType::click, buttons, [this](const skin::Notification&, int slot) {
        clickedButton_ = slot;
        chooseButton(slot);
    });
    // The buttons are options: a click selects one too, and is shown once.
    // A selection that came without a click (keyboard focus) shows the button.
    r.addPrefix(NotifyType::selectChanged, buttons, [this](const skin::Notification& n, int slot) {
        const bool clicked = clickedButton_ == slot;
        clickedButton_ = -1;
        if (n.value == 1 && !clicked)
            chooseButton(slot);
    });
    r.addPrefix(NotifyType::mouseEnter, buttons,
                [this](const skin::Notification&, int slot) { hoverButton(slot, true, false); });
    r.addPrefix(NotifyType::mouseLeave, buttons,
                [this](const skin::Notification&, int slot) { hoverButton(slot, false, false); });
    // The overlays on the picture answer the pointer as the buttons do.
    for (const auto* overlays : {&kModel0ButtonOverlays, &kModel2ButtonOverlays}) {
        for (int slot = 0; slot < int(kMouseButtons); ++slot) {
            const std::string_view overlay = (*overlays)[std::size_t(slot)];
            r.addName(
                NotifyType::mouseEnter, overlay,
                [this, slot](const skin::Notification&, int) { hoverButton(slot, true, true); });
            r.addName(
                NotifyType::mouseLeave, overlay,
                [this, slot](const skin::Notification&, int) { hoverButton(slot, false, true); });
            r.addName(NotifyType::click, overlay, [this, slot](const skin::Notification&, int) {
                if (skin::Control* button = app_.skin().find(
                        editorControl(kMouseKeyEditor, kKeyEditorNames.keyPrefix, slot)))
                    button->setChecked(true, false);
                chooseButton(slot);
            });
        }
    }
}

void KeysModule::subscribe() {
    shell::EventBus& events = app_.events();
    events.subscribe<link::KeyboardKeyMapRead>(
        [this](const link::KeyboardKeyMapRead& e) { keyboardMapRead(e.keyCount); });
    events.subscribe<link::DeviceArrived>([this](const link::DeviceArrived& e) {
        if (e.kind == DeviceKind::mousepad)
            return;
        if (e.kind == DeviceKind::keyboard)
            keyboardPictureChanged();
        editor(e.kind).fillMacroNames();
        refresh(e.kind);
    });
    events.subscribe<link::DeviceStateRead>([this](const link::DeviceStateRead& e) {
        if (e.kind != DeviceKind::mousepad)
            refresh(e.kind);
    });
    events.subscribe<link::DeviceLeft>([this](const link::DeviceLeft& e) {
        if (e.kind == DeviceKind::mousepad)
            return;
        KeyEditor& editor = this->editor(e.kind);
        editor.forgetSlot();
        if (skin::Control* panel =
                app_.skin().find(editorControl(editor.device(), kKeyEditorNames.panel)))
            panel->setVisible(false);
        if (e.kind == DeviceKind::mouse) {
            hoveredButton_ = {-1, -1};
            paintButtonOverlays();
        }
    });
    events.subscribe<profiles::ProfileLoaded>(
        [this](const profiles::ProfileLoaded& e) { profileLoaded(e); });
}

void KeysModule::keyboardMapRead(int keyCount) {
    keyIndex_ = buildKeyIndex(maps_.factoryMap(DeviceKind::keyboard), keyCount);
    keyboardPictureChanged();
    refresh(DeviceKind::keyboard);
}

void KeysModule::keyboardPictureChanged() {
    const bool membrane = identity_.keyboardVariant.load() == link::KeyboardVariant::membrane;
    const std::string prefix = membrane
                                   ? std::string(kMembraneKeyPrefix)
                                   : editorControl(kKeyboardKeyEditor, kKeyEditorNames.keyPrefix);
    std::vector<KeyLabelTarget> targets;
    for (std::size_t p = 0; p < kKeyPositions; ++p)
        if (auto slot = slotOfPosition(keyIndex_, p))
            targets.push_back({prefix + std::to_string(p), *slot});
    keyboard_.setLabelTargets(std::move(targets));
}

void KeysModule::refresh(DeviceKind kind) {
    KeyEditor& e = editor(kind);
    e.refreshLabels();
    if (auto slot = e.slot())
        e.showAssignment(*slot);
    if (kind == DeviceKind::mouse)
        paintButtonOverlays();
}

void KeysModule::macrosChanged(DeviceKind kind) {
    if (kind == DeviceKind::mousepad)
        return;
    editor(kind).fillMacroNames();
    refresh(kind);
}

void KeysModule::profileLoaded(const profiles::ProfileLoaded& e) {
    using profiles::ProfileListId;
    if (e.list != ProfileListId::keyboardKeys && e.list != ProfileListId::mouseKeys)
        return;
    const DeviceKind kind =
        e.list == ProfileListId::keyboardKeys ? DeviceKind::keyboard : DeviceKind::mouse;
    refresh(kind);
    // A named key profile lives in onboard slot 0.
    writeSlot0(kind);
}

void KeysModule::writeSlot0(DeviceKind kind) {
    link::DeviceLink& link = app_.link(kind);
    if (link.connected.load() == 0)
        return;  // it is sent when the device arrives
    KeySaveRequest request;
    request.map = maps_.slotMap(kind, 0);
    request.byteCount = 3 * std::size_t(keySlotCount(kind, maps_.deviceInfo(kind)));
    request.slot = 0;
    const bool queued = app_.deviceJobs().post([this, &link, request] {
        if (!link::succeeded(saveKeysToDevice(link, request)))
            app_.loop().post([this] { (void)app_.skin().showMessage(kMessageWriteFailed); });
    });
    if (!queued)
        (void)app_.skin().showMessage(kMessageWriteFailed);
}

void KeysModule::saveToDevice(DeviceKind kind) {
    (void)app_.postMessage({shell::MessageId::progressShow});
    const link::DeviceInfo info = maps_.deviceInfo(kind);
    KeySaveRequest request;
    request.slot = maps_.activeSlot(kind);
    request.map = maps_.slotMap(kind, request.slot);
    request.byteCount = 3 * std::size_t(keySlotCount(kind, info));
    if (!macros_.macroNames(kind).empty()) {
        auto image = macros_.macroImage(kind);
        if (!image) {
            (void)app_.skin().showMessage(kMessageNoMemory);
            (void)app_.postMessage({shell::MessageId::progressHideLater});
            return;
        }
        if (auto excess = macroActionsToRemove(image->size(), info.macroMemoryBytes())) {
            (void)app_.skin().showMessageText(
                formatCount(app_.skin().translate(kMessageMacrosTooLarge), *excess));
            (void)app_.postMessage({shell::MessageId::progressHideLater});
            return;
        }
        request.macroImage = std::move(*image);
    }
    link::DeviceLink& link = app_.link(kind);
    const bool queued = app_.deviceJobs().post([this, &link, kind, request] {
        const bool written = link::succeeded(saveKeysToDevice(link, request));
        app_.loop().post([this, kind, written] { finishSave(kind, written); });
    });
    if (!queued)
        finishSave(kind, false);
}

void KeysModule::finishSave(DeviceKind kind, bool written) {
    if (!written)
        (void)app_.skin().showMessage(kMessageWriteFailed);
    else if (!maps_.saveKeyProfile(kind))
        (void)app_.skin().showMessage(kMessageNotSaved);
    (void)app_.postMessage({shell::MessageId::progressHideLater});
}

void KeysModule::chooseButton(int slot) {
    if (slot < 0 || slot >= int(kMouseButtons))
        return;
    mouse_.showAssignment(std::size_t(slot));
    paintButtonOverlays();
}

void KeysModule::hoverButton(int slot, bool over, bool onPicture) {
    int& hovered = hoveredButton_[onPicture ? 1 : 0];
    if (over)
        hovered = slot;
    else if (hovered == slot)
        hovered = -1;  // a leave after the next button's enter keeps that one
    paintButtonOverlays();
}

void KeysModule::paintButtonOverlays() {
    const link::MouseModel model = identity_.mouseModel.load();
    const std::optional<std::size_t> edited = mouse_.slot();
    for (std::size_t slot = 0; slot < kMouseButtons; ++slot) {
        const bool lit =
            hoveredButton_[0] == int(slot) || hoveredButton_[1] == int(slot) || edited == slot;
        if (auto change = buttonOverlay(model, slot, lit))
            if (skin::Control* c = app_.skin().find(change->control);
                c != nullptr && c->backgroundImage() != change->image)
                c->setBackgroundImage(change->image);
    }
}

}  // namespace quillon::keys

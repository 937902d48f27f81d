#pragma once

// Key assignment as the program runs it: the keyboard's and the mouse's
// function editors, which key slot each on-screen key shows, the button
// overlays, and sending key maps to the devices. install() adds its routes,
// start-up step, language-reload handler and event subscriptions.
//
// Writes to a device run on the device-jobs worker; the GUI thread never
// waits for a device.

#include <array>

#include "keys/assignable_macros.h"
#include "keys/key_capture.h"
#include "keys/key_editor.h"
#include "keys/key_index.h"
#include "keys/key_map_access.h"
#include "link/device_events.h"
#include "link/device_identity.h"
#include "profiles/profile_events.h"
#include "shell/application.h"

namespace quillon::keys {

class KeysModule {
  public:
    // `macros` and `capture` are the macro feature's (NoMacros / NoKeyCapture
    // until it is there); all must outlive the module.
    KeysModule(shell::Application& app, KeyMapAccess& maps, const link::DeviceIdentity& identity,
               const MacroCatalogue& macros, KeyCaptureSource& capture);
    KeysModule(const KeysModule&) = delete;
    KeysModule& operator=(const KeysModule&) = delete;

    // Once, before "windowinit".
    void install();

    KeyEditor& editor(link::DeviceKind kind) {
        return kind == link::DeviceKind::mouse ? mouse_ : keyboard_;
    }
    const KeyIndexTable& keyIndex() const { return keyIndex_; }

    // The kind's macros changed (added, removed, renamed): the macro selector
    // and the labels show them.
    void macrosChanged(link::DeviceKind kind);
    // `kb_key_butt_prosave` / `ms_key_butt_prosave`: macros and the current
    // profile's key map to the device, with the progress indicator.
    void saveToDevice(link::DeviceKind kind);

  private:
    void addRoutes();
    void subscribe();
    void keyboardMapRead(int keyCount);
    void keyboardPictureChanged();
    void profileLoaded(const profiles::ProfileLoaded& e);
    void writeSlot0(link::DeviceKind kind);
    void finishSave(link::DeviceKind kind, bool written);
    void refresh(link::DeviceKind kind);
    // A mouse button chosen for editing: on the picture or beside it.
    void chooseButton(int slot);
    // The pointer over a button's name (beside the picture) or its overlay.
    void hoverButton(int slot, bool over, bool onPicture);
    // Each overlay lit while its button is under the pointer or edited.
    void paintButtonOverlays();

    shell::Application& app_;
    KeyMapAccess& maps_;
    const link::DeviceIdentity& identity_;
    const MacroCatalogue& macros_;
    KeyEditor keyboard_;
    KeyEditor mouse_;
    KeyIndexTable keyIndex_ = emptyKeyIndex();
    // The mouse button whose click came last, until its selection follows.
    int clickedButton_ = -1;
    // The buttons under the pointer: by name and on the picture (both for a
    // moment, as one's leave may come after the other's enter).
    std::array<int, 2> hoveredButton_{-1, -1};
};

}  // namespace quillon::keys

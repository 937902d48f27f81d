#include "keys/macro_editor.h"

#include <algorithm>

#include "keys/key_name_table.h"
#include "keys/macro_key_fixup.h"
#include "profiles/ini_file.h"

namespace quillon::keys {

namespace {

const MacroEditorNames& n = kMacroEditorNames;

constexpr int kNameRowHeight = 25;
constexpr int kStoredNameRowHeight = 30;
constexpr int kActionRowHeight = 30;
constexpr std::string_view kNameRowStyle = "listex_item_style";
constexpr std::string_view kActionRowName = "macro_action";
constexpr int kKeyboardActionPage = 1;
constexpr int kMouseActionPage = 2;
constexpr std::uint16_t kInsertedPauseUnits = 5;
constexpr int kMaxDistance = 255;

// The buttons that work on the selected macro's actions.
constexpr std::string_view kActionButtons[] = {n.save,   n.down,         n.up,        n.top,
                                               n.bottom, n.deleteAction, n.deleteAll, n.cancel};
constexpr std::string_view kRecordOptions[] = {n.recordKeys, n.recordClicks, n.recordWheel,
                                               n.recordMoves, n.fixedPause};

std::string formatCount(std::string text, int count) {
    if (const auto at = text.find("%d"); at != std::string::npos)
        text.replace(at, 2, std::to_string(count));
    return text;
}

}  // namespace

MacroEditor::MacroEditor(const MacroEditorDevice& device, skin::Skin& skin, MacroStore& store,
                         KeyMapAccess& maps, MacroRecordSource& recorder,
                         std::function<void()> macrosChanged)
    : device_(device),
      skin_(skin),
      store_(store),
      maps_(maps),
      recorder_(recorder),
      macrosChanged_(std::move(macrosChanged)) {}

skin::Control* MacroEditor::find(std::string_view name) const {
    return skin_.find(control(name));
}

void MacroEditor::setVisible(std::string_view name, bool visible) {
    if (skin::Control* c = find(name))
        c->setVisible(visible);
}

void MacroEditor::setEnabled(std::string_view name, bool enabled) {
    if (skin::Control* c = find(name))
        c->setEnabled(enabled);
}

std::string MacroEditor::text(std::string_view name) const {
    const skin::Control* c = find(name);
    return c ? c->text() : std::string();
}

int MacroEditor::selectedMacro() const {
    const skin::Control* list = find(n.nameList);
    return list ? list->currentRow() : -1;
}

int MacroEditor::selectedAction() const {
    const skin::Control* list = find(n.actionList);
    const int row = list ? list->currentRow() : -1;
    return row >= 0 && row < int(actions_.size()) ? row : -1;
}

bool MacroEditor::unsaved() const {
    const skin::Control* bar = find(n.saveCancelBar);
    return bar && bar->isVisible();
}

std::vector<std::string> MacroEditor::listedNames() const {
    std::vector<std::string> names;
    if (const skin::Control* list = find(n.nameList)) {
        for (int i = 0; i < list->rowCount(); ++i)
            names.push_back(list->row(i)->userData);
    }
    return names;
}

// ---------------------------------------------------------------------------
// Rows

skin::Row MacroEditor::actionRow(const MacroAction& action) const {
    const MacroActionRow labels = macroActionRow(action);
    skin::Row row;
    row.name = macroControl(device_.prefix, kActionRowName);
    row.height = kActionRowHeight;
    row.userData = formatMacroAction(action);
    row.cells = {{labels.stateText, std::string(labels.stateStyle)},
                 {skin_.translate(labels.nameText), std::string(labels.nameStyle)},
                 {labels.pauseText, std::string(labels.pauseStyle)}};
    return row;
}

void MacroEditor::showActions(int select) {
    skin::Control* list = find(n.actionList);
    if (!list)
        return;
    list->clearRows();
    for (const MacroAction& a : actions_)
        list->addRow(actionRow(a));
    list->selectRow(select, false);
}

void MacroEditor::setActionRow(int row) {
    if (skin::Control* list = find(n.actionList))
        list->setRow(row, actionRow(actions_[std::size_t(row)]));
}

void MacroEditor::loadActions(const std::string& name) {
    actions_.clear();
    // A macro that cannot be read shows no actions; its file stays as it is.
    (void)store_.readActions(name, actions_);
    showActions(-1);
}

// ---------------------------------------------------------------------------
// States of the page

void MacroEditor::beginEditing() {
    setEnabled(n.nameList, false);
    setEnabled(n.remove, false);
    setVisible(n.saveCancelBar, true);
}

void MacroEditor::endEditing() {
    setVisible(n.saveCancelBar, false);
    if (skin::Control* pages = find(n.actionPages))
        pages->selectPage(0);
    setEnabled(n.remove, true);
    setEnabled(n.nameList, true);
}

void MacroEditor::enableMacroButtons(bool enabled) {
    setEnabled(n.remove, enabled);
    setEnabled(n.record, enabled);
    for (std::string_view b : kActionButtons)
        setEnabled(b, enabled);
    for (std::string_view o : kRecordOptions)
        setEnabled(o, enabled);
}

void MacroEditor::fillNameList() {
    skin::Control* list = find(n.nameList);
    if (skin::Control* actions = find(n.actionList))
        actions->clearRows();
    actions_.clear();
    std::vector<std::string> names;
    (void)store_.readNames(names);  // an unreadable index lists nothing and is left alone
    if (list) {
        list->clearRows();
        for (const std::string& name : names)
            list->addRow(skin::Row::text(name, kStoredNameRowHeight, name));
    }
    previousMacro_ = -1;
    enableMacroButtons(!names.empty());
    setVisible(n.saveCancelBar, false);
    setVisible(n.distancePanel, false);
    if (skin::Control* record = find(n.record))
        record->setTextKey(kRecordStartText);
}

void MacroEditor::fillComboRows() {
    if (skin::Control* keys = find(n.keySelect)) {
        const int selected = keys->currentRow();
        keys->clearRows();
        for (std::size_t i = 0; i < kKeyboardKeyNameCount; ++i)
            keys->addRow(skin::Row::keyed(kKeyNameTable[i].languageKey,
                                          skin_.translate(kKeyNameTable[i].languageKey)));
        keys->selectRow(selected, false);
    }
    if (skin::Control* press = find(n.upOrDown)) {
        const int selected = press->currentRow();
        press->clearRows();
        press->addRow(skin::Row::keyed(kReleaseText, skin_.translate(kReleaseText)));
        press->addRow(skin::Row::keyed(kPressText, skin_.translate(kPressText)));
        press->selectRow(selected, false);
    }
    if (skin::Control* mouse = find(n.mouseSelect)) {
        const int selected = mouse->currentRow();
        mouse->clearRows();
        for (std::size_t i = 0; i < kMacroMouseItems.size(); ++i) {
            std::string label = skin_.translate(kMacroMouseItems[i].nameKey);
            if (int(i) < kFirstMoveItem)
                label += " " + skin_.translate(i % 2 == 0 ? kPressText : kReleaseText);
            mouse->addRow(skin::Row::text(label));
        }
        mouse->selectRow(selected, false);
    }
    if (!actions_.empty())
        showActions(selectedAction());
}

// ---------------------------------------------------------------------------
// The list of macros

void MacroEditor::addMacro() {
    if (unsaved()) {
        (void)skin_.showMessage(kMessageUnsavedMacro);
        return;
    }
    std::vector<std::string> names = listedNames();
    if (names.size() >= kMaxMacros) {
        (void)skin_.showMessageText(
            formatCount(skin_.translate(kMessageTooManyMacros), int(kMaxMacros)));
        return;
    }
    const std::string name = nextMacroName(names);
    if (!succeeded(store_.add(name))) {
        (void)skin_.showMessage(kMessageMacroNotSaved);
        return;
    }
    skin::Control* list = find(n.nameList);
    if (!list)
        return;
    skin::Row row = skin::Row::text(name, kNameRowHeight, name);
    row.style = std::string(kNameRowStyle);
    const int at = list->addRow(row);
    list->selectRow(at, false);
    macroSelected();
    enableMacroButtons(true);
    if (macrosChanged_)
        macrosChanged_();
}

void MacroEditor::macroSelected() {
    skin::Control* list = find(n.nameList);
    const int selected = selectedMacro();
    if (unsaved()) {
        // The list keeps the macro being edited.
        if (list && selected != previousMacro_)
            list->selectRow(previousMacro_, false);
        (void)skin_.showMessage(kMessageUnsavedMacro);
        return;
    }
    previousMacro_ = selected;
    if (selected < 0)
        return;
    const std::string name = list->row(selected)->userData;
    if (skin::Control* edit = find(n.nameEdit))
        edit->setText(name);
    loadActions(name);
}

void MacroEditor::renameMacro() {
    const int selected = selectedMacro();
    if (selected < 0)
        return;
    skin::Control* list = find(n.nameList);
    skin::Control* edit = find(n.nameEdit);
    const std::string current = list->row(selected)->userData;
    const std::string wanted = edit ? edit->text() : current;
    if (wanted == current)
        return;
    // Unsaved edits go with the rename, as the action list shows them; a list
    // without edits is the stored one.
    std::vector<MacroAction> actions = actions_;
    if (!unsaved())
        (void)store_.readActions(current, actions);
    switch (store_.rename(std::size_t(selected), wanted, actions)) {
        case MacroStoreResult::ok:
            break;
        case MacroStoreResult::nameTaken:
            (void)skin_.showMessage(kMessageMacroNameTaken);
            if (edit)
                edit->setText(current);
            return;
        case MacroStoreResult::badName:
            (void)skin_.showMessage(kMessageBadMacroName);
            if (edit)
                edit->setText(current);
            return;
        default:
            (void)skin_.showMessage(kMessageMacroNotSaved);
            return;
    }
    skin::Row row = *list->row(selected);
    row.cells = {{wanted, {}}};
    row.userData = wanted;
    list->setRow(selected, row);
    if (macrosChanged_)
        macrosChanged_();
}

void MacroEditor::deleteMacro() {
    const int m = selectedMacro();
    if (m < 0)
        return;
    if (unsaved()) {
        (void)skin_.showMessage(kMessageUnsavedMacro);
        return;
    }
    if (keysUseMacro(maps_, device_.kind, m) && skin_.showMessage(kMessageMacroInUse) != 1)
        return;
    if (skin_.showMessage(kMessageDeleteMacro) != 1)
        return;
    // The store first: keys move down only when the macros really did.
    if (!succeeded(store_.remove(std::size_t(m)))) {
        (void)skin_.showMessage(kMessageMacroNotSaved);
        return;
    }
    if (!fixUpKeysAfterMacroDelete(maps_, device_.kind, m))
        (void)skin_.showMessage(kMessageMacroNotSaved);
    skin::Control* list = find(n.nameList);
    list->removeRow(m);
    actions_.clear();
    showActions(-1);
    previousMacro_ = -1;
    list->selectRow(0, false);
    macroSelected();
    enableMacroButtons(list->rowCount() > 0);
    if (macrosChanged_)
        macrosChanged_();
}

// ---------------------------------------------------------------------------
// The action editor

void MacroEditor::fillActionEditor(const MacroAction& a) {
    skin::Control* pages = find(n.actionPages);
    if (a.isMouseAction()) {
        if (pages)
            pages->selectPage(kMouseActionPage);
        int item = -1;
        for (int i = 0; i < kFirstMoveItem; ++i) {
            if (kMacroMouseItems[std::size_t(i)].kind == a.kind &&
                kMacroMouseItems[std::size_t(i)].code == a.code) {
                item = i;
                break;
            }
        }
        const bool move = item < 0;
        if (move) {
            const bool x = a.baseKind() == std::uint8_t(MacroActionKind::moveX);
            item = (x ? kFirstMoveItem : kFirstMoveItem + 2) + (a.pressBit() ? 0 : 1);
            if (skin::Control* d = find(n.distanceEdit))
                d->setText(std::to_string(a.code));
        }
        setVisible(n.distancePanel, move);
        if (skin::Control* combo = find(n.mouseSelect))
            combo->selectRow(item, false);
        if (skin::Control* delay = find(n.mouseDelay))
            delay->setText(std::to_string(a.pauseUnits()));
        return;
    }
    if (pages)
        pages->selectPage(kKeyboardActionPage);
    int entry = -1;
    for (std::size_t i = 0; i < kKeyboardKeyNameCount; ++i) {
        const KeyAssignment& k = kKeyNameTable[i].assignment;
        const bool match = a.baseKind() == std::uint8_t(MacroActionKind::key)
                               ? k.p2 == a.code && k.p2 != 0
                               : k.p2 == 0 && k.p1 == a.code;
        if (match) {
            entry = int(i);
            break;
        }
    }
    if (skin::Control* combo = find(n.keySelect))
        combo->selectRow(entry, false);
    if (skin::Control* press = find(n.upOrDown))
        press->selectRow(a.pressed ? 1 : 0, false);
    if (skin::Control* delay = find(n.keyDelay))
        delay->setText(std::to_string(a.pauseUnits()));
}

void MacroEditor::actionClicked() {
    const int row = selectedAction();
    if (row < 0 || recording_)
        return;
    beginEditing();
    fillActionEditor(actions_[std::size_t(row)]);
}

void MacroEditor::keyChosen() {
    const int row = selectedAction();
    const skin::Control* combo = find(n.keySelect);
    const int e = combo ? combo->currentRow() : -1;
    if (row < 0 || e < 0 || e >= int(kKeyboardKeyNameCount))
        return;
    MacroAction& a = actions_[std::size_t(row)];
    const KeyNameEntry& entry = kKeyNameTable[std::size_t(e)];
    if (entry.assignment.p2 != 0) {
        a.kind = std::uint8_t(MacroActionKind::key);
        a.code = entry.assignment.p2;
    } else {
        a.kind = std::uint8_t(MacroActionKind::modifier);
        a.code = entry.assignment.p1;
    }
    if (a.pressed)
        a.kind |= kMacroPressBit;
    a.name = std::string(entry.languageKey);
    beginEditing();
    setActionRow(row);
}

void MacroEditor::pressChosen() {
    const int row = selectedAction();
    const skin::Control* combo = find(n.upOrDown);
    const int item = combo ? combo->currentRow() : -1;
    if (row < 0 || item < 0)
        return;
    MacroAction& a = actions_[std::size_t(row)];
    a.pressed = item == 1 ? 1 : 0;
    a.kind = std::uint8_t(a.baseKind() | (a.pressed ? kMacroPressBit : 0));
    beginEditing();
    setActionRow(row);
}

void MacroEditor::mouseItemChosen() {
    const int row = selectedAction();
    const skin::Control* combo = find(n.mouseSelect);
    const int item = combo ? combo->currentRow() : -1;
    if (row < 0 || item < 0 || item >= int(kMacroMouseItems.size()))
        return;
    MacroAction& a = actions_[std::size_t(row)];
    const MacroMouseItem& chosen = kMacroMouseItems[std::size_t(item)];
    const bool wasMove = a.isMove();
    a.name = std::string(chosen.nameKey);
    a.kind = chosen.kind;
    if (item < kFirstMoveItem) {
        a.code = chosen.code;
        a.pressed = a.pressBit() ? 1 : 0;
        setVisible(n.distancePanel, false);
    } else {
        if (!wasMove)
            a.code = 0;
        // A move's pressed follows its direction bit (left and up), as the text form keeps it.
        a.pressed = a.pressBit() ? 1 : 0;
        setVisible(n.distancePanel, true);
        if (skin::Control* d = find(n.distanceEdit))
            d->setText(std::to_string(a.code));
    }
    beginEditing();
    setActionRow(row);
}

void MacroEditor::pauseTyped(bool mouseEditor) {
    const int row = selectedAction();
    skin::Control* edit = find(mouseEditor ? n.mouseDelay : n.keyDelay);
    if (row < 0 || !edit)
        return;
    int value = profiles::leadingDecimal(edit->text());
    if (value > kMaxMacroPauseUnits) {
        value = kMaxMacroPauseUnits;
        edit->setText(std::to_string(value));
    }
    actions_[std::size_t(row)].setPauseUnits(std::uint16_t(value));
    beginEditing();
    setActionRow(row);
}

void MacroEditor::distanceTyped() {
    const int row = selectedAction();
    skin::Control* edit = find(n.distanceEdit);
    if (row < 0 || !edit || !actions_[std::size_t(row)].isMove())
        return;
    int value = profiles::leadingDecimal(edit->text());
    if (value > kMaxDistance) {
        value = kMaxDistance;
        edit->setText(std::to_string(value));
    }
    actions_[std::size_t(row)].code = std::uint8_t(value);
    beginEditing();
    setActionRow(row);
}

// ---------------------------------------------------------------------------
// Editing the list

void MacroEditor::moveAction(Move move) {
    const int row = selectedAction();
    const int last = int(actions_.size()) - 1;
    if (row < 0)
        return;
    int to = row;
    switch (move) {
        case Move::up:
        case Move::top:
            if (row == 0)
                return;
            to = move == Move::up ? row - 1 : 0;
            break;
        case Move::down:
        case Move::bottom:
            if (row == last)
                return;
            to = move == Move::down ? row + 1 : last;
            break;
    }
    MacroAction a = std::move(actions_[std::size_t(row)]);
    actions_.erase(actions_.begin() + row);
    actions_.insert(actions_.begin() + to, std::move(a));
    if (skin::Control* list = find(n.actionList)) {
        list->removeRow(row);
        list->insertRow(to, actionRow(actions_[std::size_t(to)]));
        list->selectRow(to, false);
    }
    beginEditing();
}

void MacroEditor::deleteAction() {
    const int row = selectedAction();
    if (row < 0)
        return;
    actions_.erase(actions_.begin() + row);
    if (skin::Control* list = find(n.actionList))
        list->removeRow(row);
    beginEditing();
}

void MacroEditor::deleteAllActions() {
    if (selectedMacro() < 0)
        return;
    actions_.clear();
    showActions(-1);
    // Shown also for an empty list, so that emptying a macro can be saved.
    beginEditing();
}

void MacroEditor::insertAction(MacroAction action) {
    action.setPauseUnits(kInsertedPauseUnits);
    const int at = std::max(selectedAction(), 0);
    actions_.insert(actions_.begin() + at, std::move(action));
    if (skin::Control* list = find(n.actionList)) {
        list->insertRow(at, actionRow(actions_[std::size_t(at)]));
        list->selectRow(at, false);
    }
    beginEditing();
}

void MacroEditor::insertButton(std::size_t button, bool press) {
    if (selectedMacro() < 0 || button >= kMacroInsertButtons.size())
        return;
    const MacroInsertButton& b = kMacroInsertButtons[button];
    MacroAction a;
    a.kind =
        std::uint8_t(std::uint8_t(MacroActionKind::mouseButton) | (press ? kMacroPressBit : 0));
    a.code = b.bit;
    a.pressed = press ? 1 : 0;
    a.name = std::string(b.nameKey);
    insertAction(std::move(a));
}

void MacroEditor::insertMove(std::size_t move) {
    if (selectedMacro() < 0 || move >= kMacroInsertMoves.size())
        return;
    const MacroInsertMove& m = kMacroInsertMoves[move];
    MacroAction a;
    a.kind = m.kind;
    a.code = std::uint8_t(std::min(profiles::leadingDecimal(text(m.distanceEdit)), kMaxDistance));
    a.pressed = a.pressBit() ? 1 : 0;
    a.name = std::string(m.nameKey);
    insertAction(std::move(a));
}

void MacroEditor::showInsertPage(std::size_t button) {
    for (std::size_t i = 0; i < kMacroInsertButtons.size(); ++i)
        setVisible(kMacroInsertButtons[i].pageTab, i == button);
}

void MacroEditor::insertPanelToggled() {
    const skin::Control* toggle = find(n.insertPanelToggle);
    const bool inserting = toggle && toggle->isChecked();
    setVisible(n.insertPanel, inserting);
    setVisible(n.namePanel, !inserting);
}

// ---------------------------------------------------------------------------
// Save and cancel

void MacroEditor::save() {
    const int m = selectedMacro();
    if (m >= 0) {
        const std::string name = find(n.nameList)->row(m)->userData;
        if (!succeeded(store_.saveActions(name, actions_))) {
            // The edits stay on screen, still unsaved.
            (void)skin_.showMessage(kMessageMacroNotSaved);
            return;
        }
    }
    endEditing();
}

void MacroEditor::cancel() {
    endEditing();
    actions_.clear();
    showActions(-1);
    std::vector<std::string> stored;
    const int m = selectedMacro();
    if (m >= 0 && succeeded(store_.readNames(stored)) && stored.size() == listedNames().size())
        loadActions(find(n.nameList)->row(m)->userData);
}

// ---------------------------------------------------------------------------
// Recording

void MacroEditor::enableEditing(bool enabled) {
    setEnabled(n.actionList, enabled);
    for (std::string_view b : kActionButtons)
        setEnabled(b, enabled);
    for (std::string_view o : kRecordOptions)
        setEnabled(o, enabled);
}

void MacroEditor::toggleRecording() {
    skin::Control* list = find(n.nameList);
    if (!list || list->rowCount() == 0)
        return;
    setVisible(n.saveCancelBar, true);
    if (skin::Control* pages = find(n.actionPages))
        pages->selectPage(0);
    skin::Control* button = find(n.record);
    if (recording_) {
        recorder_.removeHooks();
        recording_ = false;
        enableEditing(true);
        if (button)
            button->setTextKey(kRecordStartText);
        return;
    }
    auto checked = [this](std::string_view name) {
        const skin::Control* c = find(name);
        return c && c->isChecked();
    };
    MacroRecording::Options options;
    options.keys = checked(n.recordKeys);
    options.buttons = checked(n.recordClicks);
    options.fixedPause = checked(n.fixedPause);
    const bool mouse = checked(n.recordClicks) || checked(n.recordWheel) || checked(n.recordMoves);
    if (options.keys || mouse) {
        const platform::InputStartResult started = recorder_.startRecording(
            device_.kind, {.keys = options.keys, .consumeKeys = true, .buttons = mouse},
            [this](const platform::InputEvent& e) { recorded(e); });
        if (started != platform::InputStartResult::ok) {
            // Nothing would be recorded: say why instead of showing a recording.
            (void)skin_.showMessage(started == platform::InputStartResult::grabFailed
                                        ? kMessageKeyboardTaken
                                        : kMessageNoInputHooks);
            return;
        }
    }
    recording_state_.begin(options, 0);
    recording_ = true;
    enableEditing(false);
    setEnabled(n.nameList, false);
    setEnabled(n.remove, false);
    if (button)
        button->setTextKey(kRecordStopText);
}

void MacroEditor::recorded(const platform::InputEvent& event) {
    if (!recording_)
        return;
    const std::size_t before = actions_.size();
    const bool added = recording_state_.record(
        actions_, event, [this](std::string_view key) { return skin_.translate(key); });
    if (!added)
        return;
    skin::Control* list = find(n.actionList);
    if (!list)
        return;
    if (before > 0)
        setActionRow(int(before) - 1);
    list->addRow(actionRow(actions_.back()));
}

}  // namespace quillon::keys

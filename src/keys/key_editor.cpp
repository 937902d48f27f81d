#include "keys/key_editor.h"

#include <algorithm>
#include <array>

#include "keys/assignment_label.h"
#include "keys/key_name_table.h"
#include "keys/scroll_step.h"

namespace quillon::keys {

namespace {

constexpr KeyAssignment kLeftClick = kMouseButtonSelector[0].assignment;
constexpr std::string_view kMessageOnlyLeftButton = "message_text_6";
constexpr std::string_view kMessageNotSaved = "message_text_20";
// What a fire key starts with when it is first chosen.
constexpr KeyAssignment kFireDefaults{FN_FIRE, 10, 3};

// The sub-selector that shows a type.
constexpr int comboOf(std::uint8_t type) {
    switch (type) {
        case FN_MOUSE_BUTTON:
            return kMouseButtonCombo;
        case FN_DPI:
            return kDpiCombo;
        case FN_CONSUMER:
            return kMultimediaCombo;
        case FN_SYSTEM:
            return kSystemCombo;
        case FN_GUN:
            return kPatternCombo;
        default:
            return 0;
    }
}

// The main items' names; their order is the device's (KeyEditorDevice::mainItems).
constexpr std::string_view mainItemLabel(std::uint8_t type) {
    switch (type) {
        case FN_DEFAULT:
            return "key_fct_default";
        case FN_KEY:
            return "key_fct_key";
        case FN_MOUSE_BUTTON:
            return "key_fct_mouse_button";
        case FN_HSCROLL:
            return "key_fct_hscroll";
        case FN_VSCROLL:
            return "key_fct_vscroll";
        case FN_DPI:
            return "key_fct_dpi";
        case FN_FIRE:
            return "key_fct_fire";
        case FN_CONSUMER:
            return "key_fct_media";
        case FN_SYSTEM:
            return "key_fct_system";
        case FN_MACRO:
            return "key_fct_macro";
        case FN_GUN:
            return "key_fct_gun";
        default:
            return {};
    }
}

constexpr std::array<std::string_view, kMacroPlayModes + 1> kPlayModeLabels{
    "key_fct_play_1", "key_fct_play_2", "key_fct_play_3", "key_fct_play_4", "key_fct_play_count"};

constexpr const ScrollControls& scrollControlsOf(std::uint8_t type) {
    return type == FN_HSCROLL ? kHorizontalScrollControls : kVerticalScrollControls;
}

// Leading decimal digits; anything else reads as 0. Large numbers stop growing.
int decimalValue(std::string_view text) {
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = std::min(value * 10 + (c - '0'), 1'000'000);
    }
    return value;
}

}  // namespace

KeyEditor::KeyEditor(const KeyEditorDevice& device, skin::Skin& skin, KeyMapAccess& maps,
                     const MacroCatalogue& macros, KeyCaptureSource& capture)
    : device_(device), skin_(skin), maps_(maps), macros_(macros), capture_(capture) {}

skin::Control* KeyEditor::control(std::string_view name) {
    return skin_.find(editorControl(device_, name));
}

skin::Control* KeyEditor::numbered(std::string_view prefix, int n) {
    return skin_.find(editorControl(device_, prefix, n));
}

int KeyEditor::editValue(int edit) {
    skin::Control* c = numbered(kKeyEditorNames.editPrefix, edit);
    return c != nullptr ? decimalValue(c->text()) : 0;
}

void KeyEditor::setEdit(int edit, int value) {
    if (skin::Control* c = numbered(kKeyEditorNames.editPrefix, edit))
        c->setText(std::to_string(value));
}

void KeyEditor::selectRow(std::string_view prefix, int n, int row) {
    if (skin::Control* c = numbered(prefix, n))
        c->selectRow(row, false);
}

int KeyEditor::selectedRow(std::string_view prefix, int n) {
    skin::Control* c = numbered(prefix, n);
    return c != nullptr ? c->currentRow() : -1;
}

void KeyEditor::showPage(int item) {
    for (int i = 0; i < static_cast<int>(device_.mainItems.size()); ++i)
        if (skin::Control* page = numbered(kKeyEditorNames.pagePrefix, i))
            page->setVisible(i == item);
    showMacroCountPage();
}

void KeyEditor::showMacroCountPage() {
    const int item = control(kKeyEditorNames.mainCombo) != nullptr
                         ? control(kKeyEditorNames.mainCombo)->currentRow()
                         : -1;
    const bool macroItem = item >= 0 && item < static_cast<int>(device_.mainItems.size()) &&
                           device_.mainItems[std::size_t(item)] == FN_MACRO;
    if (skin::Control* page = numbered(kKeyEditorNames.pagePrefix, kMacroCountPage))
        page->setVisible(macroItem && selectedRow(kKeyEditorNames.comboPrefix, kPlayModeCombo) ==
                                          kMacroCountItem);
}

bool KeyEditor::onlyLeftClick(std::size_t slot, const KeyMap& map) const {
    for (std::size_t s = 0; s < kMouseLeftClickSlots; ++s)
        if (s != slot && assignmentAt(map, s) == kLeftClick)
            return false;
    return true;
}

void KeyEditor::showAssignment(std::size_t slot) {
    if (slot >=
        static_cast<std::size_t>(keySlotCount(device_.kind, maps_.deviceInfo(device_.kind))))
        return;  // not a key of this device
    const KeyMap map = currentMap(maps_, device_.kind);
    const KeyAssignment a = assignmentAt(map, slot);
    stopCapture();
    if (device_.keepsOneLeftButton && a == kLeftClick && onlyLeftClick(slot, map)) {
        slot_.reset();
        markShownSlot();
        (void)skin_.showMessage(kMessageOnlyLeftButton);  // an information
        if (skin::Control* panel = control(kKeyEditorNames.panel))
            panel->setVisible(false);
        return;
    }
    slot_ = slot;
    current_ = a;
    markShownSlot();
    if (skin::Control* panel = control(kKeyEditorNames.panel)) {
        panel->setVisible(true);
        panel->setEnabled(true);
    }
    // A key name left from another key must not be stored for this one.
    captured_.reset();
    if (skin::Control* edit = numbered(kKeyEditorNames.editPrefix, kCapturedKeyEdit))
        edit->setText("");

    const std::uint8_t type =
        a == assignmentAt(maps_.factoryMap(device_.kind), slot) ? FN_DEFAULT : a.type;
    const auto& names = kKeyEditorNames;
    std::optional<int> item = mainItemOf(device_.mainItems, type);
    if (comboOf(type) != 0)
        if (const SelectorEntry* e = findSelectorEntry(selectorOf(type), a))
            selectRow(names.comboPrefix, comboOf(type), e->item);
    switch (type) {
        case FN_MOUSE_BUTTON:
        case FN_DPI:
        case FN_CONSUMER:
        case FN_SYSTEM:
        case FN_GUN:
            break;
        case FN_HSCROLL:
        case FN_VSCROLL: {
            const ScrollControls& c = scrollControlsOf(type);
            const ScrollStep s = scrollStepOf(a);
            setEdit(c.highEdit, s.highNibble);
            setEdit(c.lowEdit, s.lowNibble);
            selectRow(names.comboPrefix, c.directionCombo, s.secondDirection ? 1 : 0);
            setEdit(c.amountEdit, s.amount);
            break;
        }
        case FN_FIRE:
            setEdit(kFireFirstEdit, a.p1);
            setEdit(kFireSecondEdit, a.p2);
            break;
        case FN_KEY:
            if (auto label = assignmentLabel(a, {}))
                if (skin::Control* edit = numbered(names.editPrefix, kCapturedKeyEdit)) {
                    if (label->languageKeys.size() == 1)
                        edit->setTextKey(label->languageKeys.front());
                    else
                        edit->setText(labelText(
                            *label, [this](std::string_view k) { return skin_.translate(k); }));
                }
            captured_ = a;
            break;
        case FN_MACRO:
        case FN_MACRO_COUNT: {
            const bool known = a.p1 < macros_.macroNames(device_.kind).size();
            selectRow(names.comboPrefix, kMacroCombo, known ? a.p1 : -1);
            if (type == FN_MACRO_COUNT) {
                selectRow(names.comboPrefix, kPlayModeCombo, kMacroCountItem);
                setEdit(kMacroCountEdit, a.p2);
            } else if (known) {
                selectRow(names.comboPrefix, kPlayModeCombo, a.p2);
            }
            break;
        }
        case FN_DEFAULT:
            break;
        default:
            item.reset();  // the controls stay as they are
            break;
    }
    if (item) {
        if (skin::Control* main = control(names.mainCombo))
            main->selectRow(*item, false);
        showPage(*item);
    }
    if (type == FN_KEY)
        startCapture();
}

std::optional<KeyAssignment> KeyEditor::fromControls() {
    skin::Control* main = control(kKeyEditorNames.mainCombo);
    const int item = main != nullptr ? main->currentRow() : -1;
    if (!slot_ || item < 0 || item >= static_cast<int>(device_.mainItems.size()))
        return std::nullopt;
    const std::uint8_t type = device_.mainItems[std::size_t(item)];
    const auto& names = kKeyEditorNames;
    switch (type) {
        case FN_DEFAULT:
            return assignmentAt(maps_.factoryMap(device_.kind), *slot_);
        case FN_MOUSE_BUTTON:
        case FN_DPI:
        case FN_CONSUMER:
        case FN_SYSTEM:
        case FN_GUN: {
            const auto selector = selectorOf(type);
            const int row = selectedRow(names.comboPrefix, comboOf(type));
            if (row < 0 || row >= static_cast<int>(selector.size()))
                return std::nullopt;
            return selector[std::size_t(row)].assignment;
        }
        case FN_HSCROLL:
        case FN_VSCROLL: {
            const ScrollControls& c = scrollControlsOf(type);
            const ScrollStep step{selectedRow(names.comboPrefix, c.directionCombo) == 1,
                                  editValue(c.amountEdit), editValue(c.highEdit),
                                  editValue(c.lowEdit)};
            return type == FN_HSCROLL ? horizontalScroll(step) : verticalScroll(step);
        }
        case FN_FIRE:
            return KeyAssignment{
                FN_FIRE,
                static_cast<std::uint8_t>(
                    std::min(editValue(kFireFirstEdit), device_.fireFirstMax)),
                static_cast<std::uint8_t>(std::clamp(editValue(kFireSecondEdit), 1, 255))};
        case FN_KEY: {
            skin::Control* edit = numbered(names.editPrefix, kCapturedKeyEdit);
            if (edit == nullptr || edit->text().empty())
                return std::nullopt;
            return captured_;
        }
        case FN_MACRO: {
            const int macro = selectedRow(names.comboPrefix, kMacroCombo);
            if (macro < 0 || macro >= static_cast<int>(macros_.macroNames(device_.kind).size()))
                return std::nullopt;
            const int mode = selectedRow(names.comboPrefix, kPlayModeCombo);
            if (mode == kMacroCountItem)
                return KeyAssignment{
                    FN_MACRO_COUNT, static_cast<std::uint8_t>(macro),
                    static_cast<std::uint8_t>(std::min(editValue(kMacroCountEdit), 255))};
            return KeyAssignment{
                FN_MACRO, static_cast<std::uint8_t>(macro),
                static_cast<std::uint8_t>(std::clamp(mode, 0, kMacroPlayModes - 1))};
        }
        default:
            return std::nullopt;
    }
}

void KeyEditor::applyEditor() {
    if (const auto a = fromControls())
        store(*a);
}

void KeyEditor::store(const KeyAssignment& a) {
    const int profile = maps_.activeSlot(device_.kind);
    KeyMap map = maps_.slotMap(device_.kind, profile);
    if (!slot_ || !setAssignment(map, *slot_, a))
        return;
    maps_.setSlotMap(device_.kind, profile, map);
    current_ = a;
    // The map stays edited in memory either way; the user hears of a file
    // that cannot be written once, not on every keystroke.
    const bool saved = maps_.saveKeyProfile(device_.kind);
    if (!saved && !saveFailureShown_)
        (void)skin_.showMessage(kMessageNotSaved);  // an information
    saveFailureShown_ = !saved;
    refreshLabels();
}

void KeyEditor::captureKey(std::uint16_t virtualKey, std::uint32_t flags) {
    if (!capturing_)
        return;
    if (virtualKey == kVkReturn && (flags == 0x01 || flags == 0x81))
        virtualKey = kVkKeypadEnter;
    const KeyNameEntry* entry = findKeyByVirtualKey(virtualKey);
    if (entry == nullptr || entry->assignment.type != FN_KEY)
        return;  // media and system keys are not keys to assign
    if (skin::Control* edit = numbered(kKeyEditorNames.editPrefix, kCapturedKeyEdit))
        edit->setTextKey(entry->languageKey);
    captured_ = entry->assignment;
    applyEditor();
}

void KeyEditor::restoreDefault() {
    if (!slot_)
        return;
    const std::size_t slot = *slot_;
    store(assignmentAt(maps_.factoryMap(device_.kind), slot));
    showAssignment(slot);
}

void KeyEditor::refreshLabels() {
    const std::vector<std::string> macroNames = macros_.macroNames(device_.kind);
    const KeyMap map = currentMap(maps_, device_.kind);
    const KeyMap factory = maps_.factoryMap(device_.kind);
    const Translate translate = [this](std::string_view key) { return skin_.translate(key); };
    for (const KeyLabelTarget& target : targets_) {
        skin::Control* c = skin_.find(target.control);
        const auto label = assignmentLabel(assignmentAt(map, target.slot), macroNames);
        if (c == nullptr || !label)
            continue;
        if (device_.labelsAsText) {
            if (label->macroName.empty() && label->languageKeys.size() == 1)
                c->setTextKey(label->languageKeys.front());
            else
                c->setText(labelText(*label, translate));
            c->setTooltip(labelText(*label, translate));
            continue;
        }
        if (auto tooltip = keyTooltip(assignmentAt(factory, target.slot),
                                      assignmentAt(map, target.slot), macroNames, translate))
            c->setTooltip(*tooltip);
    }
}

void KeyEditor::presetBlankControls(std::uint8_t type) {
    const auto& names = kKeyEditorNames;
    auto combo = [&](int n) {
        if (skin::Control* c = numbered(names.comboPrefix, n); c != nullptr && c->currentRow() < 0)
            c->selectRow(0, false);
    };
    auto edit = [&](int n, int value) {
        if (skin::Control* c = numbered(names.editPrefix, n); c != nullptr && c->text().empty())
            c->setText(std::to_string(value));
    };
    if (comboOf(type) != 0)
        combo(comboOf(type));
    switch (type) {
        case FN_HSCROLL:
        case FN_VSCROLL: {
            const ScrollControls& c = scrollControlsOf(type);
            combo(c.directionCombo);
            edit(c.amountEdit, 1);
            edit(c.highEdit, 0);
            edit(c.lowEdit, 0);
            break;
        }
        case FN_FIRE:
            edit(kFireFirstEdit, kFireDefaults.p1);
            edit(kFireSecondEdit, kFireDefaults.p2);
            break;
        case FN_MACRO:
            combo(kPlayModeCombo);
            edit(kMacroCountEdit, 1);
            break;
        default:
            break;
    }
}

void KeyEditor::mainItemChosen() {
    stopCapture();
    skin::Control* main = control(kKeyEditorNames.mainCombo);
    const int item = main != nullptr ? main->currentRow() : -1;
    // A function picked for the first time starts from its first choice, not
    // from blank controls that would store zeros.
    if (item >= 0 && item < static_cast<int>(device_.mainItems.size()))
        presetBlankControls(device_.mainItems[std::size_t(item)]);
    showPage(item);
    applyEditor();
    if (item >= 0 && item < static_cast<int>(device_.mainItems.size()) &&
        device_.mainItems[std::size_t(item)] == FN_KEY && slot_)
        startCapture();
}

void KeyEditor::subSelectorChosen(int combo) {
    if (combo == kPlayModeCombo)
        showMacroCountPage();
    applyEditor();
}

void KeyEditor::editTyped(int edit) {
    if (edit == kCapturedKeyEdit)
        return;  // filled by captures only
    skin::Control* c = numbered(kKeyEditorNames.editPrefix, edit);
    if (c == nullptr)
        return;
    int maximum = 0;
    switch (edit) {
        case kHorizontalAmountEdit:
        case kVerticalAmountEdit:
            maximum = kMaxScrollAmount;
            break;
        case kHorizontalHighEdit:
        case kHorizontalLowEdit:
        case kVerticalHighEdit:
        case kVerticalLowEdit:
            maximum = kMaxScrollNibble;
            break;
        case kFireFirstEdit:
            maximum = device_.fireFirstMax;
            break;
        case kFireSecondEdit:
        case kMacroCountEdit:
            maximum = 255;
            break;
        default:
            return;
    }
    const std::string text = c->text();
    const int value = decimalValue(text);
    if (value > maximum)
        c->setText(std::to_string(maximum));
    else if (edit == kFireSecondEdit && !text.empty() && value == 0)
        c->setText("1");
    applyEditor();
}

void KeyEditor::setLabelTargets(std::vector<KeyLabelTarget> targets) {
    for (const KeyLabelTarget& target : targets_)
        if (skin::Control* c = skin_.find(target.control))
            c->setCurrent(false);
    targets_ = std::move(targets);
    markShownSlot();
}

void KeyEditor::markShownSlot() {
    for (const KeyLabelTarget& target : targets_)
        if (skin::Control* c = skin_.find(target.control))
            c->setCurrent(slot_ == target.slot);
}

void KeyEditor::fillMacroNames() {
    skin::Control* combo = numbered(kKeyEditorNames.comboPrefix, kMacroCombo);
    if (combo == nullptr)
        return;
    const int selected = combo->currentRow();
    combo->clearRows();
    for (const std::string& name : macros_.macroNames(device_.kind))
        combo->addRow(skin::Row::text(name));
    combo->selectRow(selected < combo->rowCount() ? selected : -1, false);
}

void KeyEditor::fillSelectorRows() {
    auto fill = [this](skin::Control* combo, auto&& labels) {
        if (combo == nullptr)
            return;
        const int selected = combo->currentRow();
        combo->clearRows();
        for (std::string_view key : labels)
            combo->addRow(skin::Row::keyed(key, skin_.translate(key)));
        combo->selectRow(selected, false);
    };
    auto labelsOf = [](std::span<const SelectorEntry> selector) {
        std::vector<std::string_view> labels;
        for (const SelectorEntry& e : selector)
            labels.push_back(e.label);
        return labels;
    };
    std::vector<std::string_view> main;
    for (std::uint8_t type : device_.mainItems)
        main.push_back(mainItemLabel(type));
    const auto& names = kKeyEditorNames;
    fill(control(names.mainCombo), main);
    fill(numbered(names.comboPrefix, kMouseButtonCombo), labelsOf(kMouseButtonSelector));
    fill(numbered(names.comboPrefix, kHorizontalScrollCombo), kHorizontalScrollLabels);
    fill(numbered(names.comboPrefix, kVerticalScrollCombo), kVerticalScrollLabels);
    fill(numbered(names.comboPrefix, kDpiCombo), labelsOf(kDpiSelector));
    fill(numbered(names.comboPrefix, kMultimediaCombo), labelsOf(kMultimediaSelector));
    fill(numbered(names.comboPrefix, kSystemCombo), labelsOf(kSystemSelector));
    fill(numbered(names.comboPrefix, kPlayModeCombo), kPlayModeLabels);
    if (mainItemOf(device_.mainItems, FN_GUN))
        fill(numbered(names.comboPrefix, kPatternCombo), labelsOf(kMovementPatternSelector));
}

void KeyEditor::forgetSlot() {
    stopCapture();
    slot_.reset();
    markShownSlot();
}

void KeyEditor::startCapture() {
    capturing_ = true;
    capture_.startCapture(device_.captureMode,
                          [this](std::uint16_t vk, std::uint32_t flags) { captureKey(vk, flags); });
}

void KeyEditor::stopCapture() {
    if (!capturing_)
        return;
    capturing_ = false;
    capture_.stopCapture();
}

}  // namespace quillon::keys

#include "keys/macro_module.h"

#include "keys/macro_table_image.h"

namespace quillon::keys {

using skin::NotifyType;

MacroModule::MacroModule(shell::Application& app, const profiles::ProfileStore& files,
                         KeyMapAccess& maps, std::unique_ptr<platform::InputHooks> hooks)
    : app_(app),
      folders_(files.folders),
      hooks_(app, std::move(hooks)),
      keyboardStore_(files.folders, files.ini, kKeyboardMacroStore),
      mouseStore_(files.folders, files.ini, kMouseMacroStore),
      keyboard_(kKeyboardMacroEditor, app.skin(), keyboardStore_, maps, hooks_,
                [this] {
                    if (macrosChanged_)
                        macrosChanged_(link::DeviceKind::keyboard);
                }),
      mouse_(kMouseMacroEditor, app.skin(), mouseStore_, maps, hooks_, [this] {
          if (macrosChanged_)
              macrosChanged_(link::DeviceKind::mouse);
      }) {}

void MacroModule::install(std::function<void(link::DeviceKind)> macrosChanged) {
    macrosChanged_ = std::move(macrosChanged);
    hooks_.install();
    addRoutes(keyboard_);
    addRoutes(mouse_);
    // The macro lists are filled before the profile lists.
    app_.addStartupStep(shell::StartupPhase::beforeLinks, [this] {
        // A failed copy leaves the patterns to their own page's messages.
        (void)mouseStore_.preparePatterns(
            [this](std::string_view name) { return folders_.programFile(name); });
        keyboard_.fillNameList();
        mouse_.fillNameList();
    });
    app_.addStartupStep(shell::StartupPhase::afterWorkers, [this] {
        keyboard_.fillComboRows();
        mouse_.fillComboRows();
    });
    app_.messages().on(shell::MessageId::languageReload, [this](const shell::WindowMessage&) {
        keyboard_.fillComboRows();
        mouse_.fillComboRows();
    });
}

void MacroModule::addRoutes(MacroEditor& e) {
    shell::NotificationRouter& r = app_.notifications();
    const MacroEditorNames& n = kMacroEditorNames;
    auto click = [&](std::string_view name, std::function<void()> action) {
        r.addName(NotifyType::click, e.control(name),
                  [action = std::move(action)](const skin::Notification&, int) { action(); });
    };
    click(n.add, [&e] { e.addMacro(); });
    click(n.remove, [&e] { e.deleteMacro(); });
    click(n.rename, [&e] { e.renameMacro(); });
    click(n.up, [&e] { e.moveAction(MacroEditor::Move::up); });
    click(n.down, [&e] { e.moveAction(MacroEditor::Move::down); });
    click(n.top, [&e] { e.moveAction(MacroEditor::Move::top); });
    click(n.bottom, [&e] { e.moveAction(MacroEditor::Move::bottom); });
    click(n.deleteAction, [&e] { e.deleteAction(); });
    click(n.deleteAll, [&e] { e.deleteAllActions(); });
    click(n.save, [&e] { e.save(); });
    click(n.cancel, [&e] { e.cancel(); });
    click(n.record, [&e] { e.toggleRecording(); });
    for (std::size_t i = 0; i < kMacroInsertButtons.size(); ++i) {
        click(kMacroInsertButtons[i].page, [&e, i] { e.showInsertPage(i); });
        click(kMacroInsertButtons[i].pressBtn, [&e, i] { e.insertButton(i, true); });
        click(kMacroInsertButtons[i].releaseBtn, [&e, i] { e.insertButton(i, false); });
    }
    for (std::size_t i = 0; i < kMacroInsertMoves.size(); ++i)
        click(kMacroInsertMoves[i].button, [&e, i] { e.insertMove(i); });

    auto on = [&](NotifyType type, std::string_view name, std::function<void()> action) {
        r.addName(type, e.control(name),
                  [action = std::move(action)](const skin::Notification&, int) { action(); });
    };
    on(NotifyType::itemSelect, n.nameList, [&e] { e.macroSelected(); });
    on(NotifyType::itemClick, n.actionList, [&e] { e.actionClicked(); });
    on(NotifyType::itemSelect, n.actionList, [&e] { e.actionClicked(); });
    on(NotifyType::itemSelect, n.keySelect, [&e] { e.keyChosen(); });
    on(NotifyType::itemSelect, n.upOrDown, [&e] { e.pressChosen(); });
    on(NotifyType::itemSelect, n.mouseSelect, [&e] { e.mouseItemChosen(); });
    on(NotifyType::textChanged, n.keyDelay, [&e] { e.pauseTyped(false); });
    on(NotifyType::textChanged, n.mouseDelay, [&e] { e.pauseTyped(true); });
    on(NotifyType::textChanged, n.distanceEdit, [&e] { e.distanceTyped(); });
    // Options are routed by name before the tab navigation sees them.
    on(NotifyType::selectChanged, n.insertPanelToggle, [&e] { e.insertPanelToggled(); });
    for (std::string_view option :
         {n.recordKeys, n.recordClicks, n.recordWheel, n.recordMoves, n.fixedPause})
        on(NotifyType::selectChanged, option, [] {});
}

std::vector<std::string> MacroModule::macroNames(link::DeviceKind kind) const {
    std::vector<std::string> names;
    (void)store(kind).readNames(names);
    return names;
}

std::optional<std::vector<std::uint8_t>> MacroModule::macroImage(link::DeviceKind kind) const {
    std::vector<Macro> macros;
    if (!succeeded(store(kind).readMacros(macros)))
        return std::nullopt;
    ActionTableBuild build = buildMacroTableImage(macros, kMaxActionTableBytes);
    if (build.result == ActionTableResult::empty)
        return std::vector<std::uint8_t>{};
    if (build.result != ActionTableResult::ok)
        return std::nullopt;
    return std::move(build.image);
}

}  // namespace quillon::keys

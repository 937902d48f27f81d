#include "keys/key_editor_device.h"

namespace quillon::keys {

std::vector<std::string> keyEditorControls(const KeyEditorDevice& d) {
    const auto& n = kKeyEditorNames;
    std::vector<std::string> names{editorControl(d, n.panel), editorControl(d, n.mainCombo),
                                   editorControl(d, n.restoreButton),
                                   editorControl(d, n.saveButton)};
    const bool gun = mainItemOf(d.mainItems, FN_GUN).has_value();
    for (int i = 0; i < static_cast<int>(d.mainItems.size()); ++i)
        names.push_back(editorControl(d, n.pagePrefix, i));
    names.push_back(editorControl(d, n.pagePrefix, kMacroCountPage));
    for (int combo : kEditorCombos)
        names.push_back(editorControl(d, n.comboPrefix, combo));
    for (int edit : kEditorEdits)
        names.push_back(editorControl(d, n.editPrefix, edit));
    if (gun)
        names.push_back(editorControl(d, n.comboPrefix, kPatternCombo));
    if (d.hasApplyButton)
        names.push_back(editorControl(d, n.applyButton));
    return names;
}

}  // namespace quillon::keys

#include "app/profile_panel.h"

#include "attach/profile_select.h"
#include "profiles/profile_events.h"
#include "profiles/profile_operations.h"
#include "profiles/profile_startup.h"

namespace quillon::app {

using profiles::ProfileOpResult;

namespace {

const ProfilePanelControls& controls(ProfileListId list) {
    return kProfilePanels[static_cast<std::size_t>(list)];
}

constexpr std::string_view kConfirmDelete = "message_text_12";

// The filters the file dialogs are given; Linux programs carry no extension.
skin::FileDialogRequest contentDialog(ProfileListId list, bool exporting) {
    const std::string_view ext = profiles::profileList(list).extension.substr(1);
    skin::FileDialogRequest request;
    if (exporting && list == ProfileListId::keyboardLighting)
        request.filter = "(*.led) | *.led ||";
    else
        request.filter = "(*." + std::string(ext) + ") | *." + std::string(ext) + " |(*.*)|*.*||";
    request.defaultExtension = ext;
    request.initialName = "*." + std::string(ext);
    request.confirmOverwrite = exporting;
    return request;
}

skin::FileDialogRequest programDialog() {
    skin::FileDialogRequest request;
    request.filter = "(*) | * ||";
    return request;
}

}  // namespace

void ProfilePanel::install(shell::Application& app) {
    shell::NotificationRouter& router = app.notifications();
    using skin::NotifyType;
    const auto on = [&](std::string_view name, ProfileListId list,
                        void (ProfilePanel::*action)(ProfileListId)) {
        router.addName(
            NotifyType::click, name,
            [this, list, action](const skin::Notification&, int) { (this->*action)(list); });
    };
    for (const ProfilePanelControls& c : kProfilePanels) {
        on(c.add, c.list, &ProfilePanel::add);
        on(c.remove, c.list, &ProfilePanel::remove);
        on(c.copy, c.list, &ProfilePanel::copy);
        on(c.importFile, c.list, &ProfilePanel::importFile);
        on(c.exportFile, c.list, &ProfilePanel::exportFile);
        on(c.reset, c.list, &ProfilePanel::reset);
        on(c.rename, c.list, &ProfilePanel::rename);
        on(c.linkButton, c.list, &ProfilePanel::linkButton);
        router.addName(
            NotifyType::selectChanged, c.linkCheck,
            [this, list = c.list](const skin::Notification&, int) { linkCheckChanged(list); });
    }
}

skin::Control* ProfilePanel::combo(ProfileListId list) {
    return parts_.skin.find(profiles::profileList(list).combo);
}

int ProfilePanel::currentRow(ProfileListId list) {
    skin::Control* c = combo(list);
    return c == nullptr ? -1 : c->currentRow();
}

bool ProfilePanel::report(ProfileOpResult result) {
    const std::string_view key = profiles::messageKey(result);
    if (!key.empty())
        (void)parts_.skin.showMessage(key);  // an information, not a question
    return result == ProfileOpResult::ok;
}

void ProfilePanel::showRows(ProfileListId list, int row) {
    skin::Control* c = combo(list);
    if (c == nullptr)
        return;
    c->clearRows();
    for (const std::string& name : profiles::profileNames(parts_.profiles, list))
        c->addRow(profiles::profileRow(name));
    (void)c->selectRow(row, true);
    watchers_.refresh(list);
}

std::uint8_t ProfilePanel::variant(ProfileListId list) const {
    switch (profiles::profileList(list).kind) {
        case link::DeviceKind::keyboard:
            return link::variantByte(parts_.identity.keyboardVariant.load());
        case link::DeviceKind::mouse:
            return link::variantByte(parts_.identity.mouseModel.load());
        case link::DeviceKind::mousepad:
            break;
    }
    return 0;
}

void ProfilePanel::add(ProfileListId list) {
    const profiles::ProfileOpOutcome done =
        profiles::addProfile(parts_.profiles, list, variant(list));
    if (report(done.result))
        showRows(list, done.row);
}

void ProfilePanel::remove(ProfileListId list) {
    const int cur = currentRow(list);
    if (cur < 0)
        return;
    skin::Control* c = combo(list);
    if (c->rowCount() == 1) {
        (void)report(ProfileOpResult::onlyProfile);
        return;
    }
    if (parts_.skin.showMessage(kConfirmDelete) != 1)
        return;
    const profiles::ProfileOpOutcome done = profiles::deleteProfile(parts_.profiles, list, cur);
    if (report(done.result))
        showRows(list, done.row);
}

void ProfilePanel::copy(ProfileListId list) {
    const int cur = currentRow(list);
    if (cur < 0)
        return;
    const profiles::ProfileOpOutcome done = profiles::copyProfile(parts_.profiles, list, cur);
    if (report(done.result))
        showRows(list, done.row);
}

void ProfilePanel::rename(ProfileListId list) {
    const int cur = currentRow(list);
    skin::Control* edit = parts_.skin.find(controls(list).nameEdit);
    if (cur < 0 || edit == nullptr)
        return;
    const profiles::ProfileOpOutcome done =
        profiles::renameProfile(parts_.profiles, list, cur, edit->text());
    if (!report(done.result))
        return;
    // The profile in use stays loaded: only its row changes.
    combo(list)->setRow(cur, profiles::profileRow(done.name));
    edit->setText(done.name);
}

void ProfilePanel::importFile(ProfileListId list) {
    const int cur = currentRow(list);
    if (cur < 0)
        return;
    const auto file = parts_.skin.openFileDialog(contentDialog(list, false));
    if (!file)
        return;
    const profiles::ProfileOpOutcome done =
        profiles::importProfile(parts_.profiles, list, cur, *file);
    if (!report(done.result))
        return;
    // Selected anew, so the imported content is loaded and applied.
    skin::Control* c = combo(list);
    (void)c->selectRow(-1, false);
    (void)c->selectRow(cur, true);
}

void ProfilePanel::exportFile(ProfileListId list) {
    const int cur = currentRow(list);
    if (cur < 0)
        return;
    const auto file = parts_.skin.saveFileDialog(contentDialog(list, true));
    if (file)
        (void)report(profiles::exportProfile(parts_.profiles, list, cur, *file).result);
}

void ProfilePanel::reset(ProfileListId list) {
    const int cur = currentRow(list);
    if (cur < 0)
        return;
    if (skin::Control* panel = parts_.skin.find(controls(list).functionPanel);
        panel != nullptr && panel->isVisible()) {
        panel->setVisible(false);
        panel->setEnabled(false);
    }
    // The shown profile takes the factory settings, file first, then memory.
    const profiles::ProfileOpOutcome done =
        profiles::resetProfile(parts_.profiles, list, cur, variant(list));
    if (!report(done.result))
        return;
    if (parts_.attach.loadListProfile(list, cur) == profiles::ProfileReadResult::ok)
        parts_.events.publish(profiles::ProfileLoaded{list, true});
}

void ProfilePanel::clearLink(ProfileListId list) {
    const ProfilePanelControls& c = controls(list);
    if (skin::Control* check = parts_.skin.find(c.linkCheck);
        check != nullptr && check->isChecked())
        check->setChecked(false, false);
    if (skin::Control* edit = parts_.skin.find(c.linkEdit))
        edit->setText(" ");
    if (skin::Control* row = parts_.skin.find(c.linkNameRow))
        row->setVisible(false);
    const int cur = currentRow(list);
    if (cur >= 0)
        (void)report(profiles::unlinkProfile(parts_.profiles, list, cur).result);
    watchers_.refresh(list);
}

void ProfilePanel::showLink(ProfileListId list, std::string_view program) {
    const ProfilePanelControls& c = controls(list);
    if (skin::Control* edit = parts_.skin.find(c.linkEdit)) {
        std::string text(attach::programFileName(program));
        if (!watchers_.foregroundAvailable() && !unavailableShown_) {
            unavailableShown_ = true;
            text += " — " + parts_.skin.translate(kForegroundUnavailableText);
        }
        edit->setText(text);
    }
    if (skin::Control* check = parts_.skin.find(c.linkCheck))
        check->setChecked(true, false);
    if (skin::Control* row = parts_.skin.find(c.linkNameRow))
        row->setVisible(true);
    watchers_.refresh(list);
}

void ProfilePanel::linkCheckChanged(ProfileListId list) {
    skin::Control* check = parts_.skin.find(controls(list).linkCheck);
    const int cur = currentRow(list);
    if (check == nullptr || cur < 0)
        return;
    if (!check->isChecked()) {
        clearLink(list);
        return;
    }
    const auto program = parts_.skin.openFileDialog(programDialog());
    if (!program) {
        clearLink(list);
        return;
    }
    const std::string path = program->string();
    const profiles::ProfileOpOutcome done =
        profiles::linkProfile(parts_.profiles, list, cur, path, profiles::LinkCheck::refuseTaken);
    if (done.result == ProfileOpResult::programTaken)
        (void)report(done.result);
    if (done.result != ProfileOpResult::ok) {
        clearLink(list);
        return;
    }
    showLink(list, path);
}

void ProfilePanel::linkButton(ProfileListId list) {
    const int cur = currentRow(list);
    if (cur < 0)
        return;
    const auto program = parts_.skin.openFileDialog(programDialog());
    if (!program)
        return;
    const std::string path = program->string();
    const profiles::ProfileOpOutcome done =
        profiles::linkProfile(parts_.profiles, list, cur, path, profiles::LinkCheck::allowTaken);
    if (done.result == ProfileOpResult::badName)
        return;  // not a program path: nothing changes
    if (report(done.result))
        showLink(list, path);
}

}  // namespace quillon::app

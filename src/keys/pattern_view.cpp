#include "keys/pattern_view.h"

#include <string>
#include <vector>

#include "keys/macro_store.h"
#include "keys/pattern_controls.h"
#include "keys/pattern_shot.h"
#include "profiles/ini_file.h"
#include "shell/control_name.h"

namespace quillon::keys {

namespace {

using skin::Notification;
using skin::NotifyType;

const PatternControls& c = kPatternControls;

std::string numbered(std::string_view prefix, int n) {
    return std::string(prefix) + std::to_string(n);
}

}  // namespace

void PatternView::install(shell::NotificationRouter& router, shell::EventBus& events) {
    router.addPrefix(NotifyType::selectChanged, c.patternPrefix,
                     [this](const Notification& n, int k) {
                         if (n.value != 0 && shell::isNumberedName(n.name))
                             choosePattern(k);
                     });
    router.addPrefix(NotifyType::selectChanged, c.shotPrefix, [this](const Notification& n, int s) {
        if (n.value != 0 && shell::isNumberedName(n.name))
            chooseShot(s);
    });
    // The click sees the option before the skin selects it: a click on the
    // selected shot takes the selection away, and the editor with it.
    router.addPrefix(
        NotifyType::click, c.shotPrefix,
        [this](const Notification& n, int s) {
            if (shell::isNumberedName(n.name))
                deselectShot(s);
        },
        shell::Flow::continues);
    router.addName(NotifyType::click, c.previousShot, [this](const Notification&, int) {
        if (shot_ > 0)
            selectShotOption(shot_ - 1);
    });
    router.addName(NotifyType::click, c.nextShot, [this](const Notification&, int) {
        if (shot_ < kPatternShots - 1)
            selectShotOption(shot_ + 1);
    });
    router.addName(NotifyType::textChanged, c.pauseEdit, [this](const Notification&, int) {
        clampEdit(c.pauseEdit, kMaxMacroPauseUnits);
        storeShot();
    });
    for (std::string_view edit : {c.xEdit, c.yEdit}) {
        router.addName(NotifyType::textChanged, edit, [this, edit](const Notification&, int) {
            clampEdit(edit, 255);
            storeShot();
        });
    }
    router.addName(NotifyType::selectChanged, c.xCheck, [this](const Notification& n, int) {
        showDirection(c.xCheck, n.value != 0, true);
        storeShot();
    });
    router.addName(NotifyType::selectChanged, c.yCheck, [this](const Notification& n, int) {
        showDirection(c.yCheck, n.value != 0, false);
        storeShot();
    });
    router.addName(NotifyType::click, c.saveButton,
                   [this](const Notification&, int) { saveToMouse(); });
    router.addName(NotifyType::click, c.resetButton,
                   [this](const Notification&, int) { resetPattern(); });
    router.addName(NotifyType::click, c.importButton,
                   [this](const Notification&, int) { importPattern(); });
    router.addName(NotifyType::click, c.exportButton,
                   [this](const Notification&, int) { exportPattern(); });
    events.subscribe<link::MovementPatternsRead>(
        [this](const link::MovementPatternsRead& e) { patternsRead(e); });
}

void PatternView::choosePattern(int k) {
    if (k < 0 || k >= kMovementPatternCount)
        return;
    pattern_ = k;
    // Shot 0 selected anew, so that it is loaded even when it was selected.
    if (skin::Control* first = p_.skin.find(numbered(c.shotPrefix, 0)))
        first->setChecked(false, false);
    selectShotOption(0);
}

void PatternView::selectShotOption(int s) {
    if (skin::Control* option = p_.skin.find(numbered(c.shotPrefix, s)))
        option->setChecked(true, true);
    else
        chooseShot(s);
}

void PatternView::chooseShot(int s) {
    if (s < 0 || s >= kPatternShots)
        return;
    shot_ = s;
    loadShot();
    if (skin::Control* editor = p_.skin.find(c.editor))
        editor->setEnabled(true);
    if (skin::Control* number = p_.skin.find(c.shotNumber))
        number->setText(std::to_string(s + 1));
}

void PatternView::deselectShot(int s) {
    skin::Control* option = p_.skin.find(numbered(c.shotPrefix, s));
    if (option == nullptr || !option->isChecked())
        return;  // another shot: the skin selects it
    option->setChecked(false, true);
    if (skin::Control* editor = p_.skin.find(c.editor))
        editor->setEnabled(false);
}

void PatternView::loadShot() {
    PatternList actions;
    static_cast<void>(p_.store.read(pattern_, actions));  // a missing file shows nothing
    const std::optional<Shot> shot = keys::loadShot(actions, shot_);
    if (!shot)
        return;
    if (skin::Control* pause = p_.skin.find(c.pauseEdit))
        pause->setText(std::to_string(shot->pauseMs));
    auto show = [&](const std::optional<ShotMove>& move, std::string_view edit,
                    std::string_view check, bool horizontal) {
        if (!move)
            return;  // not a move of this axis: the controls stay as they are
        if (skin::Control* e = p_.skin.find(edit))
            e->setText(std::to_string(move->distance));
        if (skin::Control* box = p_.skin.find(check))
            box->setChecked(move->negative, false);
        showDirection(check, move->negative, horizontal);
    };
    show(shot->x, c.xEdit, c.xCheck, true);
    show(shot->y, c.yEdit, c.yCheck, false);
}

void PatternView::storeShot() {
    auto number = [&](std::string_view name) {
        skin::Control* e = p_.skin.find(name);
        return e != nullptr ? profiles::leadingDecimal(e->text()) : 0;
    };
    auto checked = [&](std::string_view name) {
        skin::Control* box = p_.skin.find(name);
        return box != nullptr && box->isChecked();
    };
    PatternList actions;
    if (p_.store.read(pattern_, actions) != PatternFileResult::ok)
        return;
    const ShotMove x{static_cast<std::uint8_t>(std::min(number(c.xEdit), 255)), checked(c.xCheck)};
    const ShotMove y{static_cast<std::uint8_t>(std::min(number(c.yEdit), 255)), checked(c.yCheck)};
    const auto pause = static_cast<std::uint32_t>(std::min<int>(number(c.pauseEdit), 65535));
    if (!keys::storeShot(actions, shot_, pause, x, y))
        return;  // the file does not hold this shot
    static_cast<void>(p_.store.write(pattern_, actions));
}

void PatternView::clampEdit(std::string_view edit, int most) {
    skin::Control* e = p_.skin.find(edit);
    if (e != nullptr && profiles::leadingDecimal(e->text()) > most)
        e->setText(std::to_string(most));
}

void PatternView::showDirection(std::string_view check, bool negative, bool horizontal) {
    if (skin::Control* box = p_.skin.find(check))
        box->setTextKey(horizontal ? (negative ? kMoveLeftText : kMoveRightText)
                                   : (negative ? kMoveUpText : kMoveDownText));
}

void PatternView::saveToMouse() {
    ActionTableBuild build = p_.store.buildImage();
    if (build.result == ActionTableResult::empty)
        return;
    if (build.result != ActionTableResult::ok) {
        static_cast<void>(p_.skin.showMessage(kMessageTooLarge));
        return;
    }
    const bool queued = p_.deviceJobs.post([this, image = std::move(build.image)] {
        if (link::succeeded(writePatternImage(p_.mouseLink, image)))
            return;
        static_cast<void>(
            p_.loop.post([this] { static_cast<void>(p_.skin.showMessage(kMessageWriteFailed)); }));
    });
    if (!queued)
        static_cast<void>(p_.skin.showMessage(kMessageWriteFailed));
}

void PatternView::resetPattern() {
    static_cast<void>(p_.store.resetToFactory(pattern_));  // no factory file: nothing changes
    choosePattern(pattern_);
}

void PatternView::importPattern() {
    skin::FileDialogRequest request;
    request.filter = "(*.cur) | *.cur ||";
    request.defaultExtension = "cur";
    const auto file = p_.skin.openFileDialog(request);
    if (!file)
        return;
    switch (p_.store.importFile(pattern_, *file)) {
        case PatternFileResult::ok:
            loadShot();
            return;
        case PatternFileResult::tooManyActions:
            static_cast<void>(p_.skin.showMessage(kMessageTooManyPatternActions));
            return;
        case PatternFileResult::missing:
            static_cast<void>(p_.skin.showMessage(kMessageFileMissing));
            return;
        case PatternFileResult::unreadable:
            static_cast<void>(p_.skin.showMessage(kMessageNotAPatternFile));
            return;
        case PatternFileResult::noSuchPattern:
        case PatternFileResult::noFolder:
        case PatternFileResult::writeFailed:
            break;
    }
    static_cast<void>(p_.skin.showMessage(kMessageNotWritten));
}

void PatternView::exportPattern() {
    skin::FileDialogRequest request;
    request.filter = "(*.txt) | *.txt ||";
    request.defaultExtension = "txt";
    request.confirmOverwrite = true;
    const auto file = p_.skin.saveFileDialog(request);
    if (file && p_.store.exportFile(pattern_, *file) != PatternFileResult::ok)
        static_cast<void>(p_.skin.showMessage(kMessageNotWritten));
}

void PatternView::patternsRead(const link::MovementPatternsRead& read) {
    const auto patterns = readPatternImage(read.image);
    if (!patterns)
        return;  // a bad image leaves the files as they are
    static_cast<void>(p_.store.storeReadBack(*patterns));
    choosePattern(pattern_ = 0);
}

}  // namespace quillon::keys

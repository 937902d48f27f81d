#include "app/app_link_watchers.h"

#include <algorithm>

namespace quillon::app {

using profiles::ProfileListId;

namespace {

shell::TimerId timerOf(ProfileListId list) {
    return static_cast<shell::TimerId>(static_cast<int>(shell::TimerId::appLinkFirst) +
                                       static_cast<int>(list));
}

}  // namespace

AppLinkWatchers::AppLinkWatchers(shell::Application& app, const profiles::ProfileStore& store,
                                 platform::ForegroundProgram& foreground)
    : app_(app), store_(store), foreground_(foreground) {}

void AppLinkWatchers::install() {
    for (const profiles::ProfileList& list : profiles::kProfileLists) {
        app_.messages().onTimer(timerOf(list.id), [this, id = list.id] { pass(id); });
    }
    app_.addStartupStep(shell::StartupPhase::afterWorkers, [this] {
        for (const profiles::ProfileList& list : profiles::kProfileLists)
            refresh(list.id);
    });
}

void AppLinkWatchers::refresh(ProfileListId list) {
    ListState& s = state(list);
    s.judged = false;
    const profiles::ProfileIndex index = store_.index(list);
    profiles::IniDocument document;
    (void)index.read(document);  // an unreadable index has no links to follow
    const profiles::ListEntries entries(document, index.list());
    const bool linked = foreground_.available() && profiles::anyLinked(entries, entries.count());
    if (linked == s.running)
        return;
    s.running = linked;
    if (linked)
        app_.loop().startTimer(timerOf(list), appLinkPeriod(list), shell::TimerMode::repeating);
    else
        app_.loop().stopTimer(timerOf(list));
    foreground_.setWatched(std::any_of(states_.begin(), states_.end(),
                                       [](const ListState& other) { return other.running; }));
}

void AppLinkWatchers::pass(ProfileListId list) {
    ListState& s = state(list);
    std::string program = foreground_.executable();
    if (s.judged && program == s.program)
        return;  // the same program in front: nothing to do, nothing read
    s.judged = true;
    s.program = std::move(program);

    skin::Control* combo = app_.skin().find(profiles::profileList(list).combo);
    if (combo == nullptr)
        return;
    const profiles::ProfileIndex index = store_.index(list);
    profiles::IniDocument document;
    if (index.read(document) == profiles::IniReadResult::unreadable)
        return;
    const profiles::ListEntries entries(document, index.list());
    const int rows = std::min(combo->rowCount(), entries.count());
    const int row = s.links.foregroundChanged(combo->currentRow(), entries.select(),
                                              profiles::linkedRow(entries, rows, s.program));
    if (row >= 0 && row < combo->rowCount())
        (void)combo->selectRow(row, true);  // the selection loads and applies it
}

}  // namespace quillon::app

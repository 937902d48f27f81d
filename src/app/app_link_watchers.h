#pragma once

// The five application-link watchers: while a list has a linked profile, a
// timer looks at the foreground program (every 300 ms for the keyboard key
// list, 2000 ms for the others) and, when it changed, shows the linked
// profile or gives the user's own back. Each pass runs on the GUI thread and
// selects rows like a user, so loading and applying are the row selection's.
// A list without links runs no timer at all.

#include <array>
#include <chrono>
#include <string>

#include "platform/foreground/foreground_program.h"
#include "profiles/app_link_switch.h"
#include "profiles/profile_content.h"
#include "shell/application.h"

namespace quillon::app {

using namespace std::chrono_literals;

// The pass period of a list's watcher.
constexpr std::chrono::milliseconds appLinkPeriod(profiles::ProfileListId list) {
    return list == profiles::ProfileListId::keyboardKeys ? 300ms : 2000ms;
}

class AppLinkWatchers {
  public:
    AppLinkWatchers(shell::Application& app, const profiles::ProfileStore& store,
                    platform::ForegroundProgram& foreground);
    AppLinkWatchers(const AppLinkWatchers&) = delete;
    AppLinkWatchers& operator=(const AppLinkWatchers&) = delete;

    // Timer handlers, and the first look at the links once the lists are filled.
    void install();

    // After the list's links or rows changed: runs the timer while it has a
    // link, and judges the foreground program anew at the next pass.
    void refresh(profiles::ProfileListId list);
    // One pass of the list's watcher.
    void pass(profiles::ProfileListId list);

    bool running(profiles::ProfileListId list) const { return state(list).running; }
    bool foregroundAvailable() const { return foreground_.available(); }

  private:
    struct ListState {
        bool running = false;
        bool judged = false;  // `program` was judged by a pass
        std::string program;
        profiles::AppLinkSwitch links;
    };
    ListState& state(profiles::ProfileListId list) {
        return states_[static_cast<std::size_t>(list)];
    }
    const ListState& state(profiles::ProfileListId list) const {
        return states_[static_cast<std::size_t>(list)];
    }

    shell::Application& app_;
    const profiles::ProfileStore& store_;
    platform::ForegroundProgram& foreground_;
    std::array<ListState, profiles::kProfileListCount> states_;
};

}  // namespace quillon::app

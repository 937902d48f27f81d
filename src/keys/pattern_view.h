#pragma once

// The movement-pattern page: choose a pattern and one of its 30 shots, edit
// the shot's pause and moves (stored in the pattern file at once), write all
// patterns to the mouse, restore, import and export a pattern file, and take
// the patterns the mouse sent back at its arrival. GUI thread only; the write
// to the mouse runs on the device-jobs worker.

#include "keys/pattern_store.h"
#include "link/device_events.h"
#include "link/device_link.h"
#include "shell/device_jobs.h"
#include "shell/event_bus.h"
#include "shell/event_loop.h"
#include "shell/notification_router.h"
#include "skin/skin.h"

namespace quillon::keys {

struct PatternViewParts {
    skin::Skin& skin;
    PatternStore& store;
    link::DeviceLink& mouseLink;
    shell::DeviceJobs& deviceJobs;
    shell::EventLoop& loop;
};

class PatternView {
  public:
    explicit PatternView(PatternViewParts parts) : p_(parts) {}

    void install(shell::NotificationRouter& router, shell::EventBus& events);

    int pattern() const { return pattern_; }
    int shot() const { return shot_; }

    // The image read back from the mouse (marker and size checked by attach).
    void patternsRead(const link::MovementPatternsRead& read);
    // Builds the image from the files and writes it to the mouse.
    void saveToMouse();

  private:
    void choosePattern(int k);
    void chooseShot(int s);
    void selectShotOption(int s);
    // A click on the selected shot's option: no shot is selected any more.
    void deselectShot(int s);
    void loadShot();
    void storeShot();
    void clampEdit(std::string_view edit, int most);
    void showDirection(std::string_view check, bool negative, bool horizontal);
    void resetPattern();
    void importPattern();
    void exportPattern();

    PatternViewParts p_;
    int pattern_ = 0;
    int shot_ = 0;
};

}  // namespace quillon::keys

#pragma once

// Which row a list shows while programs come and go in the foreground. A
// linked program coming to the front shows its profile; when it leaves, the
// user's own profile comes back, unless the user picked another profile
// meanwhile: that choice stands. Decisions are taken only when the foreground
// program changes, so a steady foreground never reloads anything.

#include <string_view>

#include "profiles/ini_file.h"
#include "profiles/profile_index.h"

namespace quillon::profiles {

// The lowest of the first `rows` entries linked to `program` (compared case
// aside), -1 for none or an empty program.
int linkedRow(const ListEntries& entries, int rows, std::string_view program);

// Whether any of the first `rows` entries carries a link.
bool anyLinked(const ListEntries& entries, int rows);

class AppLinkSwitch {
  public:
    // A pass after the foreground program changed: `shown` is the row the
    // list shows, `select` the index's selection, `linked` the row linked to
    // the new foreground program (-1 none). The row to select, or -1 to leave
    // the list as it is.
    int foregroundChanged(int shown, int select, int linked);

    // The row the list was switched to, -1 when it shows the user's choice.
    int switchedTo() const { return switchedTo_; }

  private:
    int switchedTo_ = -1;
    int userRow_ = -1;
};

}  // namespace quillon::profiles

#include "profiles/app_link_switch.h"

#include "profiles/profile_operations.h"

namespace quillon::profiles {

int linkedRow(const ListEntries& entries, int rows, std::string_view program) {
    if (program.empty())
        return -1;
    for (int i = 0; i < rows; ++i)
        if (entries.linked(i) && sameProfileName(entries.linkPath(i), program))
            return i;
    return -1;
}

bool anyLinked(const ListEntries& entries, int rows) {
    for (int i = 0; i < rows; ++i)
        if (entries.linked(i))
            return true;
    return false;
}

int AppLinkSwitch::foregroundChanged(int shown, int select, int linked) {
    // The user chose a profile while a linked one was shown: it is theirs now.
    if (switchedTo_ >= 0 && (shown != switchedTo_ || select != switchedTo_))
        switchedTo_ = -1;
    if (switchedTo_ >= 0) {
        if (linked == switchedTo_)
            return -1;
        if (linked >= 0) {
            switchedTo_ = linked;
            return linked;
        }
        switchedTo_ = -1;
        return userRow_;
    }
    if (linked < 0 || linked == shown)
        return -1;
    userRow_ = select;
    switchedTo_ = linked;
    return linked;
}

}  // namespace quillon::profiles

#pragma once

// Moving a profile between its content file and the live records: the
// lighting records, the device's first slot record and key maps. A failed read
// changes nothing in memory; a save writes only what memory holds.

#include "attach/attach_context.h"
#include "profiles/profile_file.h"

namespace quillon::attach {

// Loads entry `row` of the list into the live records.
profiles::ProfileReadResult loadListProfile(AttachContext& ctx, profiles::ProfileListId list,
                                            int row);

// Writes the selected profile of the list from the live records.
profiles::ProfileSaveResult saveListProfile(AttachContext& ctx, profiles::ProfileListId list);

// Writes the device's slot 0 record (and, for the mouse, the pointer speed and
// wheel lines) as the selected lighting profile of the kind, whatever slot is
// current. Not for the keyboard.
profiles::ProfileSaveResult saveFirstSlotProfile(AttachContext& ctx, link::DeviceKind kind);

}  // namespace quillon::attach

#include "profiles/profile_overview.h"

#include <algorithm>
#include <array>

#include "profiles/file_names.h"
#include "profiles/profile_content.h"
#include "profiles/profile_startup.h"
#include "skin/memory_skin.h"

namespace quillon::profiles {

ProfilesOverview startProfiles(const platform::UserFolders& users) {
    ProfilesOverview overview;
    ProfileFolders folders(users);
    IniStore ini;
    const ProfileStore store{folders, ini};
    skin::MemorySkin skin;
    ProfileRunState run;
    std::array<bool, kProfileListCount> wasEmpty{};
    std::array<bool, kProfileListCount> failed{};  // the start-up said it could not write or read
    for (std::size_t i = 0; i < kProfileLists.size(); ++i)
        wasEmpty[i] = store.index(kProfileLists[i].id).count() <= 0;
    for (DeviceKind kind : {DeviceKind::keyboard, DeviceKind::mouse, DeviceKind::mousepad}) {
        const ListStartResult result = startProfileLists(store, skin, run, kind);
        overview.defaultsFailed |=
            result == ListStartResult::missingDefault || result == ListStartResult::foreignDefault;
        if (result == ListStartResult::writeFailed || result == ListStartResult::unreadableIndex)
            for (const auto& list : kProfileLists)
                if (list.kind == kind)
                    failed[static_cast<std::size_t>(&list - kProfileLists.data())] = true;
    }
    for (const skin::ShownMessage& m : skin.messages())
        overview.messages.push_back(m.key);
    overview.firstRun = run.keyboardFirstRun || run.mouseFirstRun;

    // The start-up steps do not examine their writes; what reads back is what
    // the next start (and the window) will find.
    for (std::size_t i = 0; i < kProfileLists.size(); ++i) {
        const ProfileIndex index = store.index(kProfileLists[i].id);
        ProfileListView& view = overview.lists[i];
        view.id = kProfileLists[i].id;
        view.indexPath = index.indexPath();
        const skin::Control* combo = skin.find(index.list().combo);
        const int rows = combo ? combo->rowCount() : 0;
        for (int r = 0; r < rows; ++r) {
            ProfileRowView row{combo->row(r)->cells.at(0).text, index.linked(r), {}};
            if (row.linked)
                row.linkPath = index.linkPath(r);
            view.rows.push_back(std::move(row));
        }
        view.selected = index.select();
        if (failed[i] || (wasEmpty[i] && rows > 0 && index.count() <= 0))
            overview.notSaved.push_back(view.id);
    }
    return overview;
}

ContentReadResult readProfileContent(const platform::UserFolders& users, ProfileListId list,
                                     std::string_view name, ProfileContent& out) {
    if (!isPlainFileName(name))
        return ContentReadResult::badName;
    ProfileFolders folders(users);
    IniStore ini;
    const ProfileIndex index(folders, ini, list);
    out.path = index.contentPath(name);
    std::string whole;
    if (!platform::readWholeFile(out.path, whole))
        return ContentReadResult::missing;
    const std::span<const std::uint8_t> file(reinterpret_cast<const std::uint8_t*>(whole.data()),
                                             whole.size());
    std::vector<std::uint8_t> record(index.list().recordSize, 0);
    if (parseProfileFile(file, record) == ProfileReadResult::foreign)
        return ContentReadResult::foreign;
    out.header = ProfileFileHeader{};
    std::copy_n(file.begin(), std::min(file.size(), out.header.bytes.size()),
                out.header.bytes.begin());
    out.record = std::move(record);
    return ContentReadResult::ok;
}

}  // namespace quillon::profiles

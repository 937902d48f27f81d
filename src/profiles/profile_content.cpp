#include "profiles/profile_content.h"

#include <string>

#include "platform/debug_output.h"
#include "profiles/file_names.h"

namespace quillon::profiles {
namespace {

template <typename Record, typename Memory>
ProfileReadResult load(const ProfileStore& store, ProfileListId list, int i, Memory& memory) {
    const ProfileIndex index = store.index(list);
    const std::string name = index.name(i);
    ProfileReadResult result = ProfileReadResult::missing;
    Record record{};
    if (isPlainFileName(name)) {
        const auto path = index.contentPath(name);
        if (list == ProfileListId::keyboardLighting)
            platform::debugOutput(path.string());
        result = readProfileFile(path, record);
    }
    switch (result) {
        case ProfileReadResult::ok:
            applyRecord(record, memory);
            break;
        case ProfileReadResult::missing:
            platform::debugOutput("配置文件丢失");
            break;
        case ProfileReadResult::foreign:
            platform::debugOutput("配置文件格式错误");
            break;
    }
    return result;
}

template <typename Memory>
ProfileSaveResult save(const ProfileStore& store, ProfileListId list, Memory& memory) {
    const ProfileIndex index = store.index(list);
    IniDocument document;
    if (index.read(document) == IniReadResult::unreadable)
        return ProfileSaveResult::writeFailed;  // which profile is selected is unknown
    const ListEntries entries(document, index.list());
    const std::string name = entries.name(entries.select());
    if (!isPlainFileName(name))
        return ProfileSaveResult::badName;
    const auto record = assembleRecord(memory);
    const auto written = writeProfileFile(index.contentPath(name), record,
                                          deviceKindCode(index.list().kind), store.ini.locks());
    return platform::succeeded(written) ? ProfileSaveResult::ok : ProfileSaveResult::writeFailed;
}

}  // namespace

ProfileReadResult loadProfile(const ProfileStore& store, int i, KeyboardLightingMemory& memory) {
    return load<KeyboardLightingRecord>(store, ProfileListId::keyboardLighting, i, memory);
}

ProfileReadResult loadProfile(const ProfileStore& store, int i, MouseLightingMemory& memory) {
    return load<MouseLightingRecord>(store, ProfileListId::mouseLighting, i, memory);
}

ProfileReadResult loadProfile(const ProfileStore& store, int i, MousepadLightingMemory& memory) {
    return load<MousepadLightingRecord>(store, ProfileListId::mousepadLighting, i, memory);
}

ProfileReadResult loadProfile(const ProfileStore& store, ProfileListId list, int i,
                              KeyMapMemory& memory) {
    return load<KeyRecord>(store, list, i, memory);
}

ProfileSaveResult saveCurrentProfile(const ProfileStore& store, KeyboardLightingMemory& memory) {
    return save(store, ProfileListId::keyboardLighting, memory);
}

ProfileSaveResult saveCurrentProfile(const ProfileStore& store, MouseLightingMemory& memory) {
    return save(store, ProfileListId::mouseLighting, memory);
}

ProfileSaveResult saveCurrentProfile(const ProfileStore& store, MousepadLightingMemory& memory) {
    return save(store, ProfileListId::mousepadLighting, memory);
}

ProfileSaveResult saveCurrentProfile(const ProfileStore& store, ProfileListId list,
                                     const KeyMapMemory& memory) {
    return save(store, list, memory);
}

}  // namespace quillon::profiles

#include "profiles/profile_startup.h"

#include <array>
#include <span>
#include <string>
#include <vector>

#include "profiles/factory_key_defaults.h"
#include "profiles/file_names.h"

namespace quillon::profiles {
namespace {

// A factory lighting file and the first-run file made from it.
struct LightingSeed {
    std::string_view defaultFile;
    std::string_view profileFile;
    bool examined;  // whether a missing or foreign default stops the first run
};

struct FirstRunDescription {
    DeviceKind kind;
    ProfileListId lightingList;
    bool hasKeyList;
    ProfileListId keyList;
    std::span<const LightingSeed> seeds;
};

constexpr std::array<LightingSeed, 3> kKeyboardSeeds{{
    {"kbdengdefault.led", "New Profile 1.led", true},
    {"kbonecolordengdefault.led", "Profile.led", true},
    {"kbdengregiondefault.led", "Profile2.led", false},
}};
constexpr std::array<LightingSeed, 2> kMouseSeeds{{
    {"msdengdefault.led", "New Profile 1.led", true},
    {"msdengdefault3.led", "Profile.led", false},
}};
// The mousepad asks for its default with this spelling; names match without regard to case.
constexpr std::array<LightingSeed, 1> kMousepadSeeds{{
    {"mpdengdefault.Led", "New Profile 1.led", true},
}};

FirstRunDescription describe(DeviceKind kind) {
    switch (kind) {
        case DeviceKind::keyboard:
            return {kind, ProfileListId::keyboardLighting, true, ProfileListId::keyboardKeys,
                    kKeyboardSeeds};
        case DeviceKind::mouse:
            return {kind, ProfileListId::mouseLighting, true, ProfileListId::mouseKeys,
                    kMouseSeeds};
        case DeviceKind::mousepad:
            break;
    }
    return {DeviceKind::mousepad, ProfileListId::mousepadLighting, false,
            ProfileListId::mousepadLighting, kMousepadSeeds};
}

ListStartResult reportBadDefault(skin::Skin& skin, ProfileReadResult r) {
    if (r == ProfileReadResult::missing) {
        (void)skin.showMessage(kMessageMissingFile);  // an information, not a question
        return ListStartResult::missingDefault;
    }
    (void)skin.showMessage(kMessageForeignFile);
    return ListStartResult::foreignDefault;
}

void fillCombo(skin::Skin& skin, const ProfileIndex& index, int count) {
    skin::Control* combo = skin.find(index.list().combo);
    if (!combo)
        return;
    for (int i = 0; i < count; ++i)
        combo->addRow(profileRow(index.name(i)));
}

// Appends the first profile's row and writes the index of a list that now holds
// only it: count (the combo's rows), link flag 0, name 0, select, in this order.
void writeFirstIndex(skin::Skin& skin, ProfileIndex& index) {
    skin::Control* combo = skin.find(index.list().combo);
    int rows = 1;
    if (combo) {
        combo->addRow(profileRow(kFirstProfileName));
        rows = combo->rowCount();
    }
    // Index write failures are not examined at start; the next start tries again.
    (void)index.writeCount(rows);
    (void)index.writeLinked(0, false);
    (void)index.writeName(0, kFirstProfileName);
    (void)index.writeSelect(0);
}

ListStartResult startKeyList(const ProfileStore& store, skin::Skin& skin,
                             const FirstRunDescription& d, std::uint8_t keyboardVariant) {
    ProfileIndex index = store.index(d.keyList);
    if (const int count = index.count(); count > 0) {
        fillCombo(skin, index, count);
        return ListStartResult::filled;
    }
    const std::string_view defaultName = d.kind == DeviceKind::keyboard
                                             ? keyboardKeyDefaultFile(keyboardVariant)
                                             : kMouseKeyDefaultFile;
    KeyRecord record{};
    const auto read = readProfileFile(store.folders.programFile(defaultName), record);
    if (read != ProfileReadResult::ok)
        return reportBadDefault(skin, read);
    std::string fileName(kFirstProfileName);
    fileName += index.list().extension;
    const auto folder = store.folders.profileFolder(d.kind);
    (void)writeProfileFile(findNoCase(folder, fileName), record, deviceKindCode(d.kind),
                           store.ini.locks());  // reported in the debug output
    writeFirstIndex(skin, index);
    return ListStartResult::firstRun;
}

}  // namespace

skin::Row profileRow(std::string_view name) {
    return skin::Row::text(name, kProfileRowHeight, name);
}

ListStartResult startProfileLists(const ProfileStore& store, skin::Skin& skin, ProfileRunState& run,
                                  DeviceKind kind, std::uint8_t keyboardVariant) {
    const FirstRunDescription d = describe(kind);
    ProfileIndex lighting = store.index(d.lightingList);
    ListStartResult result = ListStartResult::filled;

    if (const int count = lighting.count(); count > 0) {
        fillCombo(skin, lighting, count);
    } else {
        // Read every default first; only then is anything written.
        std::vector<KeyboardLightingRecord> records(d.seeds.size());
        const std::size_t recordSize = lighting.list().recordSize;
        for (std::size_t i = 0; i < d.seeds.size(); ++i) {
            const auto r = readProfileFile(store.folders.programFile(d.seeds[i].defaultFile),
                                           std::span(records[i]).first(recordSize));
            if (d.seeds[i].examined && r != ProfileReadResult::ok)
                return reportBadDefault(skin, r);
        }
        const auto folder = store.folders.profileFolder(kind);
        for (std::size_t i = 0; i < d.seeds.size(); ++i)
            (void)writeProfileFile(findNoCase(folder, d.seeds[i].profileFile),
                                   std::span(records[i]).first(recordSize), deviceKindCode(kind),
                                   store.ini.locks());  // reported in the debug output
        if (kind == DeviceKind::keyboard)
            run.keyboardFirstRun = true;
        if (kind == DeviceKind::mouse)
            run.mouseFirstRun = true;
        writeFirstIndex(skin, lighting);
        result = ListStartResult::firstRun;
    }

    if (!d.hasKeyList)
        return result;
    const ListStartResult keys = startKeyList(store, skin, d, keyboardVariant);
    return keys == ListStartResult::filled ? result : keys;
}

}  // namespace quillon::profiles

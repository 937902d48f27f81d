#include "profiles/first_profile_reseed.h"

#include <array>
#include <span>
#include <string>

#include "profiles/file_names.h"

namespace quillon::profiles {
namespace {

// The seed file of a kind and variant; empty when that variant keeps the first run's profile.
std::string_view seedFile(DeviceKind kind, std::uint8_t variant) {
    if (kind == DeviceKind::keyboard && variant == 1)
        return "Profile.led";
    if (kind == DeviceKind::keyboard && variant == 2)
        return "Profile2.led";
    if (kind == DeviceKind::mouse && variant == 2)
        return "Profile.led";
    return {};
}

// Whether the list is still exactly what the first run wrote.
bool holdsOnlyFirstProfile(const ProfileIndex& index) {
    IniDocument document;
    if (index.read(document) != IniReadResult::ok)
        return false;
    const ListEntries entries(document, index.list());
    return entries.count() == 1 && entries.name(0) == kFirstProfileName;
}

}  // namespace

ReseedResult reseedFirstProfile(const ProfileStore& store, skin::Skin& skin, ProfileRunState& run,
                                DeviceKind kind, std::uint8_t variant) {
    const bool keyboard = kind == DeviceKind::keyboard;
    if (kind == DeviceKind::mousepad)
        return ReseedResult::notNeeded;
    const bool firstRun = keyboard ? run.keyboardFirstRun : run.mouseFirstRun;
    bool& done = keyboard ? run.keyboardReseeded : run.mouseReseeded;
    const std::string_view seed = seedFile(kind, variant);
    if (!firstRun || done || seed.empty())
        return ReseedResult::notNeeded;

    ProfileIndex index =
        store.index(keyboard ? ProfileListId::keyboardLighting : ProfileListId::mouseLighting);
    if (!holdsOnlyFirstProfile(index))
        return ReseedResult::notNeeded;

    const std::size_t recordSize = index.list().recordSize;
    KeyboardLightingRecord record{};  // large enough for either kind
    const auto folder = store.folders.profileFolder(kind);
    const auto read =
        readProfileFile(findNoCase(folder, seed), std::span(record).first(recordSize));
    if (read == ProfileReadResult::missing) {
        (void)skin.showMessage(kMessageMissingFile);  // an information, not a question
        return ReseedResult::missingSeed;
    }
    if (read == ProfileReadResult::foreign) {
        (void)skin.showMessage(kMessageForeignFile);
        return ReseedResult::foreignSeed;
    }

    // The old file is replaced atomically instead of being deleted first, so a
    // failed write leaves the user's first profile as it was.
    std::string fileName(kFirstProfileName);
    fileName += index.list().extension;
    const auto written =
        writeProfileFile(findNoCase(folder, fileName), std::span(record).first(recordSize),
                         deviceKindCode(kind), store.ini.locks());
    if (!platform::succeeded(written))
        return ReseedResult::writeFailed;
    if (skin::Control* combo = skin.find(index.list().combo)) {
        combo->clearRows();
        combo->addRow(profileRow(kFirstProfileName));
    }
    done = true;
    return ReseedResult::reseeded;
}

}  // namespace quillon::profiles

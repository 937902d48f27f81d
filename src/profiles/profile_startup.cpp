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

void fillCombo(skin::Skin& skin, const ListEntries& entries, int count) {
    skin::Control* combo = skin.find(entries.list().combo);
    if (!combo)
        return;
    for (int i = 0; i < count; ++i)
        combo->addRow(profileRow(entries.name(i)));
}

void addFirstRow(skin::Skin& skin, const ProfileList& list) {
    if (skin::Control* combo = skin.find(list.combo))
        combo->addRow(profileRow(kFirstProfileName));
}

// The entries of a list that holds only the first profile: count, link flag 0,
// name 0, select, in this order.
bool writeFirstEntries(ListEntries& entries) {
    return succeeded(entries.writeCount(1)) && succeeded(entries.writeLinked(0, false)) &&
           succeeded(entries.writeName(0, kFirstProfileName)) && succeeded(entries.writeSelect(0));
}

// What the start of one device kind found and will write.
struct StartPlan {
    bool lightingFirstRun = false;
    bool keyFirstRun = false;
    std::vector<KeyboardLightingRecord> seeds;
    KeyRecord keyRecord{};
    ListStartResult keyProblem = ListStartResult::filled;
};

// Writes the content files of the first profiles; false when one failed.
bool writeFirstContent(const ProfileStore& store, const FirstRunDescription& d,
                       const StartPlan& plan, const std::filesystem::path& folder) {
    bool ok = true;
    const std::size_t recordSize = profileList(d.lightingList).recordSize;
    if (plan.lightingFirstRun)
        for (std::size_t i = 0; i < d.seeds.size(); ++i)
            ok &= platform::succeeded(writeProfileFile(findNoCase(folder, d.seeds[i].profileFile),
                                                       std::span(plan.seeds[i]).first(recordSize),
                                                       deviceKindCode(d.kind), store.ini.locks()));
    if (plan.keyFirstRun) {
        std::string fileName(kFirstProfileName);
        fileName += profileList(d.keyList).extension;
        ok &= platform::succeeded(writeProfileFile(findNoCase(folder, fileName), plan.keyRecord,
                                                   deviceKindCode(d.kind), store.ini.locks()));
    }
    return ok;
}

ListStartResult reportWriteFailure(skin::Skin& skin) {
    (void)skin.showMessage(kMessageNotSaved);  // an information, not a question
    return ListStartResult::writeFailed;
}

}  // namespace

skin::Row profileRow(std::string_view name) {
    return skin::Row::text(name, kProfileRowHeight, name);
}

ListStartResult startProfileLists(const ProfileStore& store, skin::Skin& skin, ProfileRunState& run,
                                  DeviceKind kind, std::uint8_t keyboardVariant) {
    const FirstRunDescription d = describe(kind);
    const std::filesystem::path folder = store.folders.profileFolder(kind);
    if (folder.empty())
        return reportWriteFailure(skin);  // no Documents folder: nothing can be kept
    // Temporary files of writes that a killed run left behind.
    (void)platform::removeLeftoverTempFiles(folder);

    // The index is read once; both lists of the kind live in it.
    ProfileIndex index = store.index(d.lightingList);
    IniDocument document;
    if (index.read(document) == IniReadResult::unreadable) {
        // Not a first run: the user's profiles are there, the index cannot be read.
        (void)skin.showMessage(kMessageForeignFile);
        return ListStartResult::unreadableIndex;
    }
    ListEntries lighting(document, profileList(d.lightingList));
    ListEntries keys(document, profileList(d.keyList));

    StartPlan plan;
    const int lightingCount = lighting.count();
    plan.lightingFirstRun = lightingCount == 0;
    if (plan.lightingFirstRun) {
        // Read every default first; only then is anything written.
        plan.seeds.resize(d.seeds.size());
        const std::size_t recordSize = lighting.list().recordSize;
        for (std::size_t i = 0; i < d.seeds.size(); ++i) {
            const auto r = readProfileFile(store.folders.programFile(d.seeds[i].defaultFile),
                                           std::span(plan.seeds[i]).first(recordSize));
            if (d.seeds[i].examined && r != ProfileReadResult::ok)
                return reportBadDefault(skin, r);
        }
    }
    const int keyCount = d.hasKeyList ? keys.count() : 0;
    if (d.hasKeyList && keyCount == 0) {
        const std::string_view defaultName = d.kind == DeviceKind::keyboard
                                                 ? keyboardKeyDefaultFile(keyboardVariant)
                                                 : kMouseKeyDefaultFile;
        const auto read = readProfileFile(store.folders.programFile(defaultName), plan.keyRecord);
        if (read == ProfileReadResult::ok)
            plan.keyFirstRun = true;
        else
            plan.keyProblem = read == ProfileReadResult::missing ? ListStartResult::missingDefault
                                                                 : ListStartResult::foreignDefault;
    }

    if (plan.lightingFirstRun || plan.keyFirstRun) {
        // Content files first, then the index in one write: a run killed at any
        // point leaves either no index (the next start makes it all again) or a
        // complete one.
        if (!writeFirstContent(store, d, plan, folder))
            return reportWriteFailure(skin);
        const IniWriteResult written = store.ini.update(index.indexPath(), [&](IniDocument& doc) {
            ListEntries l(doc, lighting.list()), k(doc, keys.list());
            return (!plan.lightingFirstRun || writeFirstEntries(l)) &&
                   (!plan.keyFirstRun || writeFirstEntries(k));
        });
        if (!succeeded(written))
            return reportWriteFailure(skin);
    }

    ListStartResult result = ListStartResult::filled;
    if (plan.lightingFirstRun) {
        addFirstRow(skin, lighting.list());
        if (kind == DeviceKind::keyboard)
            run.keyboardFirstRun = true;
        if (kind == DeviceKind::mouse)
            run.mouseFirstRun = true;
        result = ListStartResult::firstRun;
    } else {
        fillCombo(skin, lighting, lightingCount);
    }
    if (!d.hasKeyList)
        return result;
    if (plan.keyProblem != ListStartResult::filled)
        return reportBadDefault(skin, plan.keyProblem == ListStartResult::missingDefault
                                          ? ProfileReadResult::missing
                                          : ProfileReadResult::foreign);
    if (plan.keyFirstRun) {
        addFirstRow(skin, keys.list());
        return ListStartResult::firstRun;
    }
    fillCombo(skin, keys, keyCount);
    return result;
}

}  // namespace quillon::profiles

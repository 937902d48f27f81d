#include "profiles/profile_operations.h"

#include <algorithm>
#include <initializer_list>
#include <system_error>

#include "profiles/factory_key_defaults.h"
#include "profiles/file_names.h"
#include "profiles/profile_startup.h"

namespace quillon::profiles {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kNewProfilePrefix = "New Profile ";
constexpr std::string_view kCopySuffix = " copy";
// What a removed link leaves as its program.
constexpr std::string_view kNoProgram = " ";

// The list's entries, read once for an operation.
struct ListSnapshot {
    std::vector<std::string> names;
    std::vector<bool> linked;
    std::vector<std::string> programs;

    int count() const { return static_cast<int>(names.size()); }
    bool hasRow(int row) const { return row >= 0 && row < count(); }
    const std::string& name(int row) const { return names[static_cast<std::size_t>(row)]; }
    bool nameTaken(std::string_view name) const {
        return std::any_of(names.begin(), names.end(),
                           [&](const std::string& n) { return sameProfileName(n, name); });
    }
};

bool readSnapshot(const ProfileIndex& index, ListSnapshot& out) {
    IniDocument document;
    if (index.read(document) == IniReadResult::unreadable)
        return false;
    const ListEntries entries(document, index.list());
    const int n = entries.count();
    for (int i = 0; i < n; ++i) {
        out.names.push_back(entries.name(i));
        out.linked.push_back(entries.linked(i));
        out.programs.push_back(entries.linkPath(i));
    }
    return true;
}

// The list, read once, with `row` one of its rows.
ProfileOpResult readRow(const ProfileIndex& index, int row, ListSnapshot& out) {
    if (!readSnapshot(index, out))
        return ProfileOpResult::unreadableIndex;
    return out.hasRow(row) ? ProfileOpResult::ok : ProfileOpResult::noProfile;
}

bool allWritten(std::initializer_list<IniWriteResult> results) {
    return std::all_of(results.begin(), results.end(),
                       [](IniWriteResult r) { return succeeded(r); });
}

ProfileOpResult fromRead(ProfileReadResult r) {
    switch (r) {
        case ProfileReadResult::ok:
            return ProfileOpResult::ok;
        case ProfileReadResult::missing:
            return ProfileOpResult::missingFile;
        case ProfileReadResult::foreign:
            break;
    }
    return ProfileOpResult::foreignFile;
}

ProfileOpResult fromIndexWrite(IniWriteResult r) {
    switch (r) {
        case IniWriteResult::ok:
            return ProfileOpResult::ok;
        case IniWriteResult::readFailed:
            return ProfileOpResult::unreadableIndex;
        case IniWriteResult::badText:
        case IniWriteResult::writeFailed:
            break;
    }
    return ProfileOpResult::writeFailed;
}

// The content of a stored profile. A stored name that is not plain gets no file operation.
ProfileOpResult readContent(const ProfileIndex& index, std::string_view name,
                            std::vector<std::uint8_t>& record) {
    if (!isPlainFileName(name))
        return ProfileOpResult::badName;
    record.assign(index.list().recordSize, 0);
    return fromRead(readProfileFile(index.contentPath(name), record));
}

ProfileOpResult writeContent(const ProfileStore& store, const fs::path& path,
                             const ProfileList& list, std::span<const std::uint8_t> record) {
    const auto written =
        writeProfileFile(path, record, deviceKindCode(list.kind), store.ini.locks());
    return platform::succeeded(written) ? ProfileOpResult::ok : ProfileOpResult::writeFailed;
}

void removeFile(const fs::path& path) {
    std::error_code ignored;  // a file that is already gone is what we wanted
    fs::remove(path, ignored);
}

// Appends `name` as a new, unlinked entry that becomes the selection. The
// content file is already written; it goes again when the index cannot take it.
ProfileOpOutcome appendEntry(ProfileIndex& index, const ListSnapshot& list, const std::string& name,
                             const fs::path& content) {
    const int n = list.count();
    const IniWriteResult r = index.update([&](ListEntries& e) {
        return allWritten({e.writeCount(n + 1), e.writeName(n, name), e.writeLinked(n, false),
                           e.writeLinkPath(n, kNoProgram), e.writeSelect(n)});
    });
    if (!succeeded(r)) {
        removeFile(content);
        return {fromIndexWrite(r), -1, {}};
    }
    return {ProfileOpResult::ok, n, name};
}

}  // namespace

std::string_view messageKey(ProfileOpResult result) {
    switch (result) {
        case ProfileOpResult::ok:
        case ProfileOpResult::noProfile:
            return {};
        case ProfileOpResult::missingFile:
            return kMessageMissingFile;
        case ProfileOpResult::foreignFile:
        case ProfileOpResult::unreadableIndex:
            return kMessageForeignFile;
        case ProfileOpResult::onlyProfile:
            return "message_text_11";
        case ProfileOpResult::programTaken:
            return "message_text_13";
        case ProfileOpResult::badName:
            return "message_text_14";
        case ProfileOpResult::nameTaken:
            return "message_text_15";
        case ProfileOpResult::writeFailed:
            break;
    }
    return kMessageNotSaved;
}

bool sameProfileName(std::string_view a, std::string_view b) {
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
               return lower(static_cast<unsigned char>(x)) == lower(static_cast<unsigned char>(y));
           });
}

std::vector<std::string> profileNames(const ProfileStore& store, ProfileListId list) {
    ListSnapshot snapshot;
    (void)readSnapshot(store.index(list), snapshot);  // an unreadable index shows no rows
    return snapshot.names;
}

std::string_view factoryDefaultFile(ProfileListId list, std::uint8_t variant) {
    switch (list) {
        case ProfileListId::keyboardLighting: {
            constexpr std::string_view kFiles[] = {"kbdengdefault.led", "kbonecolordengdefault.led",
                                                   "kbdengregiondefault.led"};
            return kFiles[variant < 3 ? variant : 0];
        }
        case ProfileListId::keyboardKeys:
            return keyboardKeyDefaultFile(variant);
        case ProfileListId::mouseLighting: {
            constexpr std::string_view kFiles[] = {"msdengdefault.led", "msdengdefault2.led",
                                                   "msdengdefault3.led"};
            return kFiles[variant < 3 ? variant : 0];
        }
        case ProfileListId::mouseKeys:
            return kMouseKeyDefaultFile;
        case ProfileListId::mousepadLighting:
            break;
    }
    return "mpdengdefault.led";
}

ProfileOpResult readFactoryDefault(const ProfileStore& store, ProfileListId list,
                                   std::uint8_t variant, std::span<std::uint8_t> record) {
    std::fill(record.begin(), record.end(), 0);
    return fromRead(
        readProfileFile(store.folders.programFile(factoryDefaultFile(list, variant)), record));
}

ProfileOpOutcome addProfile(const ProfileStore& store, ProfileListId list, std::uint8_t variant) {
    ProfileIndex index = store.index(list);
    ListSnapshot snapshot;
    if (!readSnapshot(index, snapshot))
        return {ProfileOpResult::unreadableIndex};
    std::string name;
    for (int k = 1;; ++k) {
        name = std::string(kNewProfilePrefix) + std::to_string(k);
        if (!snapshot.nameTaken(name))
            break;
    }
    std::vector<std::uint8_t> record(index.list().recordSize);
    if (const ProfileOpResult r = readFactoryDefault(store, list, variant, record);
        r != ProfileOpResult::ok)
        return {r};
    const fs::path content = index.contentPath(name);
    if (const ProfileOpResult r = writeContent(store, content, index.list(), record);
        r != ProfileOpResult::ok)
        return {r};
    return appendEntry(index, snapshot, name, content);
}

ProfileOpOutcome deleteProfile(const ProfileStore& store, ProfileListId list, int row) {
    ProfileIndex index = store.index(list);
    ListSnapshot snapshot;
    if (const ProfileOpResult r = readRow(index, row, snapshot); r != ProfileOpResult::ok)
        return r;
    const int n = snapshot.count();
    if (n == 1)
        return {ProfileOpResult::onlyProfile};
    const int selected = row == n - 1 ? n - 2 : row;
    const IniWriteResult r = index.update([&](ListEntries& e) {
        bool ok = allWritten({e.writeCount(n - 1), e.writeSelect(selected)});
        // The entries after the deleted one move down, links included; the old
        // last entry stays behind, unused.
        for (int i = row; i < n - 1 && ok; ++i) {
            const auto from = static_cast<std::size_t>(i + 1);
            ok = allWritten(
                {e.writeName(i, snapshot.names[from]), e.writeLinked(i, snapshot.linked[from]),
                 e.writeLinkPath(i, snapshot.linked[from] ? snapshot.programs[from] : kNoProgram)});
        }
        return ok;
    });
    if (!succeeded(r))
        return {fromIndexWrite(r)};
    const std::string& name = snapshot.name(row);
    if (isPlainFileName(name))
        removeFile(index.contentPath(name));
    return {ProfileOpResult::ok, selected, {}};
}

ProfileOpOutcome copyProfile(const ProfileStore& store, ProfileListId list, int row) {
    ProfileIndex index = store.index(list);
    ListSnapshot snapshot;
    if (const ProfileOpResult r = readRow(index, row, snapshot); r != ProfileOpResult::ok)
        return r;
    const std::string& source = snapshot.name(row);
    std::string name = source + std::string(kCopySuffix);
    while (snapshot.nameTaken(name))
        name += kCopySuffix;
    if (!isPlainFileName(name))
        return {ProfileOpResult::badName};
    std::vector<std::uint8_t> record;
    if (const ProfileOpResult r = readContent(index, source, record); r != ProfileOpResult::ok)
        return {r};
    const fs::path content = index.contentPath(name);
    if (const ProfileOpResult r = writeContent(store, content, index.list(), record);
        r != ProfileOpResult::ok)
        return {r};
    return appendEntry(index, snapshot, name, content);
}

ProfileOpOutcome renameProfile(const ProfileStore& store, ProfileListId list, int row,
                               std::string_view newName) {
    ProfileIndex index = store.index(list);
    ListSnapshot snapshot;
    if (const ProfileOpResult r = readRow(index, row, snapshot); r != ProfileOpResult::ok)
        return r;
    if (!isPlainFileName(newName))
        return {ProfileOpResult::badName};
    if (snapshot.nameTaken(newName))
        return {ProfileOpResult::nameTaken};
    const std::string& old = snapshot.name(row);
    std::vector<std::uint8_t> record;
    if (const ProfileOpResult r = readContent(index, old, record); r != ProfileOpResult::ok)
        return {r};
    const fs::path oldContent = index.contentPath(old);
    const fs::path content = index.contentPath(newName);
    if (const ProfileOpResult r = writeContent(store, content, index.list(), record);
        r != ProfileOpResult::ok)
        return {r};
    const IniWriteResult r = index.update([&](ListEntries& e) {
        return allWritten({e.writeCount(snapshot.count()), e.writeName(row, newName)});
    });
    if (!succeeded(r)) {
        removeFile(content);
        return {fromIndexWrite(r)};
    }
    removeFile(oldContent);
    return {ProfileOpResult::ok, -1, std::string(newName)};
}

ProfileOpOutcome importProfile(const ProfileStore& store, ProfileListId list, int row,
                               const fs::path& file) {
    ProfileIndex index = store.index(list);
    ListSnapshot snapshot;
    if (const ProfileOpResult r = readRow(index, row, snapshot); r != ProfileOpResult::ok)
        return r;
    const std::string& name = snapshot.name(row);
    if (!isPlainFileName(name))
        return {ProfileOpResult::badName};
    std::vector<std::uint8_t> record(index.list().recordSize, 0);
    if (const ProfileOpResult r = fromRead(readProfileFile(file, record)); r != ProfileOpResult::ok)
        return {r};
    if (const ProfileOpResult r =
            writeContent(store, index.contentPath(name), index.list(), record);
        r != ProfileOpResult::ok)
        return {r};
    // The imported profile is the one shown from now on.
    const IniWriteResult r =
        index.update([&](ListEntries& e) { return succeeded(e.writeSelect(row)); });
    return {fromIndexWrite(r), row, name};
}

ProfileOpOutcome exportProfile(const ProfileStore& store, ProfileListId list, int row,
                               const fs::path& file) {
    const ProfileIndex index = store.index(list);
    ListSnapshot snapshot;
    if (const ProfileOpResult r = readRow(index, row, snapshot); r != ProfileOpResult::ok)
        return r;
    std::vector<std::uint8_t> record;
    if (const ProfileOpResult r = readContent(index, snapshot.name(row), record);
        r != ProfileOpResult::ok)
        return {r};
    return {writeContent(store, file, index.list(), record)};
}

ProfileOpOutcome resetProfile(const ProfileStore& store, ProfileListId list, int row,
                              std::uint8_t variant) {
    const ProfileIndex index = store.index(list);
    ListSnapshot snapshot;
    if (const ProfileOpResult r = readRow(index, row, snapshot); r != ProfileOpResult::ok)
        return r;
    const std::string& name = snapshot.name(row);
    if (!isPlainFileName(name))
        return {ProfileOpResult::badName};
    std::vector<std::uint8_t> record(index.list().recordSize);
    if (const ProfileOpResult r = readFactoryDefault(store, list, variant, record);
        r != ProfileOpResult::ok)
        return {r};
    return {writeContent(store, index.contentPath(name), index.list(), record), row, name};
}

ProfileOpOutcome linkProfile(const ProfileStore& store, ProfileListId list, int row,
                             std::string_view program, LinkCheck check) {
    ProfileIndex index = store.index(list);
    ListSnapshot snapshot;
    if (const ProfileOpResult r = readRow(index, row, snapshot); r != ProfileOpResult::ok)
        return r;
    if (program.find('/') == std::string_view::npos)
        return {ProfileOpResult::badName};
    if (check == LinkCheck::refuseTaken) {
        for (int i = 0; i < snapshot.count(); ++i) {
            const auto at = static_cast<std::size_t>(i);
            if (snapshot.linked[at] && sameProfileName(snapshot.programs[at], program))
                return {ProfileOpResult::programTaken};
        }
    }
    const IniWriteResult r = index.update([&](ListEntries& e) {
        return allWritten({e.writeLinked(row, true), e.writeLinkPath(row, program)});
    });
    return {fromIndexWrite(r), row, {}};
}

ProfileOpOutcome unlinkProfile(const ProfileStore& store, ProfileListId list, int row) {
    ProfileIndex index = store.index(list);
    if (row < 0)
        return {ProfileOpResult::noProfile};
    const IniWriteResult r = index.update([&](ListEntries& e) {
        if (row >= e.count())
            return false;
        return allWritten({e.writeLinked(row, false), e.writeLinkPath(row, kNoProgram)});
    });
    return {fromIndexWrite(r), row, {}};
}

}  // namespace quillon::profiles

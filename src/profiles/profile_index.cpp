#include "profiles/profile_index.h"

#include <algorithm>

#include "profiles/file_names.h"

namespace quillon::profiles {

namespace fs = std::filesystem;

namespace {

// The entry number a key names: plain decimal digits only, else -1.
int entryNumber(std::string_view key) {
    if (key.empty() || key.size() > 9)
        return -1;
    int n = 0;
    for (char c : key) {
        if (c < '0' || c > '9')
            return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

}  // namespace

int ListEntries::count() const {
    const int stated = document_.readInt(list_.countSection, "count");
    if (stated <= 0)
        return 0;
    int present = 0;
    for (const std::string& key : document_.keys(list_.nameSection))
        present = std::max(present, entryNumber(key) + 1);
    return std::min({stated, present, kMaxProfileCount});
}

std::string ListEntries::name(int i) const {
    return document_.readString(list_.nameSection, std::to_string(i));
}

int ListEntries::select() const {
    return document_.readInt(list_.selectSection, "select");
}

bool ListEntries::linked(int i) const {
    return document_.readInt(list_.linkFlagSection, std::to_string(i)) == 1;
}

std::string ListEntries::linkPath(int i) const {
    return document_.readString(list_.linkPathSection, std::to_string(i));
}

IniWriteResult ListEntries::writeCount(int n) {
    return document_.writeInt(list_.countSection, "count", n);
}

IniWriteResult ListEntries::writeName(int i, std::string_view name) {
    return document_.writeString(list_.nameSection, std::to_string(i), name);
}

IniWriteResult ListEntries::writeSelect(int i) {
    return document_.writeInt(list_.selectSection, "select", i);
}

IniWriteResult ListEntries::writeLinked(int i, bool linked) {
    return document_.writeString(list_.linkFlagSection, std::to_string(i), linked ? "1" : "0");
}

IniWriteResult ListEntries::writeLinkPath(int i, std::string_view path) {
    return document_.writeString(list_.linkPathSection, std::to_string(i), path);
}

fs::path ProfileIndex::indexPath() const {
    return findNoCase(folders_.profileFolder(list_.kind), list_.indexFile);
}

fs::path ProfileIndex::contentPath(std::string_view name) const {
    std::string file(name);
    file += list_.extension;
    return findNoCase(folders_.profileFolder(list_.kind), file);
}

IniReadResult ProfileIndex::read(IniDocument& document) const {
    const fs::path path = indexPath();
    if (path.empty()) {
        document = IniDocument();
        return IniReadResult::unreadable;
    }
    return ini_.load(path, document);
}

IniWriteResult ProfileIndex::update(const std::function<bool(ListEntries&)>& edit) {
    const fs::path path = indexPath();
    if (path.empty())
        return IniWriteResult::writeFailed;
    return ini_.update(path, [&](IniDocument& document) {
        ListEntries entries(document, list_);
        return edit(entries);
    });
}

IniWriteResult ProfileIndex::writeOne(const std::function<IniWriteResult(ListEntries&)>& write) {
    IniWriteResult result = IniWriteResult::ok;
    const IniWriteResult written = update([&](ListEntries& entries) {
        result = write(entries);
        return succeeded(result);
    });
    return succeeded(result) ? written : result;
}

namespace {

template <typename Get>
auto readOne(const ProfileIndex& index, Get get) {
    IniDocument document;
    (void)index.read(document);  // an unreadable index reads as an empty one here
    ListEntries entries(document, index.list());
    return get(entries);
}

}  // namespace

int ProfileIndex::count() const {
    return readOne(*this, [](const ListEntries& e) { return e.count(); });
}

std::string ProfileIndex::name(int i) const {
    return readOne(*this, [i](const ListEntries& e) { return e.name(i); });
}

int ProfileIndex::select() const {
    return readOne(*this, [](const ListEntries& e) { return e.select(); });
}

bool ProfileIndex::linked(int i) const {
    return readOne(*this, [i](const ListEntries& e) { return e.linked(i); });
}

std::string ProfileIndex::linkPath(int i) const {
    return readOne(*this, [i](const ListEntries& e) { return e.linkPath(i); });
}

IniWriteResult ProfileIndex::writeCount(int n) {
    return writeOne([n](ListEntries& e) { return e.writeCount(n); });
}

IniWriteResult ProfileIndex::writeName(int i, std::string_view name) {
    return writeOne([&](ListEntries& e) { return e.writeName(i, name); });
}

IniWriteResult ProfileIndex::writeSelect(int i) {
    return writeOne([i](ListEntries& e) { return e.writeSelect(i); });
}

IniWriteResult ProfileIndex::writeLinked(int i, bool linked) {
    return writeOne([&](ListEntries& e) { return e.writeLinked(i, linked); });
}

IniWriteResult ProfileIndex::writeLinkPath(int i, std::string_view path) {
    return writeOne([&](ListEntries& e) { return e.writeLinkPath(i, path); });
}

}  // namespace quillon::profiles

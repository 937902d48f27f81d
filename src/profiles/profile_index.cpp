#include "profiles/profile_index.h"

#include "profiles/file_names.h"

namespace quillon::profiles {

namespace fs = std::filesystem;

fs::path ProfileIndex::indexPath() const {
    return findNoCase(folders_.profileFolder(list_.kind), list_.indexFile);
}

fs::path ProfileIndex::contentPath(std::string_view name) const {
    std::string file(name);
    file += list_.extension;
    return findNoCase(folders_.profileFolder(list_.kind), file);
}

int ProfileIndex::count() const {
    return ini_.readInt(indexPath(), list_.countSection, "count");
}

std::string ProfileIndex::name(int i) const {
    return ini_.readString(indexPath(), list_.nameSection, std::to_string(i));
}

int ProfileIndex::select() const {
    return ini_.readInt(indexPath(), list_.selectSection, "select");
}

bool ProfileIndex::linked(int i) const {
    return ini_.readInt(indexPath(), list_.linkFlagSection, std::to_string(i)) == 1;
}

std::string ProfileIndex::linkPath(int i) const {
    return ini_.readString(indexPath(), list_.linkPathSection, std::to_string(i));
}

IniWriteResult ProfileIndex::writeCount(int n) {
    return ini_.writeInt(indexPath(), list_.countSection, "count", n);
}

IniWriteResult ProfileIndex::writeName(int i, std::string_view name) {
    return ini_.writeString(indexPath(), list_.nameSection, std::to_string(i), name);
}

IniWriteResult ProfileIndex::writeSelect(int i) {
    return ini_.writeInt(indexPath(), list_.selectSection, "select", i);
}

IniWriteResult ProfileIndex::writeLinked(int i, bool linked) {
    return ini_.writeString(indexPath(), list_.linkFlagSection, std::to_string(i),
                            linked ? "1" : "0");
}

IniWriteResult ProfileIndex::writeLinkPath(int i, std::string_view path) {
    return ini_.writeString(indexPath(), list_.linkPathSection, std::to_string(i), path);
}

}  // namespace quillon::profiles

#include "profiles/profile_folders.h"

#include "profiles/file_names.h"

namespace quillon::profiles {

namespace fs = std::filesystem;

std::string_view profileFolderName(DeviceKind kind) {
    switch (kind) {
        case DeviceKind::keyboard:
            return "kb";
        case DeviceKind::mouse:
            return "ms";
        case DeviceKind::mousepad:
            return "mp";
    }
    return "kb";
}

ProfileFolders::ProfileFolders(const platform::UserFolders& folders,
                               std::function<void()> refreshMouseInfo)
    : folders_(folders), refreshMouseInfo_(std::move(refreshMouseInfo)) {}

fs::path ProfileFolders::dataFolder() const {
    const fs::path documents = folders_.documentsFolder();
    if (documents.empty())
        return {};
    const fs::path data = documents / kDataFolderName;
    std::error_code ec;
    fs::create_directories(data, ec);  // not reported: the file operations fail later
    return data;
}

fs::path ProfileFolders::profileFolder(DeviceKind kind) const {
    if (kind == DeviceKind::mouse && refreshMouseInfo_)
        refreshMouseInfo_();
    const fs::path data = dataFolder();
    if (data.empty())
        return {};
    const fs::path folder = data / profileFolderName(kind);
    std::error_code ec;
    fs::create_directory(folder, ec);
    return folder / "";
}

fs::path ProfileFolders::programFile(std::string_view name) const {
    std::error_code ec;
    const fs::path overlay = folders_.programOverlayFolder();
    if (!overlay.empty()) {
        fs::path p = findNoCase(overlay, name);
        if (fs::is_regular_file(p, ec))
            return p;
    }
    const auto folders = folders_.programDataFolders();
    for (const auto& folder : folders) {
        fs::path p = findNoCase(folder, name);
        if (fs::is_regular_file(p, ec))
            return p;
    }
    const fs::path first = folders.empty() ? overlay : folders.front();
    return first.empty() ? fs::path{} : first / fs::path(std::string(name));
}

fs::path ProfileFolders::programFileForWriting(std::string_view name) const {
    const fs::path overlay = folders_.programOverlayFolder();
    if (overlay.empty())
        return {};
    std::error_code ec;
    fs::create_directories(overlay, ec);
    return findNoCase(overlay, name);
}

}  // namespace quillon::profiles

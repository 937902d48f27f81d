#include "profiles/factory_key_defaults.h"

#include <array>

#include "profiles/profile_file.h"

namespace quillon::profiles {

std::string_view keyboardKeyDefaultFile(std::uint8_t keyboardVariant) {
    static constexpr std::array<std::string_view, 3> kFiles{
        "kbkeydefault.pro", "kbkeyonecolordefault.pro", "kbkeyfilmdefault.pro"};
    return kFiles[keyboardVariant < kFiles.size() ? keyboardVariant : 0];
}

platform::FileWriteResult storeKeyboardDefaultKeys(const ProfileFolders& folders,
                                                   platform::PathLocks& locks,
                                                   std::uint8_t keyboardVariant,
                                                   const KeyRecord& factoryMap) {
    const auto path = folders.programFileForWriting(keyboardKeyDefaultFile(keyboardVariant));
    return writeProfileFile(path, factoryMap, deviceKindCode(DeviceKind::keyboard), locks);
}

}  // namespace quillon::profiles

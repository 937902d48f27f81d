#include "profiles/profile_name_check.h"

#include "profiles/file_names.h"

namespace quillon::profiles {

bool acceptProfileName(skin::Skin& skin, std::string_view name) {
    if (isPlainFileName(name))
        return true;
    (void)skin.showMessage(kMessageBadProfileName);  // an information, not a question
    return false;
}

}  // namespace quillon::profiles

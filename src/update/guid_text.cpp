#include "update/guid_text.h"

#include <uuid/uuid.h>

namespace quillon::update {

std::string newGuidText() {
    uuid_t id;
    uuid_generate_random(id);
    char text[37];
    uuid_unparse_upper(id, text);
    return text;
}

}  // namespace quillon::update

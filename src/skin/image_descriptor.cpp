#include "skin/image_descriptor.h"

namespace quillon::skin {

namespace {
constexpr std::string_view kFileAttribute = "file='";

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
}  // namespace

std::string_view imageFile(std::string_view image) {
    std::size_t at = image.find(kFileAttribute);
    // Only a whole attribute counts: "profile='x'" names no file.
    while (at != std::string_view::npos && at > 0 && !isBlank(image[at - 1]))
        at = image.find(kFileAttribute, at + 1);
    if (at == std::string_view::npos)
        return image.find('\'') == std::string_view::npos ? image : std::string_view{};
    const std::size_t begin = at + kFileAttribute.size();
    const std::size_t end = image.find('\'', begin);
    if (end == std::string_view::npos)
        return {};
    return image.substr(begin, end - begin);
}

}  // namespace quillon::skin

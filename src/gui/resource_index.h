#pragma once

// "res.xml": the skin resources by name ("XML_MAIN", "XML_MSG", ...) and the
// skin file that holds each.
//
//   <resources>
//     <resource name="XML_MAIN" file="main.xml"/>
//   </resources>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace quillon::gui {

enum class [[nodiscard]] ResourceIndexLoad{ok, missingFile, malformed};

class ResourceIndex {
  public:
    // On failure the index is left as it was.
    ResourceIndexLoad load(const std::filesystem::path& file);
    ResourceIndexLoad parse(std::string_view xml);

    // The file of a resource; a name that is not in the index but is itself
    // a plain file name ("skin.xml") names that file.
    std::optional<std::string> file(std::string_view resource) const;

  private:
    std::map<std::string, std::string, std::less<>> files_;
};

}  // namespace quillon::gui

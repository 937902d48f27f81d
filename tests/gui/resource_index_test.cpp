// "res.xml" names the skin files by resource; nothing in it may lead out of
// the skin folder.

#include "gui/resource_index.h"

#include <gtest/gtest.h>

namespace quillon::gui {
namespace {

TEST(ResourceIndex, NamesTheFilesOfTheResources) {
    ResourceIndex index;
    ASSERT_EQ(index.parse(R"(<resources>
        <resource name="XML_MAIN" file="main.xml"/>
        <resource name="XML_MSG" file="message.xml"/>
      </resources>)"),
              ResourceIndexLoad::ok);
    EXPECT_EQ(index.file("XML_MAIN"), "main.xml");
    EXPECT_EQ(index.file("XML_MSG"), "message.xml");
    EXPECT_EQ(index.file("skin.xml"), "skin.xml") << "a plain skin file names itself";
    EXPECT_FALSE(index.file("XML_OTHER").has_value());
    EXPECT_FALSE(index.file("../main.xml").has_value());
}

TEST(ResourceIndex, RefusesFilesOutsideTheSkinFolderAndKeepsWhatItHad) {
    ResourceIndex index;
    ASSERT_EQ(index.parse(R"(<resources><resource name="XML_MAIN" file="main.xml"/></resources>)"),
              ResourceIndexLoad::ok);
    EXPECT_EQ(index.parse(
                  R"(<resources><resource name="XML_MAIN" file="../../etc/passwd"/></resources>)"),
              ResourceIndexLoad::malformed);
    EXPECT_EQ(
        index.parse(R"(<resources><resource name="XML_MAIN" file="sub/main.xml"/></resources>)"),
        ResourceIndexLoad::malformed);
    EXPECT_EQ(index.parse(R"(<resources><resource name="XML_MAIN"/></resources>)"),
              ResourceIndexLoad::malformed);
    EXPECT_EQ(index.parse("<resources><resource"), ResourceIndexLoad::malformed);
    EXPECT_EQ(index.parse("<other/>"), ResourceIndexLoad::malformed);
    EXPECT_EQ(index.file("XML_MAIN"), "main.xml");
}

TEST(ResourceIndex, AMissingIndexIsReported) {
    ResourceIndex index;
    EXPECT_EQ(index.load("/no/such/res.xml"), ResourceIndexLoad::missingFile);
}

}  // namespace
}  // namespace quillon::gui

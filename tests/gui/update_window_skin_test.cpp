// The update window's skin file builds, at its size, with every control the
// update window logic names.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QWidget>
#include <memory>

#include "gui/resource_index.h"
#include "gui/skin_loader.h"
#include "qt_test_app.h"
#include "update/update_window_controls.h"

namespace quillon::gui {
namespace {

TEST(UpdateWindowSkin, BuildsWithEveryControlTheLogicNames) {
    test::app();
    ResourceIndex index;
    ASSERT_EQ(index.load((test::skinDir().filePath("res.xml")).toStdString()),
              ResourceIndexLoad::ok);
    const auto file = index.file("XML_FUNCTION_SET");
    ASSERT_TRUE(file);
    SkinLoader loader(test::skinDir());
    const std::unique_ptr<QWidget> root(loader.loadFile(QString::fromStdString(*file)));
    ASSERT_NE(root, nullptr) << loader.errors().join("\n").toStdString();
    EXPECT_TRUE(loader.errors().isEmpty()) << loader.errors().join("\n").toStdString();
    EXPECT_EQ(root->size(), QSize(800, 572));

    auto has = [&](std::string_view name) {
        return root->findChild<QWidget*>(QString::fromUtf8(name.data(), name.size())) != nullptr;
    };
    for (const update::ProductLineControls& line : update::kProductLines) {
        for (std::string_view name :
             {line.page, line.installedLabel, line.newestLabel, line.button, line.progressText}) {
            if (!name.empty()) {
                EXPECT_TRUE(has(name)) << name;
            }
        }
        if (!line.progressText.empty()) {
            EXPECT_TRUE(root->findChild<QWidget*>(QString::fromUtf8(line.progressText.data(),
                                                                    line.progressText.size()))
                            ->isHidden())
                << "progress shows only while an update runs";
        }
    }
    for (std::string_view name :
         {update::kWebSiteButton, update::kSocialPageButton, update::kCloseButton})
        EXPECT_TRUE(has(name)) << name;
    const auto* combo = root->findChild<QComboBox*>("lanuage_select_combo");
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 10) << "a row for every stored language value";
    EXPECT_EQ(combo->itemText(*update::languageRow(0)), "English");
}

}  // namespace
}  // namespace quillon::gui

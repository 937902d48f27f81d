// The skin files build into the windows the program names, with every
// control the frame and the core bind to.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "gui/device_picture.h"
#include "gui/light_key.h"
#include "gui/message_window.h"
#include "gui/qt_skin.h"
#include "gui/skin_loader.h"
#include "lighting/colour_tables.h"
#include "qt_test_app.h"

namespace quillon::gui {
namespace {

std::vector<std::string> numbered(const std::string& prefix, int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        names.push_back(prefix + std::to_string(i));
    }
    return names;
}

class SkinFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        test::app();
        skin_ = std::make_unique<QtSkin>(test::skinDir());
        ASSERT_TRUE(skin_->build()) << skin_->errors().join("\n").toStdString();
    }
    std::unique_ptr<QtSkin> skin_;
};

TEST_F(SkinFiles, MainWindowBuildsWithoutLoaderErrors) {
    EXPECT_TRUE(skin_->errors().isEmpty()) << skin_->errors().join("\n").toStdString();
    MainFrame* frame = skin_->mainWindow();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->size(), QSize(800, 572));
    EXPECT_EQ(frame->windowTitle(), "Quillon Gaming Software");
    EXPECT_TRUE(frame->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(frame->isVisible()) << "the window stays hidden until a device arrives";
}

TEST_F(SkinFiles, HoldsEveryControlTheFrameAndTheCoreBind) {
    std::vector<std::string> names = {"root",
                                      "closebtn",
                                      "minbtn",
                                      "maxbtn",
                                      "restorebtn",
                                      "skinbtn",
                                      "setbtn",
                                      "titletext",
                                      "hometext",
                                      "tab_switch",
                                      "kb_tab",
                                      "kb_onecolor_tab",
                                      "kb_film_tab",
                                      "ms_tab",
                                      "ms2_tab",
                                      "mp_tab",
                                      "ani_tab",
                                      "split_tab",
                                      "kb_tab_panel",
                                      "ms_tab_panel",
                                      "kb_tab_switch",
                                      "ms_tab_switch",
                                      "kb_deng_Op_tab",
                                      "kb_key_Op_tab",
                                      "kb_macro_Op_tab",
                                      "kb_cursor_Op_tab",
                                      "ms_deng_Op_tab",
                                      "ms_key_Op_tab",
                                      "ms_macro_Op_tab",
                                      "ms_cursor_Op_tab",
                                      "ms_rich_Op_tab",
                                      "kb_film_light",
                                      "kb_mechanical_light",
                                      "kb_film_key",
                                      "kb_mechanical_key",
                                      "kb_deng_profile_combo",
                                      "kb_key_profile_combo",
                                      "ms_deng_profile_combo",
                                      "ms_key_profile_combo",
                                      "mp_deng_profile_combo",
                                      "kb_profile_select_tab",
                                      "kb_profile_fun_spead_tab",
                                      "kb_profile_fun_spread_btn",
                                      "kb_deng_profile_edit",
                                      "kb_key_profile_edit",
                                      "ms_profile_select_tab",
                                      "ms_profile_fun_spead_tab",
                                      "ms_profile_fun_spread_btn",
                                      "ms_deng_profile_edit",
                                      "ms_key_profile_edit",
                                      "mp_profile_fun_spead_tab",
                                      "mp_profile_fun_spread_btn",
                                      "mp_deng_profile_edit",
                                      "kb_tab_function",
                                      "ms_tab_function",
                                      "ms_deng_key",
                                      "ms2_deng_key",
                                      "ms_key_layout",
                                      "ms2_key_layout",
                                      "key_gun",
                                      "setting_progress",
                                      "cursor_edit_layout"};
    for (const char* kind :
         {"kb_pro_deng_", "kb_pro_key_", "ms_pro_deng_", "ms_pro_key_", "mp_pro_deng_"}) {
        for (const char* action : {"add_btn", "sub_btn", "import_btn", "export_btn", "copy_btn",
                                   "reset_btn", "edit_btn"}) {
            names.push_back(std::string(kind) + action);
        }
    }
    for (const char* prefix : {"kb_deng_", "kb_key_", "ms_deng_", "ms_key_", "mp_deng_"}) {
        names.push_back(std::string(prefix) + "profile_edit_save_btn");
        names.push_back(std::string(prefix) + "profile_link_btn");
    }
    for (const auto& [prefix, count] :
         std::vector<std::pair<std::string, int>>{{"kb_dkey_", 126},
                                                  {"kb_fkey_", 126},
                                                  {"kb_key_", 126},
                                                  {"kb_keyf_", 126},
                                                  {"ms_dkey_", 20},
                                                  {"ms2_dkey_", 20},
                                                  {"mp_dkey_", 15},
                                                  {"ms_profile_", 5}}) {
        const auto more = numbered(prefix, count);
        names.insert(names.end(), more.begin(), more.end());
    }
    std::vector<std::string> missing;
    for (const std::string& name : names) {
        if (skin_->find(name) == nullptr) {
            missing.push_back(name);
        }
    }
    EXPECT_TRUE(missing.empty()) << "missing: " << ::testing::PrintToString(missing);
}

TEST_F(SkinFiles, DevicePicturesHoldTheirLights) {
    for (const char* picture :
         {"kb_mechanical_light", "kb_film_light", "ms_deng_key", "ms2_deng_key", "mp_picture"}) {
        EXPECT_NE(qobject_cast<DevicePicture*>(skin_->control(picture)->widget()), nullptr)
            << picture;
    }
    for (const char* led : {"kb_dkey_125", "kb_fkey_0", "ms_dkey_19", "ms2_dkey_0", "mp_dkey_14"}) {
        EXPECT_NE(qobject_cast<LightKey*>(skin_->control(led)->widget()), nullptr) << led;
    }
}

TEST_F(SkinFiles, PresetSwatchesShowTheColoursTheyPick) {
    skin_->mainWindow()->show();
    for (const char* prefix : {"kb", "ms", "mp"}) {
        for (std::size_t i = 0; i < lighting::PresetColours.size(); ++i) {
            const std::string name = std::string(prefix) + "_Deng_color_btn_" + std::to_string(i);
            QWidget* swatch = skin_->control(name)->widget();
            const QImage face = swatch->grab().toImage();
            const QColor colour = face.pixelColor(face.rect().center());
            EXPECT_EQ(colour.rgb() & 0xFFFFFFu, lighting::PresetColours[i] & 0xFFFFFFu) << name;
        }
    }
}

TEST_F(SkinFiles, DevicePagesFollowTheTabSwitchOrder) {
    auto* pages = qobject_cast<QStackedWidget*>(skin_->control("tab_switch")->widget());
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->count(), 5);
    EXPECT_TRUE(pages->widget(0)->isAncestorOf(skin_->control("kb_tab_switch")->widget()));
    EXPECT_TRUE(pages->widget(1)->isAncestorOf(skin_->control("ms_tab_switch")->widget()));
    EXPECT_TRUE(pages->widget(2)->isAncestorOf(skin_->control("mp_dkey_0")->widget()));
    EXPECT_EQ(qobject_cast<QStackedWidget*>(skin_->control("kb_tab_switch")->widget())->count(), 4);
    EXPECT_EQ(qobject_cast<QStackedWidget*>(skin_->control("ms_tab_switch")->widget())->count(), 5);
    // The sub-views sit on the pages their options select.
    auto* kbPages = qobject_cast<QStackedWidget*>(skin_->control("kb_tab_switch")->widget());
    EXPECT_TRUE(kbPages->widget(0)->isAncestorOf(skin_->control("kb_dkey_0")->widget()));
    EXPECT_TRUE(kbPages->widget(1)->isAncestorOf(skin_->control("kb_key_0")->widget()));
}

TEST(SkinLoaderTest, SubViewElementNamesMatchWithoutCase) {
    EXPECT_EQ(SkinLoader::subViewFile("kb_key_ui"), "keyboard_key.xml");
    EXPECT_EQ(SkinLoader::subViewFile("MS_CURSOR_UI"), "Mouse_cursor.xml");
    EXPECT_EQ(SkinLoader::subViewFile("kb_CURSOR_UI"), "Mouse_cursor.xml");
    EXPECT_EQ(SkinLoader::subViewFile("mp_DENG_ui"), "MousePad_deng.xml");
    EXPECT_FALSE(SkinLoader::subViewFile("kb_Light_UI").has_value());
}

TEST(SkinLoaderTest, ReportsTheLoaderErrorForAMissingOrBrokenFile) {
    test::app();
    SkinLoader loader(test::skinDir());
    EXPECT_EQ(loader.loadFile("no_such_file.xml"), nullptr);
    ASSERT_EQ(loader.errors().size(), 1);
    EXPECT_TRUE(loader.errors().front().contains("no_such_file.xml"));

    QTemporaryDir dir;
    QFile broken(dir.filePath("broken.xml"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("<ui version=\"4.0\"><widget class=\"QWidget\"");
    broken.close();
    SkinLoader brokenLoader{QDir(dir.path())};
    EXPECT_EQ(brokenLoader.loadFile("broken.xml"), nullptr);
    ASSERT_FALSE(brokenLoader.errors().isEmpty());
    EXPECT_TRUE(brokenLoader.errors().front().contains("broken.xml"));
}

TEST(SkinLoaderTest, AClassNobodyBuildsIsReportedByName) {
    test::app();
    QTemporaryDir dir;
    QFile file(dir.filePath("odd.xml"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"(<ui version="4.0"><widget class="QWidget" name="odd_root">
        <widget class="NoSuchControl" name="odd_one"/></widget></ui>)");
    file.close();
    SkinLoader loader{QDir(dir.path())};
    QWidget* root = loader.loadFile("odd.xml");
    ASSERT_NE(root, nullptr) << "the rest of the view still builds";
    EXPECT_EQ(root->findChild<QWidget*>("odd_one"), nullptr);
    ASSERT_FALSE(loader.errors().isEmpty());
    EXPECT_TRUE(loader.errors().join(" ").contains("NoSuchControl"));
    delete root;
}

TEST(SkinLoaderTest, ASubViewThatIncludesItselfStops) {
    test::app();
    QTemporaryDir dir;
    // keyboard_key.xml holding a kb_Key_UI element: a loop in the skin.
    QFile file(dir.filePath("keyboard_key.xml"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"(<ui version="4.0"><widget class="QWidget" name="loop_root">
        <widget class="kb_Key_UI" name="again"/></widget></ui>)");
    file.close();
    SkinLoader loader{QDir(dir.path())};
    QWidget* root = loader.loadFile("keyboard_key.xml");
    ASSERT_NE(root, nullptr);
    EXPECT_TRUE(loader.errors().join(" ").contains("nest"));
    delete root;
}

TEST(SkinLoaderTest, SubViewsAreBoundedInTotalNotOnlyInDepth) {
    test::app();
    QTemporaryDir dir;
    // 25 self-references per level would be 25^4 loads within the depth limit.
    QByteArray xml = R"(<ui version="4.0"><widget class="QWidget" name="fan_root">)";
    for (int i = 0; i < 25; ++i) {
        xml += QByteArray(R"(<widget class="kb_Key_UI" name="again_)") + QByteArray::number(i) +
               R"("/>)";
    }
    xml += "</widget></ui>";
    QFile file(dir.filePath("keyboard_key.xml"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(xml);
    file.close();
    QElapsedTimer clock;
    clock.start();
    SkinLoader loader{QDir(dir.path())};
    QWidget* root = loader.loadFile("keyboard_key.xml");
    ASSERT_NE(root, nullptr);
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_TRUE(loader.errors().join(" ").contains("more than 64 sub-views"));
    delete root;
}

TEST(SkinLoaderTest, AFifoInPlaceOfASkinFileIsRefusedAtOnce) {
    test::app();
    QTemporaryDir dir;
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("main.xml")).constData(), 0600), 0);
    SkinLoader loader{QDir(dir.path())};
    EXPECT_EQ(loader.loadFile("main.xml"), nullptr);
    EXPECT_TRUE(loader.errors().join(" ").contains("not a regular file"));
}

TEST(MessageWindowSkin, BuildsWithItsControls) {
    test::app();
    MessageWindow window(test::skinDir().absolutePath(), "message.xml", nullptr);
    ASSERT_TRUE(window.built()) << window.errors().join("\n").toStdString();
    for (const QString& name : MessageWindow::requiredControls()) {
        EXPECT_NE(window.findChild<QWidget*>(name), nullptr) << name.toStdString();
    }
    EXPECT_FALSE(window.message().isEmpty()) << "the skin's own text is the default";
}

}  // namespace
}  // namespace quillon::gui

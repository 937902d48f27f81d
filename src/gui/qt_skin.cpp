#include "gui/qt_skin.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLayout>
#include <QMenu>

#include "gui/flow_columns.h"
#include "gui/keyed_texts.h"
#include "gui/message_window.h"
#include "gui/skin_loader.h"
#include "platform/regular_file.h"
#include "skin/image_descriptor.h"
#include "skin/mini_xml.h"

namespace quillon::gui {

namespace {

constexpr std::size_t kMaxMenuBytes = 64 * 1024;
constexpr std::size_t kMaxStyleBytes = 256 * 1024;

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::optional<std::filesystem::path> chosenPath(const QString& file) {
    if (file.isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(file.toStdString());
}

QString dialogDirectory(const skin::FileDialogRequest& request) {
    // An initial name that is only a pattern ("*.led") names no file.
    if (request.initialName.find('*') != std::string::npos) {
        return {};
    }
    return qs(request.initialName);
}

}  // namespace

QString qtFileFilter(std::string_view filter) {
    QStringList parts = qs(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString label = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        if (label.isEmpty() && pattern.isEmpty()) {
            break;  // the closing "||"
        }
        filters << QStringLiteral("%1 (%2)").arg(label, pattern.isEmpty() ? "*" : pattern);
    }
    return filters.join(";;");
}

QtSkin::QtSkin(const QDir& skinDir, std::string_view mainResource)
    : skinDir_(skinDir), mainResource_(mainResource) {}

QtSkin::~QtSkin() {
    sink_ = nullptr;
    controls_.clear();  // before the widgets they watch go
    frame_.reset();
}

QString QtSkin::resourceFile(std::string_view resource) const {
    const auto file = resources_.file(resource);
    return file ? qs(*file) : QString();
}

bool QtSkin::build() {
    const auto indexFile = std::filesystem::path(skinDir_.filePath("res.xml").toStdString());
    if (resources_.load(indexFile) != ResourceIndexLoad::ok) {
        errors_ << QStringLiteral("%1: missing or not a resource index")
                       .arg(QString::fromStdString(indexFile.string()));
        return false;
    }
    const QString mainFile = resourceFile(mainResource_);
    if (mainFile.isEmpty()) {
        errors_ << QStringLiteral("res.xml names no %1").arg(qs(mainResource_));
        return false;
    }

    const QString stylePath = skinDir_.filePath("style.qss");
    std::string styleText;
    if (platform::readRegularFile(stylePath.toStdString(), styleText, kMaxStyleBytes) ==
        platform::FileReadResult::ok) {
        // Images in the style sheet are named relative to the skin folder.
        QString sheet =
            QString::fromUtf8(styleText.data(), static_cast<qsizetype>(styleText.size()));
        sheet.replace("url(skin:", QStringLiteral("url(%1/").arg(skinDir_.absolutePath()));
        qApp->setStyleSheet(sheet);
    } else {
        errors_ << QStringLiteral("%1: missing, too large or not a regular file").arg(stylePath);
    }

    frame_ = std::make_unique<MainFrame>();
    SkinLoader loader(skinDir_);
    QWidget* view = loader.loadFile(mainFile, frame_.get());
    errors_ << loader.errors();
    if (view == nullptr) {
        frame_.reset();
        return false;
    }
    frame_->setView(view, view->findChild<QWidget*>("caption"));
    frame_->onResized = [this] { notify({skin::NotifyType::windowSize, {}, -1, 0}); };
    registerControls(view);
    for (QWidget* panel : view->findChildren<QWidget*>()) {
        if (panel->property("flow").toBool()) {
            new FlowColumns(panel);
        }
    }
    frame_->centreOnScreen();
    return true;
}

void QtSkin::registerControls(QWidget* root) {
    addControls(root, static_cast<ControlHost&>(*this), controls_);
}

QtControl* QtSkin::control(std::string_view name) const {
    const auto it = controls_.find(std::string(name));
    return it != controls_.end() ? it->second.get() : nullptr;
}

skin::Control* QtSkin::find(std::string_view name) {
    return control(name);
}

void QtSkin::setNotificationSink(skin::NotificationSink sink) {
    sink_ = std::move(sink);
}

void QtSkin::notify(const skin::Notification& notification) {
    if (!sink_) {
        return;
    }
    // A handler may install another sink; the running one stays alive.
    const skin::NotificationSink sink = sink_;
    sink(notification);
}

QString QtSkin::imagePath(std::string_view image) const {
    const QString name = qs(skin::imageFile(image));
    return QDir::isAbsolutePath(name) ? name : skinDir_.absoluteFilePath(name);
}

void QtSkin::announceWindowInit() {
    notify({skin::NotifyType::windowInit, {}, -1, 0});
}

void QtSkin::windowCommand(skin::WindowCommand command) {
    MainFrame* frame = frame_.get();
    if (frame == nullptr) {
        return;
    }
    switch (command) {
        case skin::WindowCommand::show:
        case skin::WindowCommand::bringToFront:
            frame->present();
            break;
        case skin::WindowCommand::hide:
            frame->conceal();
            break;
        case skin::WindowCommand::minimise:
            frame->showMinimized();
            break;
        case skin::WindowCommand::maximise:
            frame->showMaximized();
            break;
        case skin::WindowCommand::restore:
            frame->showNormal();
            break;
        case skin::WindowCommand::relayout:
            if (frame->layout() != nullptr) {
                frame->layout()->activate();
            }
            frame->update();
            break;
    }
}

bool QtSkin::windowVisible() const {
    return frame_ != nullptr && frame_->isVisible();
}

bool QtSkin::windowMinimised() const {
    return frame_ != nullptr && frame_->isMinimized();
}

bool QtSkin::loadLanguage(std::string_view code, const std::filesystem::path& file) {
    skin::LanguageTable table;
    if (table.load(file) != skin::LanguageLoad::ok) {
        return false;
    }
    language_ = std::move(table);
    languageCode_ = std::string(code);
    return true;
}

void QtSkin::shareLanguage(const QtSkin& other) {
    language_ = other.language_;
    languageCode_ = other.languageCode_;
}

bool QtSkin::loadListedLanguage(std::string_view code) {
    std::vector<skin::LanguageEntry> languages;
    const auto list = std::filesystem::path(skinDir_.filePath("lan.xml").toStdString());
    if (skin::loadLanguageList(list, languages) != skin::LanguageLoad::ok) {
        errors_ << QStringLiteral("%1: missing or not a language list")
                       .arg(QString::fromStdString(list.string()));
        return false;
    }
    for (const skin::LanguageEntry& language : languages) {
        if (language.code == code) {
            return loadLanguage(code, list.parent_path() / language.file);
        }
    }
    return false;
}

std::string QtSkin::translate(std::string_view key) const {
    return language_.translate(key);
}

void QtSkin::reloadTexts() {
    reloadKeyedTexts(frame_.get(), *this, controls_);
    if (frame_ != nullptr) {
        frame_->update();
    }
}

void QtSkin::translateWindow(QWidget& window) const {
    // The skin's text stays where the language has none.
    for (QWidget* child : window.findChildren<QWidget*>()) {
        showKeyedTexts(*child, *this, true);
    }
}

int QtSkin::runMessage(const QString& text) {
    MessageWindow window(skinDir_.absolutePath(), resourceFile("XML_MSG"), frame_.get());
    if (!window.built()) {
        errors_ << window.errors();
        return MessageWindow::kCancelled;
    }
    translateWindow(window);
    window.setMessage(text);
    ++messageDepth_;
    const int result = window.run();
    --messageDepth_;
    return result;
}

int QtSkin::showMessage(std::string_view textKey) {
    return runMessage(textKey.empty() ? QString() : qs(translate(textKey)));
}

int QtSkin::showMessageText(std::string_view text) {
    return runMessage(qs(text));
}

std::optional<std::filesystem::path> QtSkin::openFileDialog(
    const skin::FileDialogRequest& request) {
    return chosenPath(QFileDialog::getOpenFileName(
        frame_.get(), QString(), dialogDirectory(request), qtFileFilter(request.filter)));
}

std::optional<std::filesystem::path> QtSkin::saveFileDialog(
    const skin::FileDialogRequest& request) {
    QFileDialog dialog(frame_.get(), QString(), dialogDirectory(request),
                       qtFileFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(qs(request.defaultExtension));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return chosenPath(dialog.selectedFiles().front());
}

namespace {

void addMenuItems(QMenu& menu, const skin::XmlElement& element, const QtSkin& skin) {
    for (const skin::XmlElement& child : element.children) {
        const std::string* name = child.attribute("name");
        const std::string* key = child.attribute("textkey");
        const std::string* text = child.attribute("text");
        QString label =
            key != nullptr ? qs(skin.translate(*key)) : (text != nullptr ? qs(*text) : QString());
        if (child.name == "menu") {
            QMenu* sub = menu.addMenu(label);
            addMenuItems(*sub, child, skin);
        } else if (child.name == "separator") {
            menu.addSeparator();
        } else if (child.name == "item" && name != nullptr) {
            QAction* action = menu.addAction(label.isEmpty() ? qs(*name) : label);
            action->setObjectName(qs(*name));
        }
    }
}

}  // namespace

bool QtSkin::buildMenu(std::string_view menuResource, QMenu& menu,
                       std::span<const skin::MenuItem> added) {
    constexpr int kMenuItemWidth = 215;
    const QString file = resourceFile(menuResource);
    std::string xml;
    skin::XmlElement root;
    bool ok = true;
    if (file.isEmpty() ||
        skin::readBoundedFile(std::filesystem::path(skinDir_.filePath(file).toStdString()),
                              kMaxMenuBytes, xml) != skin::LanguageLoad::ok ||
        skin::parseXml(xml, root) != skin::XmlStatus::ok || root.name != "menu") {
        errors_ << QStringLiteral("%1: missing or not a menu").arg(qs(menuResource));
        ok = false;
    } else {
        addMenuItems(menu, root, *this);
    }
    const QList<QAction*> items = menu.actions();
    QAction* second = items.size() > 1 ? items.at(1) : nullptr;
    for (const skin::MenuItem& item : added) {
        auto* action = new QAction(qs(translate(item.textKey)), &menu);
        action->setObjectName(qs(item.name));
        menu.insertAction(second, action);
    }
    if (!added.empty()) {
        menu.setMinimumWidth(kMenuItemWidth);
    }
    return ok;
}

std::optional<std::string> QtSkin::showMenu(std::string_view menuResource, std::string_view anchor,
                                            std::span<const skin::MenuItem> added) {
    constexpr int kMenuLift = 25;  // a menu at the pointer opens this far above it
    QMenu menu(frame_.get());
    // A missing file still leaves the program's own items.
    if (!buildMenu(menuResource, menu, added) && added.empty()) {
        return std::nullopt;
    }
    QPoint at = QCursor::pos() - QPoint(0, kMenuLift);
    if (const QtControl* place = control(anchor); place != nullptr && place->widget() != nullptr) {
        QWidget* w = place->widget();
        at = w->mapToGlobal(QPoint(0, w->height()));
    }
    const QAction* chosen = menu.exec(at);
    if (chosen == nullptr) {
        return std::nullopt;
    }
    return chosen->objectName().toStdString();
}

}  // namespace quillon::gui

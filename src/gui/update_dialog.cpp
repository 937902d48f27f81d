#include "gui/update_dialog.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/caption_drag.h"
#include "gui/qt_skin.h"
#include "gui/skin_loader.h"

namespace quillon::gui {

QPoint updateDialogPosition(const QRect& owner, bool ownerShown, const QRect& screen) {
    QRect area(0, 0, UpdateDialog::kWidth, UpdateDialog::kHeight);
    if (ownerShown) {
        area.moveTopRight(QPoint(owner.right() - UpdateDialog::kInsetFromRight,
                                 owner.top() + UpdateDialog::kBelowTop));
    } else {
        area.moveCenter(screen.center());
    }
    if (screen.isValid()) {
        // Right and bottom first, so that a screen smaller than the window
        // keeps its title and close button in view.
        area.moveRight(std::min(area.right(), screen.right()));
        area.moveBottom(std::min(area.bottom(), screen.bottom()));
        area.moveLeft(std::max(area.left(), screen.left()));
        area.moveTop(std::max(area.top(), screen.top()));
    }
    return area.topLeft();
}

UpdateDialog::UpdateDialog(QtSkin& owner)
    : QDialog(owner.mainWindow(), Qt::Dialog | Qt::FramelessWindowHint), owner_(owner) {
    setObjectName("FunctionSet");
    setWindowTitle(QStringLiteral("设置"));
    setModal(true);
    setFixedSize(kWidth, kHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    const QString file = owner.resourceFile("XML_FUNCTION_SET");
    if (file.isEmpty()) {
        errors_ << "res.xml names no XML_FUNCTION_SET";
        return;
    }
    SkinLoader loader(owner.skinDir());
    QWidget* view = loader.loadFile(file, this);
    errors_ = loader.errors();
    if (view == nullptr) {
        return;
    }
    layout->addWidget(view);
    if (QWidget* caption = view->findChild<QWidget*>("fs_caption")) {
        new CaptionDrag(*this, *caption);
    }
    skin_ = std::make_unique<WindowSkin>(owner, *this, *view);
}

UpdateDialog::~UpdateDialog() {
    skin_.reset();  // before the widgets its controls watch go
}

void UpdateDialog::runModal() {
    const QWidget* main = owner_.mainWindow();
    const QScreen* screen = main != nullptr ? main->screen() : QGuiApplication::primaryScreen();
    move(updateDialogPosition(main != nullptr ? main->geometry() : QRect(),
                              main != nullptr && main->isVisible(),
                              screen != nullptr ? screen->availableGeometry() : QRect()));
    (void)exec();
}

}  // namespace quillon::gui

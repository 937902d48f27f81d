#include "gui/skin_frame.h"

namespace quillon::gui {

SkinFrame::SkinFrame(QtSkin& main) : main_(main), skin_(main.skinDir(), "skin.xml") {}

std::unique_ptr<SkinFrame> SkinFrame::make(QtSkin& main) {
    std::unique_ptr<SkinFrame> frame(new SkinFrame(main));
    if (!frame->skin_.build())
        return nullptr;
    MainFrame* window = frame->skin_.mainWindow();
    window->setObjectName("skinframe");
    window->setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    if (const QWidget* view = window->view())
        window->setFixedSize(view->size());
    return frame;
}

void SkinFrame::showBelow(std::string_view anchor) {
    MainFrame* window = skin_.mainWindow();
    // The texts follow the main window's language.
    skin_.shareLanguage(main_);
    skin_.reloadTexts();
    if (const QtControl* button = main_.control(anchor);
        button != nullptr && button->widget() != nullptr) {
        const QWidget* b = button->widget();
        const QPoint bottomRight = b->mapToGlobal(QPoint(b->width(), b->height()));
        window->move(bottomRight.x() - window->width(), bottomRight.y());
    }
    window->show();
    window->raise();
}

}  // namespace quillon::gui

#pragma once

// Texts a skin file names by language key, so that they follow the language:
// a control's own text ("textKey"), its tooltip ("toolTipKey"), a line edit's
// placeholder ("placeholderKey"), a combo box's items ("itemTextKeys", one key
// per item in order) and a tree's header columns ("columnTextKeys"). Rows the
// program adds carry their key in kTextKeyRole (skin::RowCell::textKey).

#include <QString>
#include <QWidget>

namespace quillon::gui {

class ControlHost;

// Item data role holding a row cell's language key.
inline constexpr int kTextKeyRole = Qt::UserRole + 5;

// Moves the item and column key lists of the skin file into kTextKeyRole of
// the items under `root` (built once, before the program changes any rows).
void bindSkinItemKeys(QWidget& root);

// Shows `widget`'s keyed texts in the current language. Its own text only
// with `withOwnText` (a registered control keeps that key itself). A key the
// language lacks leaves the text as it is.
void showKeyedTexts(QWidget& widget, const ControlHost& host, bool withOwnText);

// Puts `text` where the widget's kind shows its text.
void showWidgetText(QWidget& widget, const QString& text);

}  // namespace quillon::gui

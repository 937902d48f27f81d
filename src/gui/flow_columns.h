#pragma once

// Lets the controls of a panel close up when some of them are hidden, so a
// mode that hides the speed or the direction leaves no hole. The panel's
// children that carry the property "flowColumn" (an integer) form columns;
// children of one column at the same original height form a row. Rows
// without a visible child take no room; the others keep their order and
// the gaps the skin gave them.

#include <QObject>
#include <QRect>
#include <QWidget>
#include <vector>

namespace quillon::gui {

class FlowColumns : public QObject {
    Q_OBJECT

  public:
    explicit FlowColumns(QWidget* panel);

    // Places the rows now (what a child's show or hide triggers).
    void reflow();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Item {
        QWidget* widget;
        int column;
        QRect original;
    };
    QWidget* panel_;
    std::vector<Item> items_;
};

}  // namespace quillon::gui

#include "gui/flow_columns.h"

#include <QEvent>
#include <algorithm>
#include <map>

namespace quillon::gui {

FlowColumns::FlowColumns(QWidget* panel) : QObject(panel), panel_(panel) {
    for (QObject* child : panel->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        const QVariant column = widget != nullptr ? widget->property("flowColumn") : QVariant();
        if (!column.isValid()) {
            continue;
        }
        items_.push_back({widget, column.toInt(), widget->geometry()});
        widget->installEventFilter(this);
    }
    reflow();
}

bool FlowColumns::eventFilter(QObject*, QEvent* event) {
    // Only a child's own show or hide moves the rows, not its page's.
    if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) {
        reflow();
    }
    return false;
}

void FlowColumns::reflow() {
    // column -> original row top -> the row's items
    std::map<int, std::map<int, std::vector<const Item*>>> columns;
    for (const Item& item : items_) {
        columns[item.column][item.original.y()].push_back(&item);
    }
    for (const auto& [column, rows] : columns) {
        int y = rows.begin()->first;
        for (auto row = rows.begin(); row != rows.end(); ++row) {
            int bottom = row->first;
            bool shown = false;
            for (const Item* item : row->second) {
                bottom = std::max(bottom, item->original.bottom() + 1);
                shown = shown || !item->widget->isHidden();
            }
            for (const Item* item : row->second) {
                item->widget->move(item->original.x(), y);
            }
            if (!shown) {
                continue;
            }
            const auto next = std::next(row);
            const int gap = next != rows.end() ? std::max(0, next->first - bottom) : 0;
            y += bottom - row->first + gap;
        }
    }
}

}  // namespace quillon::gui

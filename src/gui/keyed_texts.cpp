#include "gui/keyed_texts.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QStringList>
#include <QTextEdit>
#include <QTreeWidget>
#include <optional>
#include <string>

#include "gui/qt_control.h"

namespace quillon::gui {

namespace {

std::optional<QString> translated(const ControlHost& host, const QVariant& key) {
    const std::string name = key.toString().toStdString();
    if (name.empty() || !host.hasText(name)) {
        return std::nullopt;
    }
    return QString::fromStdString(host.translate(name));
}

QStringList keyList(const QWidget& widget, const char* property) {
    return widget.property(property).toStringList();
}

}  // namespace

void bindSkinItemKeys(QWidget& root) {
    QList<QWidget*> widgets = root.findChildren<QWidget*>();
    widgets.prepend(&root);
    for (QWidget* widget : widgets) {
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            const QStringList keys = keyList(*combo, "itemTextKeys");
            for (int i = 0; i < keys.size() && i < combo->count(); ++i) {
                combo->setItemData(i, keys[i], kTextKeyRole);
            }
        } else if (auto* tree = qobject_cast<QTreeWidget*>(widget)) {
            const QStringList keys = keyList(*tree, "columnTextKeys");
            QTreeWidgetItem* header = tree->headerItem();
            for (int c = 0; header != nullptr && c < keys.size() && c < tree->columnCount(); ++c) {
                header->setData(c, kTextKeyRole, keys[c]);
            }
        }
    }
}

void showWidgetText(QWidget& widget, const QString& text) {
    QWidget* w = &widget;
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        b->setText(text);
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setText(text);
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        const QSignalBlocker quiet(e);
        e->setText(text);
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        if (c->isEditable()) {
            c->setEditText(text);
        }
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
        const QSignalBlocker quiet(p);
        p->setPlainText(text);
    } else if (auto* t = qobject_cast<QTextEdit*>(w)) {
        t->setPlainText(text);
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        g->setTitle(text);
    } else {
        w->setProperty("text", text);
        w->update();
    }
}

void showKeyedTexts(QWidget& widget, const ControlHost& host, bool withOwnText) {
    if (withOwnText) {
        if (const auto text = translated(host, widget.property("textKey"))) {
            showWidgetText(widget, *text);
        }
    }
    if (const auto tip = translated(host, widget.property("toolTipKey"))) {
        widget.setToolTip(*tip);
    }
    if (auto* edit = qobject_cast<QLineEdit*>(&widget)) {
        if (const auto hint = translated(host, edit->property("placeholderKey"))) {
            edit->setPlaceholderText(*hint);
        }
    }
    if (auto* combo = qobject_cast<QComboBox*>(&widget)) {
        // Item texts change in place: no selection moves, no event is raised.
        const QSignalBlocker quiet(combo);
        for (int i = 0; i < combo->count(); ++i) {
            if (const auto text = translated(host, combo->itemData(i, kTextKeyRole))) {
                combo->setItemText(i, *text);
            }
        }
    } else if (auto* list = qobject_cast<QListWidget*>(&widget)) {
        const QSignalBlocker quiet(list);
        for (int i = 0; i < list->count(); ++i) {
            QListWidgetItem* item = list->item(i);
            if (const auto text = translated(host, item->data(kTextKeyRole))) {
                item->setText(*text);
            }
        }
    } else if (auto* tree = qobject_cast<QTreeWidget*>(&widget)) {
        const QSignalBlocker quiet(tree);
        auto showItem = [&](QTreeWidgetItem& item) {
            for (int c = 0; c < item.columnCount(); ++c) {
                if (const auto text = translated(host, item.data(c, kTextKeyRole))) {
                    item.setText(c, *text);
                }
            }
        };
        if (QTreeWidgetItem* header = tree->headerItem()) {
            showItem(*header);
        }
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            showItem(*tree->topLevelItem(i));
        }
    }
}

}  // namespace quillon::gui

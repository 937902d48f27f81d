#include "gui/qt_control.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QButtonGroup>
#include <QColor>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSet>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>
#include <QTabWidget>
#include <QTextEdit>
#include <QTreeWidget>
#include <QValidator>
#include <algorithm>

#include "gui/colour_overlay.h"
#include "gui/colour_palette.h"
#include "gui/keyed_texts.h"
#include "gui/light_key.h"

namespace quillon::gui {

namespace {

using skin::NotifyType;

// Item data roles that keep what a skin::Row carries beyond its text.
constexpr int kUserDataRole = Qt::UserRole;
constexpr int kStyleRole = Qt::UserRole + 1;
constexpr int kNameRole = Qt::UserRole + 2;
constexpr int kRowStyleRole = Qt::UserRole + 3;
constexpr int kHeightRole = Qt::UserRole + 4;

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
std::string ss(const QString& text) {
    return text.toStdString();
}

bool isExclusive(const QAbstractButton* button) {
    return button->autoExclusive() || (button->group() != nullptr && button->group()->exclusive());
}

void fillListItem(QListWidgetItem& item, const skin::Row& row) {
    const skin::RowCell* cell = row.cells.empty() ? nullptr : &row.cells.front();
    item.setText(cell != nullptr ? qs(cell->text) : QString());
    item.setData(kStyleRole, cell != nullptr ? qs(cell->style) : QString());
    item.setData(kTextKeyRole, cell != nullptr ? qs(cell->textKey) : QString());
    item.setData(kUserDataRole, qs(row.userData));
    item.setData(kNameRole, qs(row.name));
    item.setData(kRowStyleRole, qs(row.style));
    item.setData(kHeightRole, row.height);
    if (row.height > 0) {
        item.setSizeHint(QSize(0, row.height));
    }
}

skin::Row rowOfListItem(const QListWidgetItem& item) {
    skin::Row row;
    row.cells.push_back(skin::RowCell{ss(item.text()), ss(item.data(kStyleRole).toString()),
                                      ss(item.data(kTextKeyRole).toString())});
    row.userData = ss(item.data(kUserDataRole).toString());
    row.name = ss(item.data(kNameRole).toString());
    row.style = ss(item.data(kRowStyleRole).toString());
    row.height = item.data(kHeightRole).toInt();
    return row;
}

void fillTreeItem(QTreeWidgetItem& item, const skin::Row& row) {
    const int columns = std::max(item.columnCount(), static_cast<int>(row.cells.size()));
    for (int c = 0; c < columns; ++c) {
        const bool has = c < static_cast<int>(row.cells.size());
        item.setText(c, has ? qs(row.cells[static_cast<std::size_t>(c)].text) : QString());
        item.setData(c, kStyleRole,
                     has ? qs(row.cells[static_cast<std::size_t>(c)].style) : QString());
        item.setData(c, kTextKeyRole,
                     has ? qs(row.cells[static_cast<std::size_t>(c)].textKey) : QString());
    }
    item.setData(0, kUserDataRole, qs(row.userData));
    item.setData(0, kNameRole, qs(row.name));
    item.setData(0, kRowStyleRole, qs(row.style));
    item.setData(0, kHeightRole, row.height);
    if (row.height > 0) {
        item.setSizeHint(0, QSize(0, row.height));
    }
}

skin::Row rowOfTreeItem(const QTreeWidgetItem& item, int columns) {
    skin::Row row;
    for (int c = 0; c < columns; ++c) {
        row.cells.push_back(skin::RowCell{ss(item.text(c)), ss(item.data(c, kStyleRole).toString()),
                                          ss(item.data(c, kTextKeyRole).toString())});
    }
    row.userData = ss(item.data(0, kUserDataRole).toString());
    row.name = ss(item.data(0, kNameRole).toString());
    row.style = ss(item.data(0, kRowStyleRole).toString());
    row.height = item.data(0, kHeightRole).toInt();
    return row;
}

QString cssColour(std::uint32_t argb) {
    return QStringLiteral("rgba(%1,%2,%3,%4)")
        .arg((argb >> 16) & 0xff)
        .arg((argb >> 8) & 0xff)
        .arg(argb & 0xff)
        .arg((argb >> 24) & 0xff);
}

// Whole numbers 0..most, digits only. Unlike QIntValidator it refuses a
// number above the top outright (QIntValidator lets "999" stand for 0..255),
// and an empty field is complete: it reads as 0.
class NumberValidator final : public QValidator {
  public:
    NumberValidator(int most, QObject* parent) : QValidator(parent), most_(most) {}
    State validate(QString& input, int&) const override {
        if (input.isEmpty()) {
            return Acceptable;
        }
        if (input.size() > 9 ||
            std::any_of(input.begin(), input.end(), [](QChar c) { return !c.isDigit(); })) {
            return Invalid;
        }
        return input.toInt() <= most_ ? Acceptable : Invalid;
    }

  private:
    int most_;
};

}  // namespace

QtControl::QtControl(QWidget* widget, ControlHost& host)
    : widget_(widget), host_(host), name_(ss(widget->objectName())) {
    ownStyle_ = widget->styleSheet();
    const QVariant key = widget->property("textKey");
    if (key.isValid() && !key.toString().isEmpty()) {
        defaultText_ = qs(text());
        setTextKey(ss(key.toString()));
    }
    // A stock background the skin gives a control ("bkimage", "bkcolor" as #AARRGGBB).
    if (const QVariant image = widget->property("bkimage"); image.isValid()) {
        backgroundImage_ = ss(image.toString());
    }
    if (const QVariant colour = widget->property("bkcolor"); colour.isValid()) {
        background_ = QColor::fromString(colour.toString()).rgba();
    }
    if (background_ != 0 || !backgroundImage_.empty()) {
        applyBackground();
    }
    widget->installEventFilter(this);
    if (qobject_cast<QComboBox*>(widget) != nullptr ||
        qobject_cast<QAbstractSlider*>(widget) != nullptr) {
        // The wheel only reaches them once they have the focus (see the
        // event filter); it must not give them the focus on its own.
        widget->setFocusPolicy(Qt::StrongFocus);
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        const QVariant most = widget->property("maxValue");
        if (most.isValid()) {
            // Only whole numbers 0..maxValue can be typed; what the field
            // shows is what is stored.
            edit->setValidator(new NumberValidator(most.toInt(), edit));
            connect(edit, &QLineEdit::editingFinished, this, [edit] {
                const QString shown = QString::number(edit->text().toInt());
                if (edit->text() != shown) {
                    const QSignalBlocker quiet(edit);
                    edit->setText(shown);
                }
            });
        }
    }
    if (auto* slider = qobject_cast<QSlider*>(widget);
        slider != nullptr && widget->property("showValue").toBool()) {
        showSliderValue(*slider);
    }
    connectUserSignals();
}

void QtControl::showSliderValue(QSlider& slider) {
    // A small label right of the slider, in its parent, following its value
    // and its visibility.
    auto* label = new QLabel(slider.parentWidget());
    label->setObjectName(QString());
    label->setProperty("role", "dim");
    label->setGeometry(slider.geometry().right() + 6, slider.y(), 28, slider.height());
    label->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    label->setNum(slider.value());
    label->setVisible(slider.isVisibleTo(slider.parentWidget()));
    connect(&slider, &QAbstractSlider::valueChanged, label, qOverload<int>(&QLabel::setNum));
    valueLabel_ = label;
}

QtControl::~QtControl() = default;

void QtControl::send(NotifyType type, int row, std::int64_t value) {
    skin::Notification n;
    n.type = type;
    n.name = name_;
    n.row = row;
    n.value = value;
    host_.notify(n);
}

void QtControl::connectUserSignals() {
    QWidget* w = widget_;
    // Programmatic changes block the widget's signals, so every signal
    // connected here comes from the user.
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        if (!button->isCheckable()) {
            connect(button, &QAbstractButton::clicked, this, [this] { send(NotifyType::click); });
        } else {
            // Mouse clicks on checkable buttons are handled in eventFilter:
            // the click must be announced before the selection changes. The
            // keyboard (space) reaches Qt's own toggling; it is told here.
            connect(button, &QAbstractButton::pressed, this, [this] { toggledByUser_ = false; });
            connect(button, &QAbstractButton::toggled, this, [this] { toggledByUser_ = true; });
            connect(button, &QAbstractButton::clicked, this, [this](bool checked) {
                send(NotifyType::click);
                if (toggledByUser_) {
                    toggledByUser_ = false;
                    send(NotifyType::selectChanged, -1, checked ? 1 : 0);
                }
            });
        }
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        connect(combo, &QComboBox::currentIndexChanged, this,
                [this](int index) { send(NotifyType::itemSelect, index); });
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        // Selection, not the current row: a list that takes the focus makes
        // a row current without the user choosing it.
        connect(list, &QListWidget::itemSelectionChanged, this, [this, list] {
            if (list->currentRow() >= 0 && list->currentItem()->isSelected()) {
                send(NotifyType::itemSelect, list->currentRow());
            }
        });
        connect(list, &QListWidget::itemClicked, this, [this, list](QListWidgetItem* item) {
            send(NotifyType::itemClick, list->row(item));
        });
    } else if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
        connect(tree, &QTreeWidget::itemSelectionChanged, this, [this, tree] {
            QTreeWidgetItem* item = tree->currentItem();
            if (item != nullptr && item->isSelected()) {
                send(NotifyType::itemSelect, tree->indexOfTopLevelItem(item));
            }
        });
        connect(tree, &QTreeWidget::itemClicked, this, [this, tree](QTreeWidgetItem* item, int) {
            send(NotifyType::itemClick, tree->indexOfTopLevelItem(item));
        });
    } else if (auto* slider = qobject_cast<QAbstractSlider*>(w)) {
        connect(slider, &QAbstractSlider::sliderMoved, this,
                [this](int v) { send(NotifyType::moveValueChanged, -1, v); });
        connect(slider, &QAbstractSlider::sliderReleased, this,
                [this, slider] { send(NotifyType::valueChanged, -1, slider->value()); });
        connect(slider, &QAbstractSlider::valueChanged, this, [this, slider](int v) {
            if (!slider->isSliderDown()) {  // keys, wheel and page clicks
                send(NotifyType::valueChanged, -1, v);
            }
        });
    } else if (auto* spin = qobject_cast<QSpinBox*>(w)) {
        connect(spin, &QSpinBox::valueChanged, this,
                [this](int v) { send(NotifyType::valueChanged, -1, v); });
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        connect(edit, &QLineEdit::textEdited, this, [this] { send(NotifyType::textChanged); });
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(w)) {
        connect(edit, &QPlainTextEdit::textChanged, this,
                [this] { send(NotifyType::textChanged); });
    } else if (auto* palette = qobject_cast<ColourPalette*>(w)) {
        connect(palette, &ColourPalette::colourPicked, this, [this](std::uint32_t argb) {
            send(NotifyType::colorChanged, -1, static_cast<std::int64_t>(argb));
        });
    }
}

bool QtControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched != widget_) {
        return false;
    }
    switch (event->type()) {
        case QEvent::Enter:
            send(NotifyType::mouseEnter);
            break;
        case QEvent::Leave:
            send(NotifyType::mouseLeave);
            break;
        case QEvent::Wheel:
            // Scrolling over a combo or slider the user has not picked must
            // not change (and save) a setting.
            if (widget_->window()->focusWidget() != widget_ &&
                (qobject_cast<QComboBox*>(widget_) != nullptr ||
                 qobject_cast<QAbstractSlider*>(widget_) != nullptr)) {
                event->ignore();
                return true;
            }
            break;
        case QEvent::Show:
        case QEvent::Hide:
            if (valueLabel_ != nullptr) {
                valueLabel_->setVisible(event->type() == QEvent::Show);
            }
            break;
        case QEvent::Move:
            if (valueLabel_ != nullptr) {
                valueLabel_->move(widget_->geometry().right() + 6, widget_->y());
            }
            break;
        case QEvent::ContextMenu:
            if (widget_->property("menu").toBool()) {
                send(NotifyType::menu);
                return true;
            }
            break;
        case QEvent::MouseButtonRelease: {
            auto* button = qobject_cast<QAbstractButton*>(widget_);
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (button == nullptr || !button->isCheckable() || mouse->button() != Qt::LeftButton ||
                !button->isDown()) {
                break;
            }
            button->setDown(false);
            if (!button->rect().contains(mouse->position().toPoint())) {
                return true;  // released outside: no click
            }
            // The click goes first and sees the old state; then an option is
            // selected (a selected one stays so) and a check box flips. A
            // click whose handler changed the state itself has had its effect.
            QPointer<QAbstractButton> alive(button);
            const bool before = button->isChecked();
            send(NotifyType::click);
            if (alive == nullptr || !button->isEnabled() || button->isChecked() != before) {
                return true;
            }
            const bool was = before;
            const bool now = isExclusive(button) ? true : !was;
            if (now != was) {
                setCheckedQuietly(now);
                send(NotifyType::selectChanged, -1, now ? 1 : 0);
            }
            return true;
        }
        default:
            break;
    }
    return false;
}

std::string QtControl::name() const {
    return name_;
}

bool QtControl::isVisible() const {
    return widget_ != nullptr && !widget_->isHidden();
}

void QtControl::setVisible(bool visible) {
    if (widget_ != nullptr) {
        widget_->setVisible(visible);
    }
}

bool QtControl::isEnabled() const {
    return widget_ != nullptr && widget_->isEnabled();
}

void QtControl::setEnabled(bool enabled) {
    if (widget_ != nullptr) {
        widget_->setEnabled(enabled);
    }
}

std::string QtControl::text() const {
    QWidget* w = widget_;
    if (w == nullptr) {
        return {};
    }
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return ss(b->text());
    if (auto* l = qobject_cast<QLabel*>(w))
        return ss(l->text());
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return ss(e->text());
    if (auto* c = qobject_cast<QComboBox*>(w))
        return ss(c->currentText());
    if (auto* p = qobject_cast<QPlainTextEdit*>(w))
        return ss(p->toPlainText());
    if (auto* t = qobject_cast<QTextEdit*>(w))
        return ss(t->toPlainText());
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return ss(g->title());
    return ss(w->property("text").toString());
}

void QtControl::showText(const QString& text) {
    if (widget_ != nullptr) {
        showWidgetText(*widget_, text);
    }
}

void QtControl::setText(std::string_view text) {
    textKey_.clear();
    defaultText_.clear();
    showText(qs(text));
}

void QtControl::setTextKey(std::string_view key) {
    textKey_ = std::string(key);
    reloadText();
}

std::string QtControl::textKey() const {
    return textKey_;
}

void QtControl::reloadText() {
    if (widget_ != nullptr) {
        showKeyedTexts(*widget_, host_, false);
    }
    if (textKey_.empty()) {
        return;
    }
    if (!host_.hasText(textKey_) && !defaultText_.isEmpty()) {
        showText(defaultText_);
    } else {
        showText(qs(host_.translate(textKey_)));
    }
}

std::string QtControl::tooltip() const {
    return widget_ != nullptr ? ss(widget_->toolTip()) : "";
}

void QtControl::setTooltip(std::string_view text) {
    if (widget_ != nullptr) {
        widget_->setToolTip(qs(text));
    }
}

void QtControl::applyBackground() {
    if (widget_ == nullptr) {
        return;
    }
    // The control's own rule goes after the skin file's, so it wins.
    QString rule;
    if (background_ != 0) {
        rule += QStringLiteral("background-color:%1;").arg(cssColour(background_));
    }
    if (textColour_ != 0) {
        rule += QStringLiteral("color:%1;").arg(cssColour(textColour_));
    }
    if (!backgroundImage_.empty()) {
        rule += QStringLiteral("border-image:url(\"%1\") 0 0 0 0 stretch stretch;")
                    .arg(host_.imagePath(backgroundImage_));
    }
    QString sheet = ownStyle_;
    if (!rule.isEmpty()) {
        sheet += QStringLiteral("\n#%1{%2}").arg(widget_->objectName(), rule);
    }
    widget_->setStyleSheet(sheet);
}

void QtControl::setBackgroundColour(std::uint32_t argb) {
    background_ = argb;
    applyBackground();
}

void QtControl::setTextColour(std::uint32_t argb) {
    textColour_ = argb;
    applyBackground();
}

void QtControl::setBackgroundImage(std::string_view image) {
    backgroundImage_ = std::string(image);
    applyBackground();
}

std::string QtControl::userData() const {
    return widget_ != nullptr ? ss(widget_->property("userdata").toString()) : "";
}

void QtControl::setUserData(std::string_view data) {
    if (widget_ != nullptr) {
        widget_->setProperty("userdata", qs(data));
    }
}

void QtControl::setFocus() {
    if (widget_ != nullptr) {
        widget_->setFocus(Qt::OtherFocusReason);
    }
}

void QtControl::applyOverlay() {
    QWidget* w = widget_;
    if (w == nullptr) {
        return;
    }
    if (auto* key = qobject_cast<LightKey*>(w)) {
        key->setOverlayEnabled(overlayOn_);
        key->setOverlay(overlayColour_, overlayAlpha_);
        return;
    }
    if (overlayOn_ && overlay_ == nullptr) {
        overlay_ = new ColourOverlay(w);
        overlay_->show();
    }
    if (overlay_ != nullptr) {
        overlay_->setVisible(overlayOn_);
        overlay_->setOverlay(overlayColour_, overlayAlpha_);
    }
}

void QtControl::setOverlayEnabled(bool on) {
    overlayOn_ = on;
    applyOverlay();
}

void QtControl::setOverlayColour(std::uint32_t gbr) {
    overlayColour_ = gbr & 0xFFFFFFu;
    applyOverlay();
}

void QtControl::setOverlayAlpha(std::uint8_t alpha) {
    overlayAlpha_ = alpha;
    applyOverlay();
}

void QtControl::setOverlay(std::uint32_t gbr, std::uint8_t alpha) {
    overlayColour_ = gbr & 0xFFFFFFu;
    overlayAlpha_ = alpha;
    applyOverlay();
}

bool QtControl::isCurrent() const {
    return widget_ != nullptr && widget_->property("current").toBool();
}

void QtControl::setCurrent(bool current) {
    if (widget_ == nullptr || isCurrent() == current) {
        return;
    }
    // A light paints its own mark; the skin's style sheet marks the others
    // by [current="true"], which needs the style applied again.
    widget_->setProperty("current", current);
    if (qobject_cast<LightKey*>(widget_) == nullptr) {
        widget_->style()->unpolish(widget_);
        widget_->style()->polish(widget_);
    }
    widget_->update();
}

bool QtControl::isChecked() const {
    auto* button = qobject_cast<QAbstractButton*>(widget_.data());
    return button != nullptr && button->isChecked();
}

void QtControl::setCheckedQuietly(bool checked) {
    auto* button = qobject_cast<QAbstractButton*>(widget_.data());
    if (button == nullptr || !button->isCheckable()) {
        return;
    }
    // Qt refuses to uncheck the checked member of an exclusive group; the
    // skin may deselect an option, so the exclusivity is lifted meanwhile.
    const QSignalBlocker quiet(button);
    QButtonGroup* group = button->group();
    const bool autoExclusive = button->autoExclusive();
    const bool groupExclusive = group != nullptr && group->exclusive();
    if (!checked) {
        button->setAutoExclusive(false);
        if (groupExclusive) {
            group->setExclusive(false);
        }
    }
    button->setChecked(checked);
    if (!checked) {
        button->setAutoExclusive(autoExclusive);
        if (groupExclusive) {
            group->setExclusive(true);
        }
    }
}

void QtControl::setChecked(bool checked, bool raiseEvent) {
    auto* button = qobject_cast<QAbstractButton*>(widget_.data());
    if (button == nullptr || !button->isCheckable()) {
        return;
    }
    setCheckedQuietly(checked);
    if (raiseEvent) {
        send(NotifyType::selectChanged, -1, button->isChecked() ? 1 : 0);
    }
}

int QtControl::rowCount() const {
    QWidget* w = widget_;
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->count();
    if (auto* l = qobject_cast<QListWidget*>(w))
        return l->count();
    if (auto* t = qobject_cast<QTreeWidget*>(w))
        return t->topLevelItemCount();
    return 0;
}

int QtControl::addRow(const skin::Row& row) {
    return insertRow(rowCount(), row);
}

int QtControl::insertRow(int at, const skin::Row& row) {
    QWidget* w = widget_;
    const int index = std::clamp(at, 0, rowCount());
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        const QSignalBlocker quiet(c);
        const QString text = row.cells.empty() ? QString() : qs(row.cells.front().text);
        c->insertItem(index, text, qs(row.userData));
        c->setItemData(index, row.cells.empty() ? QString() : qs(row.cells.front().textKey),
                       kTextKeyRole);
        c->setItemData(index, qs(row.name), kNameRole);
        c->setItemData(index, qs(row.style), kRowStyleRole);
        c->setItemData(index, row.height, kHeightRole);
        if (row.height > 0) {
            c->setItemData(index, QSize(0, row.height), Qt::SizeHintRole);
        }
        if (c->count() == 1) {
            c->setCurrentIndex(-1);  // a new row is not selected by itself
        }
        return index;
    }
    if (auto* l = qobject_cast<QListWidget*>(w)) {
        const QSignalBlocker quiet(l);
        auto* item = new QListWidgetItem;
        fillListItem(*item, row);
        l->insertItem(index, item);
        return index;
    }
    if (auto* t = qobject_cast<QTreeWidget*>(w)) {
        const QSignalBlocker quiet(t);
        auto* item = new QTreeWidgetItem;
        fillTreeItem(*item, row);
        t->insertTopLevelItem(index, item);
        return index;
    }
    return -1;
}

void QtControl::removeRow(int index) {
    if (index < 0 || index >= rowCount()) {
        return;
    }
    QWidget* w = widget_;
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        const QSignalBlocker quiet(c);
        const bool wasSelected = c->currentIndex() == index;
        c->removeItem(index);
        if (wasSelected) {
            c->setCurrentIndex(-1);
        }
    } else if (auto* l = qobject_cast<QListWidget*>(w)) {
        const QSignalBlocker quiet(l);
        const bool wasSelected = l->currentRow() == index;
        delete l->takeItem(index);
        if (wasSelected) {
            l->setCurrentRow(-1);
        }
    } else if (auto* t = qobject_cast<QTreeWidget*>(w)) {
        const QSignalBlocker quiet(t);
        const bool wasSelected = t->indexOfTopLevelItem(t->currentItem()) == index;
        delete t->takeTopLevelItem(index);
        if (wasSelected) {
            t->setCurrentItem(nullptr);
        }
    }
}

void QtControl::clearRows() {
    QWidget* w = widget_;
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        const QSignalBlocker quiet(c);
        c->clear();
    } else if (auto* l = qobject_cast<QListWidget*>(w)) {
        const QSignalBlocker quiet(l);
        l->clear();
    } else if (auto* t = qobject_cast<QTreeWidget*>(w)) {
        const QSignalBlocker quiet(t);
        t->clear();
    }
}

std::optional<skin::Row> QtControl::row(int index) const {
    if (index < 0 || index >= rowCount()) {
        return std::nullopt;
    }
    QWidget* w = widget_;
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        skin::Row r =
            skin::Row::text(ss(c->itemText(index)), c->itemData(index, kHeightRole).toInt(),
                            ss(c->itemData(index).toString()));
        r.name = ss(c->itemData(index, kNameRole).toString());
        r.style = ss(c->itemData(index, kRowStyleRole).toString());
        r.cells.front().textKey = ss(c->itemData(index, kTextKeyRole).toString());
        return r;
    }
    if (auto* l = qobject_cast<QListWidget*>(w)) {
        return rowOfListItem(*l->item(index));
    }
    if (auto* t = qobject_cast<QTreeWidget*>(w)) {
        return rowOfTreeItem(*t->topLevelItem(index), t->columnCount());
    }
    return std::nullopt;
}

void QtControl::setRow(int index, const skin::Row& row) {
    if (index < 0 || index >= rowCount()) {
        return;
    }
    QWidget* w = widget_;
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        const QSignalBlocker quiet(c);
        c->setItemText(index, row.cells.empty() ? QString() : qs(row.cells.front().text));
        c->setItemData(index, qs(row.userData));
        c->setItemData(index, row.cells.empty() ? QString() : qs(row.cells.front().textKey),
                       kTextKeyRole);
        c->setItemData(index, qs(row.name), kNameRole);
        c->setItemData(index, qs(row.style), kRowStyleRole);
        c->setItemData(index, row.height, kHeightRole);
    } else if (auto* l = qobject_cast<QListWidget*>(w)) {
        const QSignalBlocker quiet(l);
        fillListItem(*l->item(index), row);
    } else if (auto* t = qobject_cast<QTreeWidget*>(w)) {
        const QSignalBlocker quiet(t);
        fillTreeItem(*t->topLevelItem(index), row);
    }
}

bool QtControl::selectRow(int index, bool raiseEvent) {
    const int count = rowCount();
    if (index < -1 || index >= count || index == currentRow()) {
        return false;
    }
    QWidget* w = widget_;
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        const QSignalBlocker quiet(c);
        c->setCurrentIndex(index);
    } else if (auto* l = qobject_cast<QListWidget*>(w)) {
        const QSignalBlocker quiet(l);
        l->setCurrentRow(index);
    } else if (auto* t = qobject_cast<QTreeWidget*>(w)) {
        const QSignalBlocker quiet(t);
        t->setCurrentItem(index >= 0 ? t->topLevelItem(index) : nullptr);
    } else {
        return false;
    }
    if (raiseEvent && index >= 0) {
        send(NotifyType::itemSelect, index);
    }
    return true;
}

int QtControl::currentRow() const {
    QWidget* w = widget_;
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->currentIndex();
    if (auto* l = qobject_cast<QListWidget*>(w))
        return l->currentRow();
    if (auto* t = qobject_cast<QTreeWidget*>(w)) {
        return t->currentItem() != nullptr ? t->indexOfTopLevelItem(t->currentItem()) : -1;
    }
    return -1;
}

int QtControl::currentPage() const {
    QWidget* w = widget_;
    if (auto* s = qobject_cast<QStackedWidget*>(w))
        return s->currentIndex();
    if (auto* t = qobject_cast<QTabWidget*>(w))
        return t->currentIndex();
    return -1;
}

void QtControl::selectPage(int page) {
    QWidget* w = widget_;
    if (auto* s = qobject_cast<QStackedWidget*>(w)) {
        if (page >= 0 && page < s->count()) {
            s->setCurrentIndex(page);
        }
    } else if (auto* t = qobject_cast<QTabWidget*>(w)) {
        if (page >= 0 && page < t->count()) {
            const QSignalBlocker quiet(t);
            t->setCurrentIndex(page);
        }
    }
}

void QtControl::setRange(int minimum, int maximum) {
    QWidget* w = widget_;
    if (auto* s = qobject_cast<QAbstractSlider*>(w)) {
        const QSignalBlocker quiet(s);
        s->setRange(minimum, maximum);
        if (valueLabel_ != nullptr) {
            valueLabel_->setNum(s->value());  // the signal that moves it is blocked
        }
    } else if (auto* p = qobject_cast<QProgressBar*>(w)) {
        p->setRange(minimum, maximum);
    } else if (auto* b = qobject_cast<QSpinBox*>(w)) {
        const QSignalBlocker quiet(b);
        b->setRange(minimum, maximum);
    }
}

int QtControl::minimum() const {
    QWidget* w = widget_;
    if (auto* s = qobject_cast<QAbstractSlider*>(w))
        return s->minimum();
    if (auto* p = qobject_cast<QProgressBar*>(w))
        return p->minimum();
    if (auto* b = qobject_cast<QSpinBox*>(w))
        return b->minimum();
    return 0;
}

int QtControl::maximum() const {
    QWidget* w = widget_;
    if (auto* s = qobject_cast<QAbstractSlider*>(w))
        return s->maximum();
    if (auto* p = qobject_cast<QProgressBar*>(w))
        return p->maximum();
    if (auto* b = qobject_cast<QSpinBox*>(w))
        return b->maximum();
    return 0;
}

int QtControl::value() const {
    QWidget* w = widget_;
    if (auto* s = qobject_cast<QAbstractSlider*>(w))
        return s->value();
    if (auto* p = qobject_cast<QProgressBar*>(w))
        return p->value();
    if (auto* b = qobject_cast<QSpinBox*>(w))
        return b->value();
    return 0;
}

void QtControl::setValue(int value) {
    QWidget* w = widget_;
    if (auto* s = qobject_cast<QAbstractSlider*>(w)) {
        const QSignalBlocker quiet(s);
        s->setValue(std::clamp(value, s->minimum(), s->maximum()));
        if (valueLabel_ != nullptr) {
            valueLabel_->setNum(s->value());  // the signal that moves it is blocked
        }
    } else if (auto* p = qobject_cast<QProgressBar*>(w)) {
        p->setValue(std::clamp(value, p->minimum(), p->maximum()));
    } else if (auto* b = qobject_cast<QSpinBox*>(w)) {
        const QSignalBlocker quiet(b);
        b->setValue(std::clamp(value, b->minimum(), b->maximum()));
    }
}

std::uint32_t QtControl::colour() const {
    auto* palette = qobject_cast<ColourPalette*>(widget_.data());
    return palette != nullptr ? palette->colour() : 0;
}

void QtControl::setColour(std::uint32_t argb) {
    if (auto* palette = qobject_cast<ColourPalette*>(widget_.data())) {
        palette->setColour(argb);
    }
}

void addControls(QWidget* root, ControlHost& host, ControlMap& controls) {
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : widgets) {
        const QString name = widget->objectName();
        if (name.isEmpty() || name.startsWith("qt_")) {
            continue;
        }
        const std::string key = name.toStdString();
        if (controls.contains(key)) {
            // The same sub-view file may be built twice (the mouse and the
            // keyboard pattern pages); lookup finds the first, in tree order.
            continue;
        }
        controls.emplace(key, std::make_unique<QtControl>(widget, host));
    }
}

void reloadKeyedTexts(QWidget* root, const ControlHost& host, const ControlMap& controls) {
    QSet<const QWidget*> registered;
    for (const auto& [name, control] : controls) {
        control->reloadText();
        registered.insert(control->widget());
    }
    if (root == nullptr) {
        return;
    }
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : widgets) {
        if (!registered.contains(widget)) {
            showKeyedTexts(*widget, host, true);
        }
    }
}

}  // namespace quillon::gui

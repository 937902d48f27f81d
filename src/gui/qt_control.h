#pragma once

// skin::Control over one named Qt widget. The widget's kind decides which
// operations do something (a QComboBox has rows, a QSlider a range, ...);
// the others do nothing, as the interface allows.
//
// User actions on the widget become notifications with the widget's name.
// Changes made through this interface raise an event only where the interface
// says so (setChecked / selectRow with raiseEvent).

#include <QLabel>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

#include "skin/control.h"
#include "skin/notification.h"

QT_BEGIN_NAMESPACE
class QSlider;
QT_END_NAMESPACE

namespace quillon::gui {

class ColourOverlay;

// What a control needs from its skin: translations and a way to notify.
class ControlHost {
  public:
    virtual ~ControlHost() = default;
    virtual std::string translate(std::string_view key) const = 0;
    virtual bool hasText(std::string_view key) const = 0;
    virtual void notify(const skin::Notification& notification) = 0;
    // Where a background image named by the skin lies (relative names are the skin folder's).
    virtual QString imagePath(std::string_view image) const {
        return QString::fromUtf8(image.data(), qsizetype(image.size()));
    }
};

class QtControl final : public QObject, public skin::Control {
    Q_OBJECT

  public:
    QtControl(QWidget* widget, ControlHost& host);
    ~QtControl() override;

    QWidget* widget() const { return widget_; }

    std::string name() const override;

    bool isVisible() const override;
    void setVisible(bool visible) override;
    bool isEnabled() const override;
    void setEnabled(bool enabled) override;
    std::string text() const override;
    void setText(std::string_view text) override;
    void setTextKey(std::string_view key) override;
    std::string textKey() const override;
    std::string tooltip() const override;
    void setTooltip(std::string_view text) override;
    std::uint32_t backgroundColour() const override { return background_; }
    void setBackgroundColour(std::uint32_t argb) override;
    std::uint32_t textColour() const override { return textColour_; }
    void setTextColour(std::uint32_t argb) override;
    std::string backgroundImage() const override { return backgroundImage_; }
    void setBackgroundImage(std::string_view image) override;
    std::string userData() const override;
    void setUserData(std::string_view data) override;
    void setFocus() override;

    bool overlayEnabled() const override { return overlayOn_; }
    void setOverlayEnabled(bool on) override;
    std::uint32_t overlayColour() const override { return overlayColour_; }
    void setOverlayColour(std::uint32_t gbr) override;
    std::uint8_t overlayAlpha() const override { return overlayAlpha_; }
    void setOverlayAlpha(std::uint8_t alpha) override;
    // Both at once (one repaint): what the picture refresh uses.
    void setOverlay(std::uint32_t gbr, std::uint8_t alpha);

    bool isCurrent() const override;
    void setCurrent(bool current) override;
    bool isChecked() const override;
    void setChecked(bool checked, bool raiseEvent) override;

    int rowCount() const override;
    int addRow(const skin::Row& row) override;
    int insertRow(int at, const skin::Row& row) override;
    void removeRow(int index) override;
    void clearRows() override;
    std::optional<skin::Row> row(int index) const override;
    void setRow(int index, const skin::Row& row) override;
    bool selectRow(int index, bool raiseEvent) override;
    int currentRow() const override;

    int currentPage() const override;
    void selectPage(int page) override;

    void setRange(int minimum, int maximum) override;
    int minimum() const override;
    int maximum() const override;
    int value() const override;
    void setValue(int value) override;

    std::uint32_t colour() const override;
    void setColour(std::uint32_t argb) override;

    // Shows the text of the current language again when the control has a key.
    void reloadText();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void connectUserSignals();
    void send(skin::NotifyType type, int row = -1, std::int64_t value = 0);
    void applyOverlay();
    void applyBackground();
    void setCheckedQuietly(bool checked);
    void showText(const QString& text);
    void showSliderValue(QSlider& slider);

    QPointer<QWidget> widget_;
    ControlHost& host_;
    std::string name_;
    std::string textKey_;
    QString defaultText_;  // the skin file's text, kept while a language lacks the key
    std::uint32_t background_ = 0;
    std::uint32_t textColour_ = 0;
    std::string backgroundImage_;
    QString ownStyle_;  // the widget's style sheet from the skin file
    bool overlayOn_ = false;
    std::uint32_t overlayColour_ = 0;
    std::uint8_t overlayAlpha_ = 0;
    QPointer<ColourOverlay> overlay_;
    QPointer<QLabel> valueLabel_;  // a slider's shown value
    bool toggledByUser_ = false;   // a keyboard press toggled the button
};

// A window's controls by name.
using ControlMap = std::unordered_map<std::string, std::unique_ptr<QtControl>>;

// Adds a control for `root` and every named widget under it, in tree order;
// a name already present keeps its first widget. Qt's own inner parts
// ("qt_...") are no controls.
void addControls(QWidget* root, ControlHost& host, ControlMap& controls);

// Shows every keyed text under `root` in the current language: the
// controls' own (and the keys code gave them), and those of widgets that are
// no control, such as the second copy of a sub-view built twice.
void reloadKeyedTexts(QWidget* root, const ControlHost& host, const ControlMap& controls);

}  // namespace quillon::gui

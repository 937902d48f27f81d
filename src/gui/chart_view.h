#pragma once

// A chart control the skin may place: a pie or a histogram of data items with
// an optional shadow image under the bars.

#include <QPixmap>
#include <QString>
#include <QWidget>
#include <vector>

namespace quillon::gui {

class ChartView : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString view READ viewName WRITE setViewName)
    Q_PROPERTY(QString shadowimage READ shadowImage WRITE setShadowImage)
    Q_PROPERTY(int shadowimageheight READ shadowImageHeight WRITE setShadowImageHeight)
    Q_PROPERTY(QString pillarimage READ pillarImage WRITE setPillarImage)
    Q_PROPERTY(int pillarimagewidth READ pillarImageWidth WRITE setPillarImageWidth)
    Q_PROPERTY(QString showhtml READ showHtmlText WRITE setShowHtmlText)
    Q_PROPERTY(QString showtext READ showTextText WRITE setShowTextText)
    // The skin's font index; shadows QWidget::font as a meta-property only,
    // so that a skin file can give the attribute its own name.
    Q_PROPERTY(int font READ fontIndex WRITE setFontIndex)

  public:
    enum class Kind { pie = 0, histogram = 1 };
    struct Item {
        QString text;
        double value = 0.0;
    };

    explicit ChartView(QWidget* parent = nullptr);

    Kind kind() const { return kind_; }
    QString viewName() const;
    void setViewName(const QString& name);  // "pie" or "histpgram"
    QString shadowImage() const { return shadowPath_; }
    void setShadowImage(const QString& path);
    int shadowImageHeight() const { return shadowHeight_; }
    void setShadowImageHeight(int height);
    QString pillarImage() const { return pillarPath_; }
    void setPillarImage(const QString& path) { pillarPath_ = path; }
    int pillarImageWidth() const { return pillarWidth_; }
    void setPillarImageWidth(int width) { pillarWidth_ = width; }
    bool showHtml() const { return showHtml_; }
    bool showText() const { return showText_; }
    QString showHtmlText() const { return showHtml_ ? "true" : "false"; }
    void setShowHtmlText(const QString& value) { showHtml_ = value == "true"; }
    QString showTextText() const { return showText_ ? "true" : "false"; }
    void setShowTextText(const QString& value);
    int fontIndex() const { return fontIndex_; }
    void setFontIndex(int index) { fontIndex_ = index; }

    void addItem(const QString& text, double value);
    const std::vector<Item>& items() const { return items_; }

    // Where the shadow image goes: across the width, its lower edge 25 pixels
    // above the bottom while texts are shown (they sit under the bars).
    QRect shadowRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<Item> items_;
    Kind kind_ = Kind::pie;
    QString shadowPath_;
    QPixmap shadow_;
    int shadowHeight_ = 0;
    QString pillarPath_;
    int pillarWidth_ = 0;
    bool showHtml_ = false;
    bool showText_ = true;
    int fontIndex_ = -1;
};

}  // namespace quillon::gui

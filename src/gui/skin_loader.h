#pragma once

// Builds widgets from the skin files (Qt .ui XML) at run time. Besides Qt's
// own classes it builds the program's custom controls and, for the element
// names of the sub-views, the widget tree of that sub-view's own skin file.
// Every failure (a missing file, a file Qt cannot read, a class nobody
// builds) is kept with the loader's error text.

#include <QDir>
#include <QStringList>
#include <QUiLoader>
#include <memory>
#include <optional>
#include <string_view>

namespace quillon::gui {

class SkinLoader : public QUiLoader {
    Q_OBJECT

  public:
    explicit SkinLoader(const QDir& skinDir, QObject* parent = nullptr);

    // Loads one skin file of the skin folder under `parent`; nullptr on
    // failure, with the reason in errors().
    QWidget* loadFile(const QString& fileName, QWidget* parent = nullptr);

    const QDir& skinDir() const { return skinDir_; }
    const QStringList& errors() const { return errors_; }

    QWidget* createWidget(const QString& className, QWidget* parent = nullptr,
                          const QString& name = QString()) override;

    // The skin file built for a sub-view element name (matched without
    // regard to case); nullopt for any other name.
    static std::optional<QString> subViewFile(const QString& elementName);

  private:
    QDir skinDir_;
    QStringList errors_;
    int depth_ = 0;  // sub-view files nest; a loop in the skin must not recurse forever
    // Sub-views built so far for the top-level load, shared with nested loaders.
    std::shared_ptr<int> subViewsLoaded_ = std::make_shared<int>(0);
};

}  // namespace quillon::gui

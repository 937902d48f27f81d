#include "gui/skin_loader.h"

#include <QBuffer>
#include <array>
#include <utility>

#include "gui/chart_view.h"
#include "gui/circle_progress.h"
#include "gui/colour_palette.h"
#include "gui/device_picture.h"
#include "gui/keyed_texts.h"
#include "gui/light_key.h"
#include "gui/wnd_host.h"
#include "platform/regular_file.h"

namespace quillon::gui {

namespace {

constexpr int kMaxNesting = 4;
// The program's skin builds about a dozen sub-views.
constexpr int kMaxSubViews = 64;
constexpr std::size_t kMaxSkinFileBytes = 4u << 20;

// Sub-view element names and the skin files built for them.
constexpr std::array<std::pair<const char*, const char*>, 10> kSubViews{{
    {"kb_Key_UI", "keyboard_key.xml"},
    {"kb_Deng_UI", "keyboard_deng.xml"},
    {"kb_Macro_UI", "keyboard_macro.xml"},
    {"MS_Deng_UI", "Mouse_deng.xml"},
    {"MS_Macro_UI", "Mouse_macro.xml"},
    {"MS_Key_UI", "Mouse_key.xml"},
    {"MP_deng_UI", "MousePad_deng.xml"},
    {"MS_DPI_UI", "Mouse_DPI.xml"},
    {"MS_CURSOR_UI", "Mouse_cursor.xml"},
    {"kb_CURSOR_UI", "Mouse_cursor.xml"},
}};

bool sameName(const QString& a, const char* b) {
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

}  // namespace

SkinLoader::SkinLoader(const QDir& skinDir, QObject* parent)
    : QUiLoader(parent), skinDir_(skinDir) {
    setWorkingDirectory(skinDir_);
}

std::optional<QString> SkinLoader::subViewFile(const QString& elementName) {
    for (const auto& [element, file] : kSubViews) {
        if (sameName(elementName, element)) {
            return QString::fromLatin1(file);
        }
    }
    return std::nullopt;
}

QWidget* SkinLoader::loadFile(const QString& fileName, QWidget* parent) {
    const QString path = skinDir_.filePath(fileName);
    std::string text;
    if (platform::readRegularFile(path.toStdString(), text, kMaxSkinFileBytes) !=
        platform::FileReadResult::ok) {
        errors_ << QStringLiteral("%1: missing, too large or not a regular file").arg(path);
        return nullptr;
    }
    QBuffer file;
    file.setData(text.data(), static_cast<qsizetype>(text.size()));
    file.open(QIODevice::ReadOnly);
    ++depth_;
    QWidget* widget = load(&file, parent);
    --depth_;
    if (widget == nullptr) {
        errors_ << QStringLiteral("%1: %2").arg(path, errorString());
    } else {
        bindSkinItemKeys(*widget);
    }
    return widget;
}

QWidget* SkinLoader::createWidget(const QString& className, QWidget* parent, const QString& name) {
    QWidget* widget = nullptr;
    if (sameName(className, "CCircleProgressUI") || sameName(className, "CircleProgress")) {
        widget = new CircleProgress(parent);
    } else if (sameName(className, "CChartViewUI")) {
        widget = new ChartView(parent);
    } else if (sameName(className, "CWndUI")) {
        widget = new WndHost(parent);
    } else if (sameName(className, "LightKey")) {
        widget = new LightKey(parent);
    } else if (sameName(className, "DevicePicture")) {
        widget = new DevicePicture(parent);
    } else if (sameName(className, "Palette")) {
        widget = new ColourPalette(parent);
    } else if (const auto file = subViewFile(className)) {
        if (depth_ >= kMaxNesting) {
            errors_
                << QStringLiteral("%1: sub-views nest deeper than %2").arg(*file).arg(kMaxNesting);
            return nullptr;
        }
        // Depth alone does not bound the work: a view that names itself many
        // times at each level would still multiply. Every load counts.
        if (*subViewsLoaded_ >= kMaxSubViews) {
            errors_ << QStringLiteral("%1: more than %2 sub-views in the skin")
                           .arg(*file)
                           .arg(kMaxSubViews);
            return nullptr;
        }
        ++*subViewsLoaded_;
        // A loader builds one form at a time, so the sub-view gets its own.
        SkinLoader nested(skinDir_);
        nested.depth_ = depth_;
        nested.subViewsLoaded_ = subViewsLoaded_;
        widget = nested.loadFile(*file, parent);
        errors_ << nested.errors();
        if (widget == nullptr) {
            return nullptr;
        }
    } else {
        widget = QUiLoader::createWidget(className, parent, name);
        if (widget == nullptr) {
            errors_ << QStringLiteral("no control of class \"%1\" (%2)").arg(className, name);
            return nullptr;
        }
    }
    widget->setObjectName(name);
    return widget;
}

}  // namespace quillon::gui

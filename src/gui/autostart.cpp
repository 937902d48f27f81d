#include "gui/autostart.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

#include "platform/regular_file.h"

namespace quillon::gui {

namespace {

constexpr std::size_t kMaxEntryBytes = 64 * 1024;
constexpr char kGroup[] = "[Desktop Entry]";
constexpr char kHidden[] = "Hidden";
constexpr char kGnomeEnabled[] = "X-GNOME-Autostart-enabled";
// Marks an entry this program wrote, which it may rewrite whole.
constexpr char kOurs[] = "X-Quillon-Entry";

struct Entry {
    QStringList lines;
    bool found = false;  // a readable file with a [Desktop Entry] group
};

Entry readEntry(const QString& path) {
    Entry entry;
    std::string text;
    if (platform::readRegularFile(QFile::encodeName(path).toStdString(), text, kMaxEntryBytes) !=
        platform::FileReadResult::ok) {
        return entry;
    }
    entry.lines = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).split('\n');
    if (!entry.lines.isEmpty() && entry.lines.last().isEmpty()) {
        entry.lines.removeLast();
    }
    for (const QString& line : entry.lines) {
        entry.found |= line.trimmed() == QLatin1String(kGroup);
    }
    return entry;
}

// The value of a key of the [Desktop Entry] group; null when absent.
QString valueOf(const Entry& entry, const QString& key) {
    bool inGroup = false;
    for (const QString& raw : entry.lines) {
        const QString line = raw.trimmed();
        if (line.startsWith('[')) {
            inGroup = line == QLatin1String(kGroup);
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (inGroup && eq > 0 && line.left(eq).trimmed() == key) {
            return line.mid(eq + 1).trimmed();
        }
    }
    return {};
}

// Sets a key of the [Desktop Entry] group, adding it at the group's end.
void setValue(Entry& entry, const QString& key, const QString& value) {
    const QString line = key + '=' + value;
    bool inGroup = false;
    qsizetype groupEnd = -1;
    for (qsizetype i = 0; i < entry.lines.size(); ++i) {
        const QString trimmed = entry.lines[i].trimmed();
        if (trimmed.startsWith('[')) {
            if (inGroup) {
                break;
            }
            inGroup = trimmed == QLatin1String(kGroup);
            if (inGroup) {
                groupEnd = i + 1;
            }
            continue;
        }
        if (!inGroup) {
            continue;
        }
        const qsizetype eq = trimmed.indexOf('=');
        if (eq > 0 && trimmed.left(eq).trimmed() == key) {
            entry.lines[i] = line;
            return;
        }
        if (!trimmed.isEmpty()) {
            groupEnd = i + 1;
        }
    }
    entry.lines.insert(groupEnd < 0 ? entry.lines.size() : groupEnd, line);
}

bool isEnabled(const Entry& entry) {
    return entry.found && valueOf(entry, kHidden) != QLatin1String("true") &&
           valueOf(entry, kGnomeEnabled) != QLatin1String("false");
}

}  // namespace

QString desktopExecArgument(const QString& program) {
    QString quoted;
    for (const QChar c : program) {
        // Inside a quoted argument these four take a backslash.
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
    }
    QString value;
    for (const QChar c : quoted) {
        if (c == '%') {
            value += "%%";  // field codes start with "%"
        } else if (c == '\\') {
            value += "\\\\";  // the string escape, applied before the quoting rule is read
        } else if (c == '\n') {
            value += "\\n";
        } else if (c == '\t') {
            value += "\\t";
        } else if (c == '\r') {
            value += "\\r";
        } else {
            value += c;
        }
    }
    return '"' + value + '"';
}

Autostart::Autostart(const QString& configHome) {
    QString home = configHome;
    if (home.isEmpty()) {
        home = qEnvironmentVariable("XDG_CONFIG_HOME");
    }
    if (home.isEmpty()) {
        home = QDir::home().filePath(".config");
    }
    entryPath_ = QDir(home).filePath("autostart/quillon-gaming.desktop");
}

bool Autostart::enabled() const {
    return isEnabled(readEntry(entryPath_));
}

bool Autostart::write(const QByteArray& content) const {
    QDir().mkpath(QFileInfo(entryPath_).absolutePath());
    QSaveFile file(entryPath_);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() &&
           file.commit();
}

bool Autostart::toggle(const QString& program) {
    Entry entry = readEntry(entryPath_);
    const bool on = !isEnabled(entry);
    const bool absent = !QFileInfo(entryPath_).exists() && !QFileInfo(entryPath_).isSymLink();
    const bool ours = absent || (entry.found && valueOf(entry, kOurs) == QLatin1String("true"));
    if (on && ours) {
        entry.lines = QStringList{
            kGroup,
            "Type=Application",
            "Name=Quillon Gaming Software",
            "Exec=" + desktopExecArgument(program) + " --hidden",
            "Icon=quillon-gaming",
        };
        entry.found = true;
        setValue(entry, kOurs, "true");
    }
    if (!entry.found) {
        return enabled();  // nothing we could read there: a file not ours is left alone
    }
    // A user's own entry keeps its command and everything else; only the two
    // keys the desktops read for "start it or not" change.
    setValue(entry, kHidden, on ? "false" : "true");
    setValue(entry, kGnomeEnabled, on ? "true" : "false");
    (void)write((entry.lines.join('\n') + '\n').toUtf8());  // the state is read back either way
    return enabled();
}

}  // namespace quillon::gui

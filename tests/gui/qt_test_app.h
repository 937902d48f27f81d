#pragma once

// The one QApplication of the test binary, made on first use, on the
// offscreen platform unless the environment picks another one.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace quillon::gui::test {

inline QApplication& app() {
    static int argc = 1;
    static char name[] = "test_gui";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Never destroyed: Qt's own globals are gone by the time function
    // statics are, and a QApplication torn down after them crashes at exit.
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}

// A base that makes the application before any member widget of a fixture.
struct WithApp {
    WithApp() { (void)app(); }
};

inline QDir skinDir() {
    const QByteArray fromEnv = qgetenv("QUILLON_SOURCE_DATA_DIR");
    return QDir(QString::fromLocal8Bit(fromEnv.isEmpty() ? QUILLON_SOURCE_DATA_DIR : fromEnv) +
                "/skin");
}

// The environment of the program started as a process: a fresh account in
// `home`, its runtime folder (private, as the session's is) in `runtime`.
inline QProcessEnvironment programEnvironment(const QTemporaryDir& runtime,
                                              const QTemporaryDir& home) {
    QFile::setPermissions(runtime.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    env.insert("XDG_DATA_HOME", home.filePath("data"));
    env.insert("QUILLON_DATA_DIR", home.filePath("Documents"));
    return env;
}

}  // namespace quillon::gui::test

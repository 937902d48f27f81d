// What the sanitizers should not report when the GUI tests run under them:
// findings inside the uninstrumented system libraries, not in our code.

// The font library keeps its configuration caches for the life of the process.
extern "C" const char* __lsan_default_suppressions() {  // NOLINT(bugprone-reserved-identifier)
    return "leak:libfontconfig.so\n";
}

// Qt paints with its own thread pool and hands work over under locks that
// ThreadSanitizer cannot see in an uninstrumented library; our own hand-over
// to the GUI thread is made visible to it (see QtEventLoop::post).
extern "C" const char* __tsan_default_suppressions() {  // NOLINT(bugprone-reserved-identifier)
    return "race:libQt6Gui.so\n"
           "race:libQt6Core.so\n";
}

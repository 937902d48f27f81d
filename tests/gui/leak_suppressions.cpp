// LeakSanitizer reads these when the tests run under AddressSanitizer. The
// font library keeps its configuration caches for the life of the process;
// they are not ours to free.
extern "C" const char* __lsan_default_suppressions() {  // NOLINT(bugprone-reserved-identifier)
    return "leak:libfontconfig.so\n";
}

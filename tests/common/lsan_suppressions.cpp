// Leaks of system libraries that the Qt tests run into and that are none of
// ours: fontconfig keeps its caches until the process ends.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

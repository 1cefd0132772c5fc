// Under LeakSanitizer: fontconfig keeps its caches for the life of the process and Qt never
// frees them; those blocks are not ours to release.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

// Under ThreadSanitizer: Qt and GLib from the distribution are not instrumented, and their own
// threads (image conversion and blending pools, the GLib event loops of Qt's threads) hand memory
// over through futexes that the sanitizer cannot see. Ignore the allocations and frees that those
// libraries make themselves; every access our own code makes is still checked.
#if defined(__SANITIZE_THREAD__)
extern "C" const char* __tsan_default_suppressions() {
    return "called_from_lib:libQt6Core.so.6\n"
           "called_from_lib:libQt6Gui.so.6\n"
           "called_from_lib:libQt6Widgets.so.6\n"
           "called_from_lib:libglib-2.0.so.0\n";
}
#endif

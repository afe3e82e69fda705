// Under ThreadSanitizer: Qt from the distribution is not instrumented, and its own worker
// threads (image conversion and blending pools) hand memory over through futexes that the
// sanitizer cannot see. Ignore the allocations and frees that Qt's libraries make themselves;
// every access our own code makes is still checked.
#if defined(__SANITIZE_THREAD__)
extern "C" const char* __tsan_default_suppressions() {
    return "called_from_lib:libQt6Core.so.6\n"
           "called_from_lib:libQt6Gui.so.6\n"
           "called_from_lib:libQt6Widgets.so.6\n";
}
#endif

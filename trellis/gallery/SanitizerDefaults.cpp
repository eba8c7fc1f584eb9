// Sanitizer defaults for the gallery. Pango and fontconfig keep per-thread caches (and a
// font-map thread) that are never freed before exit; in sanitizer builds LeakSanitizer would
// otherwise fail every run that drew text.
extern "C" __attribute__((weak)) const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\nleak:libpango-1.0.so\nleak:libpangoft2-1.0.so\nleak:libpangocairo-1.0.so\n"
           "leak:libcairo.so\nleak:libglib-2.0.so\nleak:libdbus-1.so\nleak:libSDL2\nleak:libX11.so\n";
}

// Pango starts fontconfig on a thread of its own and hands the results over with GLib's own
// futex locks, which ThreadSanitizer cannot see through.
extern "C" __attribute__((weak)) const char* __tsan_default_suppressions()
{
    return "race:libfontconfig.so\nrace:libpangoft2-1.0.so\nrace:libpango-1.0.so\nrace:libglib-2.0.so\n"
           "race:libcairo.so\nrace:libharfbuzz.so\nrace:libfreetype.so\n";
}

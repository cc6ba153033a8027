// Linked into every executable of the sanitizer build only, so that a run without any sanitizer
// variables reports leaks of the project's own code and nothing else.

// LeakSanitizer suppressions for leaks that are the system libraries' own. A pattern matches an
// allocation if any frame of its stack names it, so each names a library or function that never
// calls back into the project's code: a leak the project makes, through Qt or directly, keeps
// at least one unsuppressed stack.
extern "C" const char *__lsan_default_suppressions()
{
    return
        // libdbus leaves a buffer behind when Qt's D-Bus thread asks it for the session bus,
        // as every GUI start on X11 does; that thread runs none of the project's code.
        "leak:libdbus-1.so\n"
        // Qt's offscreen platform never removes its screen: the QScreen, its private data and
        // the platform screen stay behind, all reachable from the screen's private data.
        "leak:QScreen::QScreen\n";
}

// Quiet about the suppressions that matched (LSAN_OPTIONS=print_suppressions=1 lists them).
// Without __tls_get_addr interception: the runtime's guess at the bounds of a dynamic TLS block
// misreads glibc's now and then, and the leak check then crashes scanning a bogus range ("Tracer
// caught signal 11"). The blocks are heap blocks reached from the thread's TLS all the same, so
// what they point to still counts as reachable.
extern "C" const char *__lsan_default_options()
{
    return "print_suppressions=0:intercept_tls_get_addr=0";
}

// Shared libraries stay loaded until exit. Mesa unloads its driver when Qt closes the X display;
// the leak check, which comes later, could then neither scan the globals that held the driver's
// memory nor name the driver in a report.
extern "C" int dlclose(void *)
{
    return 0;
}

// The address sanitizer's defaults for the program tests, which the environment's options add
// to. Leaks are traced through the system's libraries, which are built without frame pointers:
// Qt's D-Bus module leaves its connection thread's data behind at exit, and only a full trace
// reaches the module that the leak suppressions name.
#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }
#endif

// Linked into every test program and fuzz target: the leak checker's default suppressions. The font configuration
// library keeps its caches until the program ends, some behind pointers stored as offsets that the
// checker cannot follow; the library's own memory is all freed.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }

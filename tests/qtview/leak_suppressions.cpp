// fontconfig keeps its caches for the life of the process; the leak checker is told so.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

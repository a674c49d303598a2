// A loadable library that exports something, but no HtmlHelpA.
extern "C" int NotTheHelpEntry() {
  return 1;
}

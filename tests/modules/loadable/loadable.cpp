// A tiny shared library that the dynamic-library tests load by its full path.
extern "C" int TvLoadableAnswer() { return 42; }

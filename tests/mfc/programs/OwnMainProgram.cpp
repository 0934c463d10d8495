// A program with its own AfxWinMain: the library's is not linked in, so this one runs.
#include <afxwin.h>

int AfxWinMain(HINSTANCE, HINSTANCE, LPTSTR, int) { return 42; }

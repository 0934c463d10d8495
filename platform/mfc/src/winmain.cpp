// The program entry of the library's programs (linked with -municode in wide builds).
#include "afxwin.h"

extern "C" int WINAPI _tWinMain(HINSTANCE instance, HINSTANCE previous, LPTSTR commandLine, int show) {
    return AfxWinMain(instance, previous, commandLine, show);
}

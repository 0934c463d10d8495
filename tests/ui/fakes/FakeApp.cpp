// The application object of the tests: the real class's state, none of its start-up.
#include "ZemovistaApp.h"

IMPLEMENT_DYNAMIC(CZemovistaApp, CWinApp)

CZemovistaApp::CZemovistaApp() = default;
CZemovistaApp::~CZemovistaApp() = default;

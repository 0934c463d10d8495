#include "web/WebViewHost.h"

#include "facade/AppFacade.h"
#include "views/MainWindowView.h"

IWebViewHost* FindWebViewHost() { return dynamic_cast<IWebViewHost*>(CAppFacade::GetInstance().GetMainWnd()); }

#include "PlayDialogHost.h"

#include "facade/AppFacade.h"
#include "views/MainWindowView.h"

IPlayDialogHost* FindPlayDialogHost() {
    return dynamic_cast<IPlayDialogHost*>(CAppFacade::GetInstance().GetMainWnd());
}

// The start-up test program's parts: plain child windows in place of the player's windows.
#include "PlainDialogParts.h"

std::unique_ptr<IMainDialogParts> MakeMainDialogParts() { return std::make_unique<CPlainDialogParts>(); }

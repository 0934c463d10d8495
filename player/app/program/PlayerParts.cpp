// The player program's parts: the real windows of the main dialog.
#include "parts/PlayerDialogParts.h"

std::unique_ptr<IMainDialogParts> MakeMainDialogParts() { return std::make_unique<CPlayerDialogParts>(); }

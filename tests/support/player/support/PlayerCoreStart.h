// A player core over a folder of a test, built while no test holds the program
// folder's "ovraCfg.ini" (its data model starts the account SDK with that file).
#pragma once

#include <memory>

#include "facade/PlayerCore.h"
#include "support/ProgramFolderLocks.h"

inline std::unique_ptr<CPlayerCore> StartPlayerCore(const CString& folder) {
    ServiceConfigLock lock;
    return std::make_unique<CPlayerCore>(folder);
}

// The facade starts the account SDK with the program folder's "ovraCfg.ini", which
// tests rewrite and remove while they run; it reads the program folder's database when
// it starts and writes it when the process ends, and a test that uses that database
// must not meet either. Each test process therefore builds the facade once, before its
// tests, holding both locks, and ends holding the database lock.
#include <gtest/gtest.h>

#include "facade/AppFacade.h"
#include "support/ProgramFolderLocks.h"

namespace {

class FacadeStart : public testing::Environment {
public:
    void SetUp() override {
        ServiceConfigLock config;
        ProgramDatabaseLock database;
        CAppFacade::GetInstance();
    }
    // Kept to the end of the process, past the facade's destruction.
    void TearDown() override { new ProgramDatabaseLock; }
};

testing::Environment* const g_facadeStart = testing::AddGlobalTestEnvironment(new FacadeStart);

}  // namespace

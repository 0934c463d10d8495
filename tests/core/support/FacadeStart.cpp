// The facade starts the account SDK with the program folder's "ovraCfg.ini", which
// tests rewrite and remove while they run. Each test process therefore builds the
// facade once, before its tests, while no test holds that file.
#include <gtest/gtest.h>

#include "facade/AppFacade.h"
#include "support/ServiceConfigFile.h"

namespace {

class FacadeStart : public testing::Environment {
public:
    void SetUp() override {
        ServiceConfigLock lock;
        CAppFacade::GetInstance();
    }
};

testing::Environment* const g_facadeStart = testing::AddGlobalTestEnvironment(new FacadeStart);

}  // namespace

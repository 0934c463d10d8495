// The accounts of the demonstration services: the player's demo user and the storage
// account that the crash-report sender uploads to.
#pragma once

#include "StoragePassword.h"

constexpr const char DEMO_USER[] = "demo";
constexpr const char DEMO_PASSWORD[] = "demo1234";
constexpr const char DEMO_CRASH_ACCOUNT[] = "crash-reports";

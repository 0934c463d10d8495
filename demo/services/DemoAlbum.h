// The album of the demonstration catalogue: one file per video given to the services, in
// order, the first interrupted once. The road finds the player's downloads by these names.
#pragma once

#include <cstddef>

constexpr const char DEMO_ALBUM_NAME[] = "演示合集";
constexpr const char* const DEMO_FILE_NAMES[] = {"第一集", "第二集", "第三集", "第四集"};
constexpr size_t DEMO_MOST_FILES = sizeof(DEMO_FILE_NAMES) / sizeof(DEMO_FILE_NAMES[0]);
constexpr const char DEMO_FILE_TYPE[] = ".xof";
constexpr int DEMO_FIRST_FILE_ID = 101;  // the next files' ids follow

// Reads of the process's own memory that may fault, through the system's process-memory
// read: a bad address gives false instead of an exception inside the crash filter.
#pragma once

#include <cstddef>

bool ReadOwnMemory(const void* address, void* out, size_t size);

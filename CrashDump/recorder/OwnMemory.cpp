#include "OwnMemory.h"

#include <windows.h>

bool ReadOwnMemory(const void* address, void* out, size_t size) {
    SIZE_T read = 0;
    return ReadProcessMemory(GetCurrentProcess(), address, out, size, &read) && read == size;
}

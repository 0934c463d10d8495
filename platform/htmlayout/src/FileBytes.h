// Whole files read into memory.
#pragma once

#include <string>
#include <vector>

namespace hlwin {

// The bytes of a file of at most 64 MB; empty when it cannot be read.
std::vector<unsigned char> ReadFileBytes(const std::u16string& path);

}  // namespace hlwin

// Records of the storage library's interface, filled from the service's list replies.
#pragma once

#include <cstdint>

// One emoticon of the user's list.
struct EmoticonInfo {
    char fkey[33];   // 32 characters and the terminator
    char fname[67];  // at most 65 characters
    int32_t fsize;

    EmoticonInfo() : fkey(), fname(), fsize(0) {}
};

// One entry of the user's large-file list.
struct LargeFileInfo {
    char fkey[33];
    char fname[67];  // at most 65 characters
    int32_t fsize;
    char fmd5[33];        // 32 hexadecimal digits
    char fsha1[41];       // 40 hexadecimal digits
    char createtime[22];  // at most 20 characters, as the service writes it
    int32_t finish;       // the service's finished marker
    int32_t leftminute;   // the service's remaining keeping time in minutes

    LargeFileInfo() : fkey(), fname(), fsize(0), fmd5(), fsha1(), createtime(), finish(0), leftminute(0) {}
};

// Longest texts the parsers copy into the records' fields.
constexpr unsigned KEY_CHARS = 32;
constexpr unsigned FILE_NAME_CHARS = 65;
constexpr unsigned MD5_CHARS = 32;
constexpr unsigned SHA1_CHARS = 40;
constexpr unsigned CREATE_TIME_CHARS = 20;

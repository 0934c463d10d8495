// The seam between the portable readers and whatever supplies the bytes (a DirectShow
// reader on Windows, memory in tests and fuzzing). Results use the HRESULT numbers:
// 0 success, 1 "not all / end", negative failure.
#pragma once

#include <cstdint>

constexpr int32_t RESULT_OK = 0;
constexpr int32_t RESULT_FALSE = 1;
constexpr int32_t RESULT_FAIL = static_cast<int32_t>(0x80004005);
constexpr int32_t RESULT_NOINTERFACE = static_cast<int32_t>(0x80004002);
constexpr int32_t RESULT_UNEXPECTED = static_cast<int32_t>(0x8000FFFF);
constexpr int32_t RESULT_OUTOFMEMORY = static_cast<int32_t>(0x8007000E);

inline bool ResultFailed(int32_t result) { return result < 0; }

class IByteSource {
public:
    virtual ~IByteSource() = default;
    // Reads exactly length bytes at position into buffer; RESULT_OK only when all arrived.
    virtual int32_t SyncRead(int64_t position, int32_t length, uint8_t* buffer) = 0;
    // The total length and the length available so far.
    virtual int32_t Length(int64_t* total, int64_t* available) = 0;
};

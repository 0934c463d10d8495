// CMediaType: an AM_MEDIA_TYPE that owns its format block (task memory), with value
// semantics; FOURCCMap: the media subtype GUID built from a four-character code.
#pragma once

#include <windows.h>
#include <strmif.h>
#include <vfwmsgs.h>

class CMediaType : public AM_MEDIA_TYPE {
public:
    CMediaType();
    CMediaType(const AM_MEDIA_TYPE& other);
    CMediaType(const CMediaType& other);
    ~CMediaType();
    CMediaType& operator=(const AM_MEDIA_TYPE& other);
    CMediaType& operator=(const CMediaType& other);
    // Same major type, subtype, format type and format block.
    bool operator==(const CMediaType& other) const;
    bool operator!=(const CMediaType& other) const { return !(*this == other); }

    void SetType(const GUID* type) { majortype = *type; }
    void SetSubtype(const GUID* type) { subtype = *type; }
    void SetFormatType(const GUID* type) { formattype = *type; }
    void SetSampleSize(ULONG size);
    void SetVariableSize() { bFixedSizeSamples = FALSE; }
    // A zeroed format block of the given size; null when it cannot be allocated.
    BYTE* AllocFormatBuffer(ULONG length);
    BOOL SetFormat(const BYTE* format, ULONG length);
    void ResetFormatBuffer();
    // Matches when every field that is not GUID_NULL in the partial type is equal.
    bool MatchesPartial(const CMediaType* partial) const;
    bool IsValid() const { return majortype != GUID_NULL; }
};

// Task-memory helpers for the AM_MEDIA_TYPE values that cross interfaces.
void FreeMediaType(AM_MEDIA_TYPE& type);
void DeleteMediaType(AM_MEDIA_TYPE* type);
HRESULT CopyMediaType(AM_MEDIA_TYPE* target, const AM_MEDIA_TYPE* source);
AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE* source);

class FOURCCMap : public GUID {
public:
    explicit FOURCCMap(DWORD fourcc);
};

// The four-character code 'abcd' as a little-endian DWORD.
constexpr DWORD MakeFourCC(char a, char b, char c, char d) {
    return static_cast<DWORD>(static_cast<BYTE>(a)) | (static_cast<DWORD>(static_cast<BYTE>(b)) << 8) |
           (static_cast<DWORD>(static_cast<BYTE>(c)) << 16) | (static_cast<DWORD>(static_cast<BYTE>(d)) << 24);
}

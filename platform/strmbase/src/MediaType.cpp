#include "MediaType.h"

#include <cstring>

namespace {
void Init(AM_MEDIA_TYPE& type) {
    std::memset(&type, 0, sizeof(type));
    type.lSampleSize = 1;
    type.bFixedSizeSamples = TRUE;
}
}  // namespace

void FreeMediaType(AM_MEDIA_TYPE& type) {
    if (type.cbFormat != 0 || type.pbFormat) CoTaskMemFree(type.pbFormat);
    type.cbFormat = 0;
    type.pbFormat = nullptr;
    if (type.pUnk) {
        type.pUnk->Release();
        type.pUnk = nullptr;
    }
}

void DeleteMediaType(AM_MEDIA_TYPE* type) {
    if (!type) return;
    FreeMediaType(*type);
    CoTaskMemFree(type);
}

HRESULT CopyMediaType(AM_MEDIA_TYPE* target, const AM_MEDIA_TYPE* source) {
    *target = *source;
    if (source->cbFormat != 0 && source->pbFormat) {
        target->pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(source->cbFormat));
        if (!target->pbFormat) {
            target->cbFormat = 0;
            target->pUnk = nullptr;
            return E_OUTOFMEMORY;
        }
        std::memcpy(target->pbFormat, source->pbFormat, source->cbFormat);
    } else {
        target->pbFormat = nullptr;
        target->cbFormat = 0;
    }
    if (target->pUnk) target->pUnk->AddRef();
    return S_OK;
}

AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE* source) {
    auto* type = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
    if (type && FAILED(CopyMediaType(type, source))) {
        CoTaskMemFree(type);
        return nullptr;
    }
    return type;
}

CMediaType::CMediaType() { Init(*this); }

CMediaType::CMediaType(const AM_MEDIA_TYPE& other) {
    Init(*this);
    *this = other;
}

CMediaType::CMediaType(const CMediaType& other) : CMediaType(static_cast<const AM_MEDIA_TYPE&>(other)) {}

CMediaType::~CMediaType() { FreeMediaType(*this); }

CMediaType& CMediaType::operator=(const AM_MEDIA_TYPE& other) {
    if (&other == this) return *this;
    FreeMediaType(*this);
    if (FAILED(CopyMediaType(this, &other))) Init(*this);
    return *this;
}

CMediaType& CMediaType::operator=(const CMediaType& other) { return *this = static_cast<const AM_MEDIA_TYPE&>(other); }

bool CMediaType::operator==(const CMediaType& other) const {
    return majortype == other.majortype && subtype == other.subtype && formattype == other.formattype &&
           cbFormat == other.cbFormat && (cbFormat == 0 || std::memcmp(pbFormat, other.pbFormat, cbFormat) == 0);
}

void CMediaType::SetSampleSize(ULONG size) {
    if (size == 0) {
        SetVariableSize();
    } else {
        bFixedSizeSamples = TRUE;
        lSampleSize = size;
    }
}

BYTE* CMediaType::AllocFormatBuffer(ULONG length) {
    ResetFormatBuffer();
    pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(length));
    if (!pbFormat) return nullptr;
    std::memset(pbFormat, 0, length);
    cbFormat = length;
    return pbFormat;
}

BOOL CMediaType::SetFormat(const BYTE* format, ULONG length) {
    if (!AllocFormatBuffer(length)) return FALSE;
    std::memcpy(pbFormat, format, length);
    return TRUE;
}

void CMediaType::ResetFormatBuffer() {
    CoTaskMemFree(pbFormat);
    pbFormat = nullptr;
    cbFormat = 0;
}

bool CMediaType::MatchesPartial(const CMediaType* partial) const {
    if (partial->majortype != GUID_NULL && majortype != partial->majortype) return false;
    if (partial->subtype != GUID_NULL && subtype != partial->subtype) return false;
    if (partial->formattype != GUID_NULL) {
        if (formattype != partial->formattype || cbFormat != partial->cbFormat) return false;
        if (cbFormat != 0 && std::memcmp(pbFormat, partial->pbFormat, cbFormat) != 0) return false;
    }
    return true;
}

FOURCCMap::FOURCCMap(DWORD fourcc) : GUID{fourcc, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}} {}

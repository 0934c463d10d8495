// The module MediaDecoders.ax: the video and audio decoders, their registration and
// the COM entry points.
#include "AudioDecoderFilter.h"
#include "VideoDecoderFilter.h"

#include <uuids.h>

#include <new>

namespace {

template <class Filter>
CUnknown* CreateFilter(LPUNKNOWN owner, HRESULT* result) {
    *result = S_OK;
    Filter* filter = new (std::nothrow) Filter(owner, result);
    if (!filter) *result = E_OUTOFMEMORY;
    return filter;
}

const FOURCCMap kFlv1(MakeFourCC('F', 'L', 'V', '1'));
const FOURCCMap kFlv4(MakeFourCC('F', 'L', 'V', '4'));
const FOURCCMap kAvc1(MakeFourCC('A', 'V', 'C', '1'));
const FOURCCMap kAac(0xFF);
const FOURCCMap kMp3(0x55);
const FOURCCMap kAdpcm(MakeFourCC('A', 'S', 'W', 'F'));
const FOURCCMap kNellymoser(MakeFourCC('N', 'E', 'L', 'L'));

const AMOVIESETUP_MEDIATYPE kVideoIn[] = {
    {&MEDIATYPE_Video, &kFlv1}, {&MEDIATYPE_Video, &kFlv4}, {&MEDIATYPE_Video, &kAvc1}};
const AMOVIESETUP_MEDIATYPE kVideoOut[] = {{&MEDIATYPE_Video, &MEDIASUBTYPE_RGB32},
                                           {&MEDIATYPE_Video, &MEDIASUBTYPE_RGB24},
                                           {&MEDIATYPE_Video, &MEDIASUBTYPE_RGB565}};
const AMOVIESETUP_MEDIATYPE kAudioIn[] = {{&MEDIATYPE_Audio, &kAac},
                                          {&MEDIATYPE_Audio, &kMp3},
                                          {&MEDIATYPE_Audio, &kAdpcm},
                                          {&MEDIATYPE_Audio, &kNellymoser}};
const AMOVIESETUP_MEDIATYPE kAudioOut[] = {{&MEDIATYPE_Audio, &MEDIASUBTYPE_PCM}};

const AMOVIESETUP_PIN kVideoPins[] = {
    {const_cast<LPWSTR>(L"In"), FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 3, kVideoIn},
    {const_cast<LPWSTR>(L"Out"), FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 3, kVideoOut},
};
const AMOVIESETUP_PIN kAudioPins[] = {
    {const_cast<LPWSTR>(L"In"), FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 4, kAudioIn},
    {const_cast<LPWSTR>(L"Out"), FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kAudioOut},
};

const AMOVIESETUP_FILTER kVideoSetup = {
    &CLSID_ZemoVideoDecoder, L"Media Decoders - Video", MERIT_NORMAL, 2, kVideoPins, &CLSID_LegacyAmFilterCategory};
const AMOVIESETUP_FILTER kAudioSetup = {
    &CLSID_ZemoAudioDecoder, L"Media Decoders - Audio", MERIT_NORMAL, 2, kAudioPins, &CLSID_LegacyAmFilterCategory};

const CFactoryTemplate kTemplates[] = {
    {L"Media Decoders - Video", &CLSID_ZemoVideoDecoder, &CreateFilter<CVideoDecoderFilter>, nullptr, &kVideoSetup},
    {L"Media Decoders - Audio", &CLSID_ZemoAudioDecoder, &CreateFilter<CAudioDecoderFilter>, nullptr, &kAudioSetup},
};
constexpr int kTemplateCount = sizeof(kTemplates) / sizeof(kTemplates[0]);

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        ModuleProcessAttach(instance, kTemplates, kTemplateCount);
    else if (reason == DLL_PROCESS_DETACH)
        ModuleProcessDetach(kTemplates, kTemplateCount);
    return TRUE;
}

STDAPI DllRegisterServer() { return RegisterFilterTemplates(kTemplates, kTemplateCount, TRUE); }

STDAPI DllUnregisterServer() { return RegisterFilterTemplates(kTemplates, kTemplateCount, FALSE); }

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {
    return GetClassObjectFromTemplates(kTemplates, kTemplateCount, clsid, riid, ppv);
}

STDAPI DllCanUnloadNow() { return CanUnloadModule(); }

}  // extern "C"

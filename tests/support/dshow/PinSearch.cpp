#include "PinSearch.h"

CComRef<IPin> FindPin(IBaseFilter* filter, PIN_DIRECTION direction, LPCWSTR name) {
    CComRef<IEnumPins> pins;
    if (FAILED(filter->EnumPins(pins.Receive()))) return CComRef<IPin>();
    for (int i = 0; i < 16; ++i) {
        CComRef<IPin> pin;
        if (pins->Next(1, pin.Receive(), nullptr) != S_OK) break;
        PIN_INFO info = {};
        pin->QueryPinInfo(&info);
        if (info.pFilter) info.pFilter->Release();
        if (info.dir == direction && (!name || lstrcmpW(info.achName, name) == 0)) return pin;
    }
    return CComRef<IPin>();
}

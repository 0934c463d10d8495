// The pin of a filter by direction (and name).
#pragma once

#include "strmbase.h"

// The first pin of that direction (with that name, when one is given), or null.
CComRef<IPin> FindPin(IBaseFilter* filter, PIN_DIRECTION direction, LPCWSTR name = nullptr);

// The media type of a pin from what the parser found out about its stream.
#pragma once

#include "portable/XofFormat.h"
#include "strmbase.h"

// An invalid (GUID_NULL major type) media type when the format block cannot be had.
CMediaType MakeXofMediaType(const XofStreamFormat& format);

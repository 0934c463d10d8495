// The DirectShow filter base layer: include this one header.
#pragma once

#include "AMThread.h"
#include "BaseFilter.h"
#include "BaseInputPin.h"
#include "BaseOutputPin.h"
#include "BasePin.h"
#include "ClassFactory.h"
#include "ComRef.h"
#include "FilterRegistration.h"
#include "MediaSample.h"
#include "MediaType.h"
#include "SeekingPassThrough.h"
#include "Sync.h"
#include "TransformFilter.h"
#include "Unknown.h"

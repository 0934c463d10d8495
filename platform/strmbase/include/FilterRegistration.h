// Registration of a module's filter templates: the COM class keys under
// HKEY_CLASSES_ROOT\CLSID and the filter mapper's entry (merit, category, pins).
#pragma once

#include "ClassFactory.h"

// Registers (or, with reg FALSE, unregisters) every template that has setup data.
// The COM keys point at the module recorded by ModuleProcessAttach.
HRESULT RegisterFilterTemplates(const CFactoryTemplate* templates, int count, BOOL reg);

#include "afx.h"

const CRuntimeClass CObject::classCObject = {"CObject", nullptr};

const CRuntimeClass* CObject::GetRuntimeClass() const { return RUNTIME_CLASS(CObject); }

BOOL CObject::IsKindOf(const CRuntimeClass* runtimeClass) const {
    return GetRuntimeClass()->IsDerivedFrom(runtimeClass);
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* baseClass) const {
    for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
        if (c == baseClass) return TRUE;
    return FALSE;
}

CObject* AfxDynamicDownCast(const CRuntimeClass* runtimeClass, CObject* object) {
    return object && object->IsKindOf(runtimeClass) ? object : nullptr;
}

#include "strmbase.h"

#include <gtest/gtest.h>

namespace {

const CLSID kFirst = {0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}};
const CLSID kFailing = {0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x56}};

class CThing : public CUnknown {
public:
    CThing(LPUNKNOWN owner) : CUnknown(L"CThing", owner) {}
};

CUnknown* CreateThing(LPUNKNOWN owner, HRESULT* result) {
    *result = S_OK;
    return new CThing(owner);
}

CUnknown* CreateNothing(LPUNKNOWN, HRESULT* result) {
    *result = E_OUTOFMEMORY;
    return nullptr;
}

const CFactoryTemplate kTemplates[] = {
    {L"Thing", &kFirst, &CreateThing, nullptr, nullptr},
    {L"Nothing", &kFailing, &CreateNothing, nullptr, nullptr},
};

TEST(ClassFactory, CreatesTheClassesOfItsTemplates) {
    IClassFactory* factory = nullptr;
    ASSERT_EQ(GetClassObjectFromTemplates(kTemplates, 2, kFirst, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
              S_OK);
    EXPECT_EQ(CanUnloadModule(), S_FALSE);
    IUnknown* thing = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&thing)), S_OK);
    EXPECT_EQ(CUnknown::ObjectCount(), 1);
    IUnknown* wrong = nullptr;
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, reinterpret_cast<void**>(&wrong)), E_NOINTERFACE);
    EXPECT_EQ(wrong, nullptr);
    // The failed request left no object behind.
    EXPECT_EQ(CUnknown::ObjectCount(), 1);
    EXPECT_EQ(thing->Release(), 0u);
    EXPECT_EQ(CUnknown::ObjectCount(), 0);
    factory->Release();
    EXPECT_EQ(CanUnloadModule(), S_OK);

    ASSERT_EQ(GetClassObjectFromTemplates(kTemplates, 2, kFailing, IID_IUnknown, reinterpret_cast<void**>(&factory)),
              S_OK);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&thing)), E_OUTOFMEMORY);
    factory->Release();
    EXPECT_EQ(
        GetClassObjectFromTemplates(kTemplates, 2, CLSID_NULL, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
        CLASS_E_CLASSNOTAVAILABLE);
}

// An outer object that aggregates a CUnknown: the inner object's interfaces answer
// for the outer one.
TEST(Unknown, AnAggregatedObjectForwardsToItsOwner) {
    CThing outer(nullptr);
    outer.NonDelegatingAddRef();
    CThing inner(reinterpret_cast<LPUNKNOWN>(static_cast<INonDelegatingUnknown*>(&outer)));
    EXPECT_EQ(inner.GetOwner(), reinterpret_cast<LPUNKNOWN>(static_cast<INonDelegatingUnknown*>(&outer)));
    void* out = nullptr;
    EXPECT_EQ(inner.NonDelegatingQueryInterface(IID_IClassFactory, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(inner.NonDelegatingQueryInterface(IID_IUnknown, nullptr), E_POINTER);
}

}  // namespace

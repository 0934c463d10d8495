#include "ModuleFile.h"
#include "XofGuids.h"

#include <gtest/gtest.h>

#include <olectl.h>
#include <strmif.h>

namespace {

const wchar_t kSubtypeKey[] =
    L"HKCR\\Media Type\\{E436EB83-524F-11CE-9F53-0020AF0BA770}\\{F2FAC0F1-3852-4670-AAC0-9051D400AC54}";
const wchar_t kSplitterKey[] = L"HKCR\\CLSID\\{080692CF-0BBE-4F7A-859C-19880768650A}";
const wchar_t kSourceKey[] = L"HKCR\\CLSID\\{1004E7B3-1D8E-41F5-9F24-1980DF16C087}";
const wchar_t kMapperKey[] =
    L"HKCR\\CLSID\\{083863F1-70DE-11D0-BD40-00A0C911CE86}\\Instance\\{080692CF-0BBE-4F7A-859C-19880768650A}";
const wchar_t kExtensionKey[] = L"HKCR\\Media Type\\Extensions\\.xof";

DWORD RegQuery(const std::wstring& key, std::string* output = nullptr) {
    return RunProgram(L"reg.exe query \"" + key + L"\"", output);
}

DWORD RegSvr32(const std::wstring& options) {
    return RunProgram(L"regsvr32.exe /s " + options + L" \"" + ModulePath() + L"\"");
}

TEST(Registration, Regsvr32WritesTheKeysAndUnregisteringRemovesThem) {
    CRegistrationLock lock;
    // An old extension key is removed by registering.
    ASSERT_EQ(RunProgram(L"reg.exe add \"" + std::wstring(kExtensionKey) + L"\" /f"), 0u);
    ASSERT_EQ(RegSvr32(L""), 0u);

    std::string subtype;
    ASSERT_EQ(RegQuery(kSubtypeKey, &subtype), 0u);
    EXPECT_NE(subtype.find("0,4,,464C5601"), std::string::npos) << subtype;
    EXPECT_NE(subtype.find("Source Filter"), std::string::npos);
    EXPECT_NE(subtype.find("{E436EBB5-524F-11CE-9F53-0020AF0BA770}"), std::string::npos);
    EXPECT_NE(RegQuery(kExtensionKey), 0u);
    std::string splitter, source, mapper;
    ASSERT_EQ(RunProgram(L"reg.exe query \"" + std::wstring(kSplitterKey) + L"\" /s", &splitter), 0u);
    EXPECT_NE(splitter.find("Zemovista - Xof Splitter (Tove)"), std::string::npos) << splitter;
    EXPECT_NE(splitter.find("InprocServer32"), std::string::npos);
    EXPECT_NE(splitter.find("Both"), std::string::npos);
    EXPECT_NE(splitter.find("XofSplitter.ax"), std::string::npos);
    ASSERT_EQ(RunProgram(L"reg.exe query \"" + std::wstring(kSourceKey) + L"\" /s", &source), 0u);
    EXPECT_NE(source.find("Zemovista - Xof Source (Tove)"), std::string::npos);
    ASSERT_EQ(RegQuery(kMapperKey, &mapper), 0u);
    EXPECT_NE(mapper.find("FilterData"), std::string::npos);

    ASSERT_EQ(RegSvr32(L"/u"), 0u);
    EXPECT_NE(RegQuery(kSubtypeKey), 0u);
    EXPECT_NE(RegQuery(kSplitterKey), 0u);
    EXPECT_NE(RegQuery(kSourceKey), 0u);
    EXPECT_NE(RegQuery(kMapperKey), 0u);
    // Other tests find the module registered.
    ASSERT_EQ(RegSvr32(L""), 0u);
}

TEST(Registration, FailsWhenTheCheckBytesCannotBeWritten) {
    CLoadedModule module;
    ASSERT_TRUE(module.Loaded());
    // The classes root of this process only: a volatile key, under which no lasting
    // key can be created.
    HKEY root = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\ZemoTests\\VolatileRoot", 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &root, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegOverridePredefKey(HKEY_CLASSES_ROOT, root), ERROR_SUCCESS);
    HRESULT hr = module.Register();
    RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    RegCloseKey(root);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\ZemoTests");
    // Refused at the check bytes, before any filter is registered.
    EXPECT_EQ(hr, SELFREG_E_CLASS) << std::hex << hr;
}

TEST(Module, HandsOutFactoriesForItsTwoClassesOnly) {
    CLoadedModule module;
    ASSERT_TRUE(module.Loaded());
    auto getClassObject = module.Export<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>("DllGetClassObject");
    auto canUnloadNow = module.Export<HRESULT(WINAPI*)()>("DllCanUnloadNow");
    ASSERT_NE(getClassObject, nullptr);
    ASSERT_NE(canUnloadNow, nullptr);
    EXPECT_EQ(canUnloadNow(), S_OK);

    IClassFactory* factory = nullptr;
    EXPECT_EQ(getClassObject(CLSID_NULL, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(getClassObject(CLSID_XofSource, IID_IBaseFilter, reinterpret_cast<void**>(&factory)), E_NOINTERFACE);
    ASSERT_EQ(getClassObject(CLSID_XofSource, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    IUnknown* object = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&object)), S_OK);
    IFileSourceFilter* source = nullptr;
    EXPECT_EQ(object->QueryInterface(IID_IFileSourceFilter, reinterpret_cast<void**>(&source)), S_OK);
    if (source) source->Release();
    object->Release();
    // An aggregating caller can only have the inner IUnknown.
    EXPECT_EQ(factory->CreateInstance(reinterpret_cast<IUnknown*>(factory), IID_IBaseFilter,
                                      reinterpret_cast<void**>(&object)),
              E_NOINTERFACE);
    factory->LockServer(TRUE);
    factory->Release();
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    ASSERT_EQ(getClassObject(CLSID_XofSplitter, IID_IUnknown, reinterpret_cast<void**>(&factory)), S_OK);
    factory->LockServer(FALSE);
    factory->Release();
    EXPECT_EQ(canUnloadNow(), S_OK);
}

}  // namespace

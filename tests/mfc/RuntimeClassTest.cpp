#include <gtest/gtest.h>

#include <afxwin.h>

namespace {

class CTestApp : public CWinApp {
    DECLARE_DYNAMIC(CTestApp)
};
IMPLEMENT_DYNAMIC(CTestApp, CWinApp)

TEST(RuntimeClassTest, KindFollowsTheBaseChain) {
    struct Case {
        const CObject* object;
        const CRuntimeClass* runtimeClass;
        bool kind;
    };
    CWnd wnd;
    CMenu menu;
    CTestApp app;
    const Case cases[] = {
        {&wnd, RUNTIME_CLASS(CWnd), true},         {&wnd, RUNTIME_CLASS(CCmdTarget), true},
        {&wnd, RUNTIME_CLASS(CObject), true},      {&wnd, RUNTIME_CLASS(CWinApp), false},
        {&menu, RUNTIME_CLASS(CCmdTarget), false}, {&app, RUNTIME_CLASS(CWinThread), true},
        {&app, RUNTIME_CLASS(CTestApp), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.kind, c.object->IsKindOf(c.runtimeClass) != FALSE)
            << c.object->GetRuntimeClass()->m_lpszClassName << " of " << c.runtimeClass->m_lpszClassName;
}

TEST(RuntimeClassTest, DowncastYieldsNullForAnotherClass) {
    CTestApp app;
    EXPECT_EQ(&app, DYNAMIC_DOWNCAST(CTestApp, AfxGetApp()));
    CWinApp plain;  // now the current application
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CTestApp, AfxGetApp()));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CTestApp, (CObject*)nullptr));
    EXPECT_STREQ("CTestApp", app.GetRuntimeClass()->m_lpszClassName);
}

}  // namespace

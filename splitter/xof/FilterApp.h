// The filter module's application object: its start-up and shutdown are the DirectShow
// module's process attach and detach for the module's factory templates.
#pragma once

#include <afxwin.h>

#include "ClassFactory.h"

class CFilterApp : public CWinApp {
public:
    CFilterApp(const CFactoryTemplate* templates, int count) : m_templates(templates), m_count(count) {}

    BOOL InitInstance() override;
    int ExitInstance() override;

    DECLARE_MESSAGE_MAP()

private:
    const CFactoryTemplate* m_templates;
    int m_count;
};

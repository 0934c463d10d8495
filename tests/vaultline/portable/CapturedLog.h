// Collects what the library writes to std::cout while it lives (the library linked
// into the test program itself, not through the DLL).
#pragma once

#include <iostream>
#include <sstream>
#include <string>

class CapturedLog {
public:
    CapturedLog() : m_saved(std::cout.rdbuf(m_text.rdbuf())) {}
    ~CapturedLog() { std::cout.rdbuf(m_saved); }
    CapturedLog(const CapturedLog&) = delete;
    CapturedLog& operator=(const CapturedLog&) = delete;

    std::string Text() const { return m_text.str(); }

private:
    std::ostringstream m_text;
    std::streambuf* m_saved;
};

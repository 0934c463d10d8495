// The usage-report library "Tallyhub.dll": a program says who uses it and how much,
// and the library reports that to the usage service in the background.
//
// Protocol: every interval, and once more when the object is destroyed, a POST to the
// URL in "Tallyhub.ini" (section "Report", key "Url") with a JSON body
//   {"product":103,"version":"1.2.3.4","session":"<32 hex digits, one per object>",
//    "users":["<name>",...],"modules":<count>}
// "users" and "modules" hold what was added since the last report that the service
// took (status 200); what a failed report carried goes into the next one. Without a
// URL nothing is sent.
#pragma once

#include <string>

#ifdef TALLYHUB_EXPORTS
#define TALLYHUB_API __declspec(dllexport)
#else
#define TALLYHUB_API __declspec(dllimport)
#endif

class CUsageReporter;

class TALLYHUB_API CReportInterface {
public:
    // Reads "Tallyhub.ini" beside Tallyhub.dll.
    CReportInterface();
    // Reads the given settings file instead.
    explicit CReportInterface(const std::wstring& configFile);
    // Sends what is still to report (bounded by a few seconds) and stops.
    ~CReportInterface();
    CReportInterface(const CReportInterface&) = delete;
    CReportInterface& operator=(const CReportInterface&) = delete;

    // Starts the reports, every intervalMs milliseconds; an interval below 1 starts
    // nothing, and once started further calls change nothing.
    void Init(int productId, const std::wstring& productVersion, int intervalMs);
    // A user of this run; a name given twice between two reports is reported once.
    void AppendUserName(const std::wstring& userName);
    // Adds uses of the program's modules.
    void AddModuleCount(int count);

private:
    CUsageReporter* m_pReporter;
};

// Core of the class library subset: CObject, CException, CFile, CString and the
// collections. Windows-only; include it instead of <windows.h>.
#pragma once

#include <windows.h>
#include <tchar.h>
#include "afxstr.h"
#include "afxcoll.h"

#ifndef ASSERT
#define ASSERT(e) ((void)0)
#endif
#ifndef VERIFY
#define VERIFY(e) ((void)(e))
#endif

class CObject;

// A place in a walk over a collection; null ends the walk.
struct __POSITION {};
typedef __POSITION* POSITION;

// Run-time class information: a class name and the base class, walked by IsKindOf.
struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    const CRuntimeClass* m_pBaseClass;
    BOOL IsDerivedFrom(const CRuntimeClass* baseClass) const;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)
#define DECLARE_DYNAMIC(class_name)               \
public:                                           \
    static const CRuntimeClass class##class_name; \
    const CRuntimeClass* GetRuntimeClass() const override;
#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                                 \
    const CRuntimeClass class_name::class##class_name = {#class_name, RUNTIME_CLASS(base_class_name)}; \
    const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }
// The object as class_name*, or null when it is null or not of that class.
#define DYNAMIC_DOWNCAST(class_name, object) \
    static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), object))

class CObject {
public:
    virtual ~CObject() = default;
    static const CRuntimeClass classCObject;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* runtimeClass) const;

protected:
    CObject() = default;
};

CObject* AfxDynamicDownCast(const CRuntimeClass* runtimeClass, CObject* object);

// Base of the exceptions that the class library throws by pointer; the catcher calls Delete().
class CException : public CObject {
public:
    virtual BOOL GetErrorMessage(LPTSTR text, UINT maxLength, PUINT helpContext = nullptr) const;
    void Delete() { delete this; }
};

class CFileException : public CException {
public:
    explicit CFileException(DWORD osError, LPCTSTR fileName = nullptr)
        : m_lOsError((LONG)osError), m_strFileName(fileName) {}
    BOOL GetErrorMessage(LPTSTR text, UINT maxLength, PUINT helpContext = nullptr) const override;

    LONG m_lOsError;
    CString m_strFileName;
};

// A file on disk through a Win32 handle. Read and Write throw CFileException* on failure.
class CFile : public CObject {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoTruncate = 0x10000,
        modeCreate = 0x1000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition { begin = FILE_BEGIN, current = FILE_CURRENT, end = FILE_END };

    CFile() = default;
    CFile(LPCTSTR fileName, UINT openFlags);
    ~CFile() override;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    virtual BOOL Open(LPCTSTR fileName, UINT openFlags, CFileException* error = nullptr);
    virtual UINT Read(void* buffer, UINT count);
    virtual void Write(const void* buffer, UINT count);
    virtual ULONGLONG Seek(LONGLONG offset, UINT from);
    virtual ULONGLONG GetLength() const;
    virtual ULONGLONG GetPosition() const;
    virtual void SetLength(ULONGLONG length);
    virtual void Flush();
    virtual void Close();
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    CString GetFilePath() const { return m_strFileName; }
    HANDLE m_hFile = INVALID_HANDLE_VALUE;

protected:
    CString m_strFileName;
};

// A file read and written as text lines.
class CStdioFile : public CFile {
public:
    using CFile::CFile;
    // Reads one line without its line end; false at the end of the file.
    virtual BOOL ReadString(CString& line);
};

#pragma once
// An open file handle, closed once: when it goes or on Close, which reports
// whether the system took the close (the last writes may fail there).

#include <windows.h>

class CFileHandle {
public:
    explicit CFileHandle(HANDLE handle) : handle(handle) {}
    ~CFileHandle() { Close(); }
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;
    bool Valid() const { return handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle; }
    bool Close()
    {
        if (!Valid())
            return true;
        BOOL closed = CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
        return closed != FALSE;
    }

private:
    HANDLE handle;
};

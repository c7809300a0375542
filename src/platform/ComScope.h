#pragma once
// COM for the calling thread while an operation uses it, and the interface
// pointers it hands out. Windows build only.

#include <windows.h>
#include <ole2.h>

// A thread already in another apartment can still create in-process objects,
// but must not be uninitialised by us.
class CComScope {
public:
    // Apartment-threaded; OLE1's DDE, which needs a message-only window of
    // its own, is not wanted.
    CComScope() : result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~CComScope()
    {
        if (SUCCEEDED(result))
            CoUninitialize();
    }
    CComScope(const CComScope&) = delete;
    CComScope& operator=(const CComScope&) = delete;
    bool Usable() const { return SUCCEEDED(result) || result == RPC_E_CHANGED_MODE; }

private:
    HRESULT result;
};

template <class T>
class CComHolder {
public:
    CComHolder() = default;
    ~CComHolder()
    {
        if (object)
            object->Release();
    }
    CComHolder(const CComHolder&) = delete;
    CComHolder& operator=(const CComHolder&) = delete;
    T* operator->() const { return object; }
    T* Get() const { return object; }
    explicit operator bool() const { return object != nullptr; }
    // For a call that hands out a new reference; drops any held one first.
    T** Put()
    {
        if (object)
            object->Release();
        object = nullptr;
        return &object;
    }
    void** Out() { return reinterpret_cast<void**>(Put()); }

private:
    T* object = nullptr;
};

// A BSTR that frees itself; a null one reads as empty text, as COM means it.
class CBstr {
public:
    CBstr() = default;
    explicit CBstr(const wchar_t* text) : text(SysAllocString(text)) {}
    ~CBstr() { SysFreeString(text); }
    CBstr(const CBstr&) = delete;
    CBstr& operator=(const CBstr&) = delete;
    BSTR Get() const { return text; }
    BSTR* Put()
    {
        SysFreeString(text);
        text = nullptr;
        return &text;
    }
    const wchar_t* Text() const { return text ? text : L""; }

private:
    BSTR text = nullptr;
};

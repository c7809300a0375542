#pragma once
// Owners of handles that must be freed: each frees its handle once, when it
// goes or takes another.

#include <windows.h>
#include <commctrl.h>

#include <utility>

template <typename Handle, BOOL(WINAPI* Free)(Handle)>
class CHandleHolder {
public:
    CHandleHolder() = default;
    explicit CHandleHolder(Handle handle) : handle(handle) {}
    ~CHandleHolder() { Reset(); }
    CHandleHolder(const CHandleHolder&) = delete;
    CHandleHolder& operator=(const CHandleHolder&) = delete;
    CHandleHolder(CHandleHolder&& other) noexcept : handle(std::exchange(other.handle, nullptr)) {}
    CHandleHolder& operator=(CHandleHolder&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.handle, nullptr));
        return *this;
    }

    Handle Get() const { return handle; }
    operator Handle() const { return handle; }
    explicit operator bool() const { return handle != nullptr; }
    // Gives the handle up without freeing it, to an owner that frees it.
    Handle Release() { return std::exchange(handle, nullptr); }
    void Reset(Handle other = nullptr)
    {
        if (handle)
            Free(handle);
        handle = other;
    }

private:
    Handle handle = nullptr;
};

inline BOOL WINAPI FreeGdiObject(HGDIOBJ object)
{
    return DeleteObject(object);
}

using CIconHolder = CHandleHolder<HICON, DestroyIcon>;
using CMenuHolder = CHandleHolder<HMENU, DestroyMenu>;
using CImageListHolder = CHandleHolder<HIMAGELIST, ImageList_Destroy>;
using CGdiObjectHolder = CHandleHolder<HGDIOBJ, FreeGdiObject>;
using CKernelHandleHolder = CHandleHolder<HANDLE, CloseHandle>;

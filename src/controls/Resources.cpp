#include "controls/Resources.h"

#include "controls/DpiScale.h"
#include "platform/WideText.h"

#include "resource.h"

#include <commctrl.h>

namespace {

HINSTANCE Module()
{
    return GetModuleHandleW(nullptr);
}

HICON LoadIconImage(int id, int size)
{
    return static_cast<HICON>(
        LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace

std::optional<std::u16string> LoadResourceString(UINT id)
{
    // With no room given, the call points into the loaded table itself.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(Module(), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text)
        return std::nullopt;
    return FromWide(text, static_cast<std::size_t>(length));
}

std::vector<WORD> LoadToolBarButtons(int id)
{
    // Version 1, picture width, picture height, count, then the IDs.
    HRSRC found = FindResourceW(Module(), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(RT_TOOLBAR_TYPE));
    HGLOBAL loaded = found ? LoadResource(Module(), found) : nullptr;
    const auto* words = loaded ? static_cast<const WORD*>(LockResource(loaded)) : nullptr;
    const DWORD size = found ? SizeofResource(Module(), found) : 0;
    if (!words || size < 8 || words[0] != 1 || size < 8 + 2u * words[3])
        return {};
    return std::vector<WORD>(words + 4, words + 4 + words[3]);
}

CImageListHolder LoadPictureStrip(int firstStrip, int size)
{
    const int strip = firstStrip + static_cast<int>(NearestDrawnSizeIndex(size));
    CImageListHolder images(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 8, 0));
    CGdiObjectHolder bitmap(LoadBitmapW(Module(), MAKEINTRESOURCEW(strip)));
    if (images && bitmap)
        ImageList_AddMasked(images, static_cast<HBITMAP>(bitmap.Get()), RGB(255, 255, 255));
    return images;
}

CIconHolder LoadDrawnIcon(int id, int wanted)
{
    return CIconHolder(LoadIconImage(id, NearestDrawnSize(wanted)));
}

CIconHolder LoadIconAtSize(int id, int size)
{
    // Only the common controls of version 6 scale down; without them the
    // system stretches the nearest drawing.
    using ScaleDown = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
    static const ScaleDown scaleDown = []() -> ScaleDown {
        HMODULE controls = GetModuleHandleW(L"comctl32.dll");
        if (!controls)
            return nullptr;
        return reinterpret_cast<ScaleDown>(reinterpret_cast<void*>(GetProcAddress(controls, "LoadIconWithScaleDown")));
    }();
    HICON icon = nullptr;
    if (!scaleDown || FAILED(scaleDown(Module(), MAKEINTRESOURCEW(id), size, size, &icon)))
        icon = LoadIconImage(id, size);
    return CIconHolder(icon);
}

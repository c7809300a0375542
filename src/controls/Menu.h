#pragma once
// A menu handle and the by-position calls the quick menus need; it owns
// nothing (CMenuHolder owns).

#include <windows.h>

#include <string>

class CMenu {
public:
    CMenu() = default;
    explicit CMenu(HMENU menu) : menu(menu) {}
    HMENU Handle() const { return menu; }
    explicit operator bool() const { return menu != nullptr; }

    int Count() const { return GetMenuItemCount(menu); }
    CMenu SubMenu(int position) const { return CMenu(GetSubMenu(menu, position)); }

    // The text of the item at a position, up to `limit` characters.
    std::u16string ItemText(int position, int limit = 256) const
    {
        std::wstring text(static_cast<std::size_t>(limit) + 1, L'\0');
        int length = GetMenuStringW(menu, static_cast<UINT>(position), text.data(), limit + 1, MF_BYPOSITION);
        text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
        return std::u16string(text.begin(), text.end());
    }
    bool Append(unsigned id, const std::u16string& text) const
    {
        return AppendMenuW(menu, MF_STRING, id, W(text)) != FALSE;
    }
    bool AppendSeparator() const { return AppendMenuW(menu, MF_SEPARATOR, 0, nullptr) != FALSE; }
    bool InsertItem(int position, unsigned id, const std::u16string& text) const
    {
        return InsertMenuW(menu, static_cast<UINT>(position), MF_BYPOSITION | MF_STRING, id, W(text)) != FALSE;
    }
    // The menu then owns `popup` and destroys it with itself.
    bool InsertPopup(int position, HMENU popup, const std::u16string& text) const
    {
        return InsertMenuW(menu, static_cast<UINT>(position), MF_BYPOSITION | MF_POPUP | MF_STRING,
                           reinterpret_cast<UINT_PTR>(popup), W(text)) != FALSE;
    }
    // Takes the item out; a pop-up taken out is the caller's to destroy.
    bool Remove(int position) const { return RemoveMenu(menu, static_cast<UINT>(position), MF_BYPOSITION) != FALSE; }
    void GreyAt(int position) const { EnableMenuItem(menu, static_cast<UINT>(position), MF_BYPOSITION | MF_GRAYED); }
    void EnableCommand(unsigned id, bool on) const
    {
        EnableMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    }
    bool Track(HWND owner, POINT at) const
    {
        return TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr) != FALSE;
    }

private:
    static const wchar_t* W(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

    HMENU menu = nullptr;
};

#pragma once
// The tooltip of a list: one tool over the whole client area whose id names
// the cell under the mouse, so that a new cell starts its tip afresh. The
// list relays its mouse messages and answers the tooltip's text requests.

#include <windows.h>
#include <commctrl.h>

#include <string>

class CListTip {
public:
    CListTip() = default;
    ~CListTip() { Destroy(); }
    CListTip(const CListTip&) = delete;
    CListTip& operator=(const CListTip&) = delete;

    // A tooltip owned by `list`; it goes with the list or with Destroy.
    void Create(HWND list);
    void Destroy();
    HWND Window() const { return tip; }
    explicit operator bool() const { return tip != nullptr; }

    void Activate(bool on);
    // Relays a mouse message of the list; `cell` is the tool under the mouse,
    // -1 for none.
    void Relay(UINT message, WPARAM w, LPARAM l, int cell);
    void DropTool();
    // The list's client area changed: the tool covers it again.
    void FitTool();

    bool IsFrom(const NMHDR* header) const { return tip != nullptr && header != nullptr && header->hwndFrom == tip; }
    // Answers a text request of this tooltip with `text`; null shows none.
    void Answer(NMHDR* request, const wchar_t* text, int maxWidth, int showTime);

private:
    TTTOOLINFOW Tool(int id) const;

    HWND list = nullptr;
    HWND tip = nullptr;
    int tool = -1;  // the tool the tooltip has now
    std::string ansiText;
};

#pragma once
// The dynamic items of the tray menu and of the "选项(&O)" menu: which adapter
// and profile items go where, with which IDs, as plain data that the window
// code renders; and what a click on one of them means.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// One item of a pop-up sub-menu.
struct MenuEntry {
    unsigned id = 0;
    std::u16string text;
};

// An item inserted by position. With a non-empty `popup` it is a sub-menu
// (`id` unused); otherwise a plain item with `id`, greyed when `greyed`.
struct QuickMenuItem {
    int position = 0;
    std::u16string text;
    unsigned id = 0;
    bool greyed = false;
    std::vector<MenuEntry> popup;
};

// Items in insertion order: positions count the items already inserted.
//
// The previous build's items are still in the menus and the window code must
// take them out, each only when the text at that position (up to 256
// characters, compared exactly) is the one given, in this order:
//   tray 4 "启用网络", tray 3 "禁用网络", options 3 "启用网络",
//   options 2 "禁用网络"; then insert the adapter items; then remove tray 6
//   "应用配置" and insert the apply item.
// Equivalently, before inserting each item of a menu, in order, remove the
// item at its position when that item's text equals its own. The menus of a
// removed pop-up are then destroyed; the new ones are owned by the menu.
struct QuickMenus {
    std::vector<QuickMenuItem> tray;     // "禁用网络" 3, "启用网络" 4, "应用配置" 6
    std::vector<QuickMenuItem> options;  // "禁用网络" 2, "启用网络" 3
};

inline constexpr std::size_t kQuickMenuMaxAdapters = 20;
inline constexpr std::size_t kQuickMenuMaxRows = 500;

// adapterNames: the inventory's connection names in order; rowNames: the
// profile list's names (column 2) in row order.
QuickMenus BuildQuickMenus(const std::vector<std::u16string>& adapterNames,
                           const std::vector<std::u16string>& rowNames);

// What a click on an adapter item asks for: adapter `index` of the current
// inventory, mode 0 disable or 1 enable (the modes of SetAdapterEnabled).
struct AdapterItemAction {
    std::size_t index = 0;
    int mode = 0;
};

// Nothing for an ID outside the enable and disable ranges, or when the
// inventory has shrunk below the adapter since the menu was built.
std::optional<AdapterItemAction> OnAdapterItem(unsigned id, std::size_t adapterCount);

// The message shown after SetAdapterEnabled (caption "Lanvoy", no icon).
std::u16string AdapterItemResultText(int mode, bool succeeded);

// The profile-list row that an apply item stands for; nothing outside the range.
std::optional<int> OnApplyItem(unsigned id);

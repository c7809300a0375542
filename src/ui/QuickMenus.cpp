#include "ui/QuickMenus.h"

#include "resource.h"

#include <algorithm>

namespace {

constexpr char16_t kDisableText[] = u"禁用网络";
constexpr char16_t kEnableText[] = u"启用网络";
constexpr char16_t kApplyText[] = u"应用配置";

// Tray positions count the resource's items: "打开主界面", "查看当前IP...",
// separator, then the adapter items; the apply item follows one separator.
constexpr int kTrayDisablePos = 3;
constexpr int kTrayEnablePos = 4;
constexpr int kTrayApplyPos = 6;
// In "选项(&O)" the adapter items sit between its two separators.
constexpr int kOptionsDisablePos = 2;
constexpr int kOptionsEnablePos = 3;

QuickMenuItem PopupItem(int position, const char16_t* text, std::vector<MenuEntry> entries)
{
    QuickMenuItem item;
    item.position = position;
    item.text = text;
    item.popup = std::move(entries);
    return item;
}

QuickMenuItem GreyedItem(int position, const char16_t* text, unsigned id)
{
    QuickMenuItem item;
    item.position = position;
    item.text = text;
    item.id = id;
    item.greyed = true;
    return item;
}

// The first `limit` names, numbered from `firstId`.
std::vector<MenuEntry> Numbered(const std::vector<std::u16string>& names, std::size_t limit, unsigned firstId)
{
    std::vector<MenuEntry> entries;
    const std::size_t count = std::min(names.size(), limit);
    entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        entries.push_back({firstId + static_cast<unsigned>(i), names[i]});
    return entries;
}

}  // namespace

QuickMenus BuildQuickMenus(const std::vector<std::u16string>& adapterNames,
                           const std::vector<std::u16string>& rowNames)
{
    QuickMenus menus;

    // The tray and "选项(&O)" show the same adapter entries.
    std::vector<MenuEntry> enable = Numbered(adapterNames, kQuickMenuMaxAdapters, ID_ENABLE_FIRST);
    std::vector<MenuEntry> disable = Numbered(adapterNames, kQuickMenuMaxAdapters, ID_DISABLE_FIRST);
    if (!enable.empty()) {
        menus.tray.push_back(PopupItem(kTrayDisablePos, kDisableText, disable));
        menus.tray.push_back(PopupItem(kTrayEnablePos, kEnableText, enable));
        menus.options.push_back(PopupItem(kOptionsDisablePos, kDisableText, std::move(disable)));
        menus.options.push_back(PopupItem(kOptionsEnablePos, kEnableText, std::move(enable)));
    } else {
        menus.tray.push_back(GreyedItem(kTrayDisablePos, kDisableText, ID_TRAY_DISABLE_NONE));
        menus.tray.push_back(GreyedItem(kTrayEnablePos, kEnableText, ID_TRAY_ENABLE_NONE));
        menus.options.push_back(GreyedItem(kOptionsDisablePos, kDisableText, ID_OPTIONS_DISABLE_NONE));
        menus.options.push_back(GreyedItem(kOptionsEnablePos, kEnableText, ID_OPTIONS_ENABLE_NONE));
    }

    std::vector<MenuEntry> apply = Numbered(rowNames, kQuickMenuMaxRows, ID_APPLY_FIRST);
    if (!apply.empty())
        menus.tray.push_back(PopupItem(kTrayApplyPos, kApplyText, std::move(apply)));
    else
        menus.tray.push_back(GreyedItem(kTrayApplyPos, kApplyText, ID_TRAY_APPLY_NONE));
    return menus;
}

std::optional<AdapterItemAction> OnAdapterItem(unsigned id, std::size_t adapterCount)
{
    AdapterItemAction action;
    if (id >= ID_DISABLE_FIRST && id <= ID_DISABLE_LAST) {
        action = {id - ID_DISABLE_FIRST, 0};
    } else if (id >= ID_ENABLE_FIRST && id <= ID_ENABLE_LAST) {
        action = {id - ID_ENABLE_FIRST, 1};
    } else {
        return std::nullopt;
    }
    // The inventory may have changed since the menu was built.
    if (action.index >= adapterCount)
        return std::nullopt;
    return action;
}

std::u16string AdapterItemResultText(int mode, bool succeeded)
{
    if (mode == 0)
        return succeeded ? u"禁用网络成功！" : u"禁用网络失败！";
    return succeeded ? u"启用网络成功！" : u"启用网络失败！";
}

std::optional<int> OnApplyItem(unsigned id)
{
    if (id < ID_APPLY_FIRST || id > ID_APPLY_LAST)
        return std::nullopt;
    return static_cast<int>(id - ID_APPLY_FIRST);
}

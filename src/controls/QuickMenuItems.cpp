#include "controls/QuickMenuItems.h"

#include "controls/Handles.h"

void PutQuickItems(CMenu menu, const std::vector<QuickMenuItem>& items)
{
    for (const QuickMenuItem& item : items) {
        if (menu.ItemText(item.position) == item.text) {
            HMENU old = GetSubMenu(menu.Handle(), item.position);
            menu.Remove(item.position);
            if (old)
                DestroyMenu(old);
        }
        if (!item.popup.empty()) {
            CMenuHolder popup(CreatePopupMenu());
            for (const MenuEntry& entry : item.popup)
                CMenu(popup).Append(entry.id, entry.text);
            if (menu.InsertPopup(item.position, popup, item.text))
                popup.Release();
        } else {
            menu.InsertItem(item.position, item.id, item.text);
            if (item.greyed)
                menu.GreyAt(item.position);
        }
    }
}

#pragma once
// Puts the quick menus' built items (tray and "选项(&O)") into a menu.

#include "controls/Menu.h"
#include "ui/QuickMenus.h"

#include <vector>

// Each item replaces the previous build's item at its position when that one
// has the same text; a replaced pop-up's menu is destroyed.
void PutQuickItems(CMenu menu, const std::vector<QuickMenuItem>& items);

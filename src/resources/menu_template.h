#pragma once

#include <string>
#include <vector>

// Menus as data: menu bars and popup menus, built into Qt menus by the
// dialog builder (widgets/menu_builder.h).

namespace vellanor::res {

struct MenuItem {
  int command = 0;              // 0 for a popup or a separator
  std::string text;             // UTF-8, '&' marks the mnemonic
  std::vector<MenuItem> items;  // the entries of a popup
  bool separator = false;

  bool IsPopup() const { return !items.empty(); }
};

struct MenuTemplate {
  int id = 0;
  std::vector<MenuItem> items;  // the top-level popups
};

// The menu with this number; a wrong number is a programming error and aborts.
const MenuTemplate& MenuTemplateById(int menuId);
bool HasMenuTemplate(int menuId);

}  // namespace vellanor::res

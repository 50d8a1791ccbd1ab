#pragma once

#include <functional>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "resources/menu_template.h"

// Builds Qt menus from the menus of the resource script. Every command
// becomes a QAction whose data() is the command ID and whose status tip is
// the command's prompt from the string table.

namespace vellanor::widgets {

using CommandHandler = std::function<void(int command)>;

// A menu bar with the template's popups; each command calls `onCommand`.
QMenuBar* BuildMenuBar(const res::MenuTemplate& menu, QWidget* parent,
                       const CommandHandler& onCommand);
// A stand-alone popup from the template's popup `popupIndex` (a context
// menu); nullptr when there is no such popup.
QMenu* BuildPopupMenu(const res::MenuTemplate& menu, int popupIndex, QWidget* parent,
                      const CommandHandler& onCommand);
// The action of a command anywhere inside a menu or menu bar, or nullptr.
QAction* FindCommandAction(const QWidget* menuOrBar, int command);

}  // namespace vellanor::widgets

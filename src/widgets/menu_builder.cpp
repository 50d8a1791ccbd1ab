#include "widgets/menu_builder.h"

#include <QApplication>

#include "resources/string_table.h"

namespace vellanor::widgets {
namespace {

void FillMenu(QMenu* menu, const res::MenuItem& popup, const CommandHandler& onCommand) {
  for (const res::MenuItem& item : popup.items) {
    if (item.separator) {
      menu->addSeparator();
    } else if (item.IsPopup()) {
      QMenu* sub = menu->addMenu(QString::fromStdString(item.text));
      FillMenu(sub, item, onCommand);
    } else {
      QAction* action = menu->addAction(QString::fromStdString(item.text));
      const int command = item.command;
      action->setData(command);
      action->setStatusTip(res::StringById(command));
      QObject::connect(action, &QAction::triggered, menu, [onCommand, command] {
        if (onCommand) {
          onCommand(command);
        }
      });
    }
  }
}

}  // namespace

QMenuBar* BuildMenuBar(const res::MenuTemplate& menu, QWidget* parent,
                       const CommandHandler& onCommand) {
  auto* bar = new QMenuBar(parent);
  // Menus use the desktop's menu font, not the dialog's.
  bar->setFont(QApplication::font(bar));
  for (const res::MenuItem& popup : menu.items) {
    QMenu* sub = bar->addMenu(QString::fromStdString(popup.text));
    sub->setFont(QApplication::font(sub));
    FillMenu(sub, popup, onCommand);
  }
  return bar;
}

QMenu* BuildPopupMenu(const res::MenuTemplate& menu, int popupIndex, QWidget* parent,
                      const CommandHandler& onCommand) {
  if (popupIndex < 0 || popupIndex >= static_cast<int>(menu.items.size())) {
    return nullptr;
  }
  const res::MenuItem& popup = menu.items[static_cast<std::size_t>(popupIndex)];
  auto* result = new QMenu(QString::fromStdString(popup.text), parent);
  result->setFont(QApplication::font(result));
  FillMenu(result, popup, onCommand);
  return result;
}

QAction* FindCommandAction(const QWidget* menuOrBar, int command) {
  if (menuOrBar == nullptr) {
    return nullptr;
  }
  for (QAction* action : menuOrBar->actions()) {
    if (action->menu() != nullptr) {
      if (QAction* found = FindCommandAction(action->menu(), command)) {
        return found;
      }
    } else if (!action->isSeparator() && action->data().isValid() &&
               action->data().toInt() == command) {
      return action;
    }
  }
  return nullptr;
}

}  // namespace vellanor::widgets

#include "platform/qt_message_service.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QString>

namespace vellanor::platform {
namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Stop:
      return QMessageBox::Critical;
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

MessageAnswer QtMessageService::Show(const std::string& text, const std::string& caption,
                                     MessageIcon icon, MessageButtons buttons) {
  QMessageBox box(ToQtIcon(icon), QString::fromStdString(caption), QString::fromStdString(text),
                  QMessageBox::NoButton, QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  if (buttons != MessageButtons::Ok) {
    QPushButton* yes = box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
    QPushButton* yesToAll = nullptr;
    QPushButton* noToAll = nullptr;
    if (buttons == MessageButtons::YesNoAll) {
      yesToAll = box.addButton(QStringLiteral("Oui pour &tous"), QMessageBox::YesRole);
    }
    QPushButton* no = box.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
    if (buttons == MessageButtons::YesNoAll) {
      noToAll = box.addButton(QStringLiteral("Non pour t&ous"), QMessageBox::NoRole);
    }
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    if (clicked == yes) {
      return MessageAnswer::Yes;
    }
    if (clicked != nullptr && clicked == yesToAll) {
      return MessageAnswer::YesToAll;
    }
    if (clicked != nullptr && clicked == noToAll) {
      return MessageAnswer::NoToAll;
    }
    return MessageAnswer::No;
  }
  QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  box.exec();
  return MessageAnswer::Ok;
}

}  // namespace vellanor::platform

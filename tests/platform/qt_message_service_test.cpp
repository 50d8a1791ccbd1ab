#include "platform/qt_message_service.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace vellanor::platform {
namespace {

// Answers the box that Show opens by pressing `key` on it, or by clicking
// the button whose text is `buttonText`.
MessageAnswer AnswerWith(MessageButtons buttons, Qt::Key key, const QString& buttonText = {}) {
  QTimer::singleShot(0, [key, buttonText] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    if (buttonText.isEmpty()) {
      QTest::keyClick(box, key);
      return;
    }
    for (QAbstractButton* button : box->buttons()) {
      if (button->text() == buttonText) {
        button->click();
      }
    }
  });
  QtMessageService messages;
  return messages.Show("Question ?", "Attention", MessageIcon::Question, buttons);
}

TEST(QtMessageServiceTest, EnterAndEscapeAnswerNoAndTheAllButtonsSayWhich) {
  EXPECT_EQ(AnswerWith(MessageButtons::YesNo, Qt::Key_Return), MessageAnswer::No);
  EXPECT_EQ(AnswerWith(MessageButtons::YesNo, Qt::Key_Escape), MessageAnswer::No);
  EXPECT_EQ(AnswerWith(MessageButtons::YesNoAll, Qt::Key_Return), MessageAnswer::No);
  EXPECT_EQ(AnswerWith(MessageButtons::YesNo, Qt::Key_unknown, "&Oui"), MessageAnswer::Yes);
  EXPECT_EQ(AnswerWith(MessageButtons::YesNoAll, Qt::Key_unknown, "Oui pour &tous"),
            MessageAnswer::YesToAll);
  EXPECT_EQ(AnswerWith(MessageButtons::YesNoAll, Qt::Key_unknown, "Non pour t&ous"),
            MessageAnswer::NoToAll);
}

}  // namespace
}  // namespace vellanor::platform

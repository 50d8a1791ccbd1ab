#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QLabel>
#include <QTableView>
#include <QTest>
#include <QTextCharFormat>
#include <QToolButton>

#include "support/fake_services.h"
#include "widgets/about_box_dlg.h"
#include "widgets/calendar_dlg.h"
#include "widgets/icon_button.h"
#include "widgets/link_label.h"

namespace vellanor::widgets {
namespace {

QStringList Texts(const TemplateDialog& dialog) {
  QStringList texts;
  for (const QLabel* label : dialog.ClientArea()->findChildren<QLabel*>()) {
    texts << label->text();
  }
  return texts;
}

TEST(AboutBoxTest, ShowsTheVersionAndAnUnderlinedMailLink) {
  test::FakeServices services;
  CAboutBoxDlg about(services.Get(), nullptr, 1.0);
  EXPECT_EQ(about.windowTitle(), "A propos de Vellanor");
  EXPECT_TRUE(Texts(about).contains("Vellanor version 2.0"));
  EXPECT_TRUE(Texts(about).contains("Carnet de notes du professeur"));

  LinkLabel& link = about.Link();
  EXPECT_EQ(link.text(), "Email");
  EXPECT_TRUE(link.LinkTarget().startsWith("mailto:"));
  EXPECT_EQ(link.toolTip(), link.LinkTarget());
  EXPECT_TRUE(link.IsUnderlined());
  EXPECT_EQ(link.TextColor(), QColor(0, 0, 238));
  EXPECT_FALSE(link.IsVisited());

  EXPECT_EQ(about.OkButton().text(), "OK");
  EXPECT_EQ(about.OkButton().IconId(), 183);
  EXPECT_EQ(about.OkButton().TooltipText(), "Retourne vers l'application");

  // The link writes to the project through the desktop's mail program.
  link.OnClicked();
  EXPECT_EQ(services.launcher.openedUrls,
            std::vector<std::string>{"mailto:vellanor@example.org?subject=Vellanor%202.0"});
  EXPECT_TRUE(link.IsVisited());

  about.show();
  QTest::keyClick(&about, Qt::Key_Escape);
  EXPECT_EQ(about.result(), QDialog::Rejected);
  EXPECT_FALSE(about.isVisible());
}

TEST(CalendarTest, OpensOnTheClocksDateInFrenchAndEnterOrEscapeCloseIt) {
  test::FakeServices services;
  CCalendarDlg calendar(services.clock, nullptr, 1.0);
  EXPECT_EQ(calendar.windowTitle(), "Calendrier");
  QCalendarWidget& month = calendar.Calendar();
  EXPECT_EQ(month.selectedDate(), QDate(2026, 12, 7));
  EXPECT_EQ(month.monthShown(), 12);
  EXPECT_EQ(month.yearShown(), 2026);
  EXPECT_EQ(month.firstDayOfWeek(), Qt::Monday);
  auto* monthButton = month.findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
  ASSERT_NE(monthButton, nullptr);
  EXPECT_EQ(monthButton->text(), "décembre");
  auto* grid = month.findChild<QTableView*>();
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->model()->index(0, 0).data().toString(), "lun.");
  EXPECT_EQ(grid->model()->index(0, 6).data().toString(), "dim.");
  // Today is marked, and nothing is bold.
  EXPECT_NE(month.dateTextFormat(QDate(2026, 12, 7)).background(), QBrush());
  for (int column = 0; column < 7; ++column) {
    for (int row = 0; row < 7; ++row) {
      EXPECT_FALSE(grid->model()->index(row, column).data(Qt::FontRole).value<QFont>().bold())
          << row << "," << column;
    }
  }
  EXPECT_EQ(calendar.QuitButton().text(), "Quitter");
  EXPECT_EQ(calendar.QuitButton().IconId(), 189);
  EXPECT_EQ(calendar.QuitButton().TooltipText(), "Retourne vers l'application");

  // Enter on the day grid closes the dialog like "Quitter".
  calendar.show();
  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_Right);
  EXPECT_EQ(month.selectedDate(), QDate(2026, 12, 8));
  QTest::keyClick(grid, Qt::Key_Return);
  EXPECT_EQ(calendar.result(), QDialog::Accepted);
  EXPECT_FALSE(calendar.isVisible());

  // Each opening is a new dialog on the clock's day.
  services.clock.Set(std::chrono::year{2027} / 3 / 15);
  CCalendarDlg again(services.clock, nullptr, 1.0);
  EXPECT_EQ(again.Calendar().selectedDate(), QDate(2027, 3, 15));
  again.show();
  QTest::keyClick(again.Calendar().findChild<QTableView*>(), Qt::Key_Escape);
  EXPECT_EQ(again.result(), QDialog::Rejected);
}

}  // namespace
}  // namespace vellanor::widgets

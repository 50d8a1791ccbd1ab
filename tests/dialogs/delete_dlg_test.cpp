#include "dialogs/delete_dlg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "record_fixtures.h"
#include "support/temp_dir.h"
#include "widgets/icon_button.h"

namespace vellanor {
namespace {

using platform::MessageIcon;
using test::FakeMainWindow;

struct DeleteDialog {
  explicit DeleteDialog(FakeMainWindow& main) : dialog(main, 1.0) {}

  QComboBox& ClassList() { return dialog.Bind<QComboBox>(1023); }
  QComboBox& StudentList() { return dialog.Bind<QComboBox>(1024); }
  QRadioButton& ClassRadio() { return dialog.Bind<QRadioButton>(1021); }
  QRadioButton& StudentRadio() { return dialog.Bind<QRadioButton>(1022); }
  std::vector<QString> Entries(QComboBox& list) {
    std::vector<QString> entries;
    for (int i = 0; i < list.count(); ++i) {
      entries.push_back(list.itemText(i));
    }
    return entries;
  }
  void Validate() { dialog.Bind<QPushButton>(1).click(); }

  CDeleteDlg dialog;
};

std::vector<std::string> Names(const Gradebook& book) {
  std::vector<std::string> names;
  for (const ClassRecord& record : book.classes) {
    names.push_back(record.name.Str());
  }
  return names;
}

TEST(DeleteDlgTest, DeletingTheOnlyClassLeavesAnEmptyDatabaseAndCloses) {
  FakeMainWindow main;
  test::Prepare(main, {test::FourthB()});
  DeleteDialog d(main);
  d.dialog.show();
  EXPECT_TRUE(d.ClassRadio().isChecked());
  EXPECT_EQ(d.Entries(d.ClassList()), (std::vector<QString>{"4e B (2004 - 2005)"}));
  EXPECT_EQ(d.Entries(d.StudentList()), (std::vector<QString>{"Martin, Julie", "Durand, Paul"}));
  EXPECT_EQ(d.StudentList().currentIndex(), 0);

  d.Validate();
  EXPECT_TRUE(main.book.classes.empty());
  ASSERT_EQ(main.services.messages.shown.size(), 1u);
  EXPECT_EQ(main.services.messages.shown[0].text, "Classe éffacée...");
  EXPECT_EQ(main.services.messages.shown[0].caption, "Information");
  EXPECT_EQ(main.services.messages.shown[0].icon, MessageIcon::Information);
  EXPECT_EQ(main.saves, 1);
  EXPECT_EQ(main.rebuilds, 1);
  EXPECT_FALSE(d.dialog.isVisible());
  EXPECT_EQ(test::ReadBytes("Vellanor.db"),
            (std::vector<unsigned char>{0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00}));
  EXPECT_TRUE(test::OnDisk().classes.empty());
}

TEST(DeleteDlgTest, DeletingALaterClassKeepsTheOrderAndRefillsTheLists) {
  FakeMainWindow main;
  test::Prepare(main, {test::FourthB(), test::Classroom("6e A", "2005 - 2006"),
                       test::Classroom("3e C", "2005 - 2006")});
  DeleteDialog d(main);
  d.dialog.show();
  d.ClassList().setCurrentIndex(1);
  EXPECT_TRUE(d.StudentList().count() == 0);  // 6e A has no students

  d.Validate();
  EXPECT_EQ(Names(main.book), (std::vector<std::string>{"4e B", "3e C"}));
  EXPECT_EQ(Names(test::OnDisk()), (std::vector<std::string>{"4e B", "3e C"}));
  EXPECT_TRUE(d.dialog.isVisible());
  EXPECT_EQ(d.Entries(d.ClassList()),
            (std::vector<QString>{"4e B (2004 - 2005)", "3e C (2005 - 2006)"}));
  EXPECT_EQ(d.ClassList().currentIndex(), 0);
  EXPECT_EQ(d.Entries(d.StudentList()), (std::vector<QString>{"Martin, Julie", "Durand, Paul"}));
  EXPECT_EQ(d.StudentList().currentIndex(), 0);
  EXPECT_TRUE(d.ClassRadio().isChecked());
}

TEST(DeleteDlgTest, DeletingAStudentRecomputesTheClass) {
  FakeMainWindow main;
  test::Prepare(main, {test::Classroom("6e A", "2005 - 2006"), test::FourthB()});
  DeleteDialog d(main);
  d.dialog.show();
  d.ClassList().setCurrentIndex(1);
  EXPECT_EQ(d.Entries(d.StudentList()), (std::vector<QString>{"Martin, Julie", "Durand, Paul"}));
  d.StudentRadio().click();
  d.StudentList().setCurrentIndex(1);
  d.Validate();

  const ClassRecord& record = main.book.classes[1];
  ASSERT_EQ(record.students.size(), 1u);
  EXPECT_EQ(record.studentCount, 1);
  EXPECT_EQ(record.students[0].name.Str(), "Martin");
  // Only Julie's marks (10 and 12) count now.
  ASSERT_EQ(record.columns.size(), 2u);
  EXPECT_FLOAT_EQ(record.columns[0].value, 10.0f);
  EXPECT_FLOAT_EQ(record.columns[1].value, 12.0f);
  EXPECT_NEAR(record.average[0], 11.3333f, 1e-4);
  EXPECT_EQ(main.services.messages.Texts(), (std::vector<std::string>{"Eleve éffacé..."}));
  EXPECT_EQ(main.services.messages.shown[0].caption, "Information");
  EXPECT_EQ(main.saves, 1);
  EXPECT_EQ(test::OnDisk(), main.book);
  // The lists start over on the first class; the radio buttons stay.
  EXPECT_EQ(d.ClassList().currentIndex(), 0);
  EXPECT_EQ(d.StudentList().count(), 0);
  EXPECT_TRUE(d.StudentRadio().isChecked());
}

TEST(DeleteDlgTest, EachDeletionIsCopiedFirstOrRefusedWithoutACopy) {
  FakeMainWindow main;
  test::Prepare(main, {test::Classroom("6e A", "2005 - 2006"), test::FourthB()});
  const auto first = test::ReadBytes("Vellanor.db");
  DeleteDialog d(main);
  d.ClassList().setCurrentIndex(1);
  d.StudentRadio().click();
  d.Validate();
  const auto second = test::ReadBytes("Vellanor.db");
  d.ClassRadio().click();
  d.Validate();  // 6e A
  EXPECT_EQ(test::ReadBytes("Sauvegardes/2026-12-07_10h00_suppression-eleve-Martin-Julie.db"),
            first);
  EXPECT_EQ(test::ReadBytes("Sauvegardes/2026-12-07_10h00_suppression-classe-6e-A.db"), second);

  // When no copy can be made and the teacher says No, nothing is deleted.
  std::filesystem::remove_all("Sauvegardes");
  test::WriteBytes("Sauvegardes", {0x00});
  main.services.messages.shown.clear();
  main.saves = 0;
  const Gradebook before = main.book;
  d.Validate();
  EXPECT_EQ(main.book, before);
  EXPECT_EQ(main.saves, 0);
  ASSERT_EQ(main.services.messages.shown.size(), 1u);
  EXPECT_EQ(main.services.messages.shown[0].buttons, platform::MessageButtons::YesNo);
}

TEST(DeleteDlgTest, AStudentOfAnEmptyClassRemovesNothingButWrites) {
  FakeMainWindow main;
  test::Prepare(main, {test::Classroom("6e A", "2005 - 2006"), test::FourthB()});
  const Gradebook before = main.book;
  DeleteDialog d(main);
  d.StudentRadio().click();
  d.Validate();
  EXPECT_EQ(main.book, before);
  EXPECT_TRUE(main.services.messages.shown.empty());
  EXPECT_EQ(main.saves, 1);
  EXPECT_EQ(main.rebuilds, 1);
}

TEST(DeleteDlgTest, QuitRightAwayChangesAndWritesNothing) {
  FakeMainWindow main;
  test::Prepare(main, {test::FourthB()});
  const Gradebook before = main.book;
  const std::vector<unsigned char> bytes = test::ReadBytes("Vellanor.db");
  DeleteDialog d(main);
  d.dialog.show();
  d.dialog.Bind<QPushButton>(2).click();
  EXPECT_FALSE(d.dialog.isVisible());
  EXPECT_EQ(main.book, before);
  EXPECT_EQ(main.saves, 0);
  EXPECT_EQ(main.rebuilds, 0);
  EXPECT_EQ(test::ReadBytes("Vellanor.db"), bytes);
}

// Types over a list's text, then presses and releases "Valider" with a turn
// of the event loop between, as a hand does.
void TypeThenValidate(DeleteDialog& d, QComboBox& list, const char* text) {
  list.setFocus(Qt::MouseFocusReason);
  list.lineEdit()->selectAll();
  QTest::keyClicks(list.lineEdit(), text);
  test::PressThenRelease(&d.dialog.Bind<QPushButton>(1));
}

TEST(DeleteDlgTest, ATypedTextThatNamesNothingDeletesNothing) {
  FakeMainWindow main;
  test::Prepare(main, {test::FourthB(), test::Classroom("6e A", "2005 - 2006")});
  const Gradebook before = main.book;
  DeleteDialog d(main);
  test::ShowActive(d.dialog);

  TypeThenValidate(d, d.ClassList(), "rien");
  EXPECT_EQ(main.book, before);
  EXPECT_TRUE(main.services.messages.shown.empty());
  EXPECT_EQ(main.saves, 0);
  EXPECT_TRUE(d.dialog.isVisible());

  // The class named whole, a student named by nothing.
  d.ClassList().setCurrentIndex(0);
  d.StudentRadio().click();
  TypeThenValidate(d, d.StudentList(), "rien");
  EXPECT_EQ(main.book.classes[0].students.size(), 2u);
  EXPECT_TRUE(main.services.messages.shown.empty());

  // Typing an entry's exact text names that entry.
  TypeThenValidate(d, d.StudentList(), "Durand, Paul");
  ASSERT_EQ(main.book.classes[0].students.size(), 1u);
  EXPECT_EQ(main.book.classes[0].students[0].name.Str(), "Martin");
}

TEST(DeleteDlgTest, WithoutAClassValidateDoesNothing) {
  FakeMainWindow main;
  DeleteDialog d(main);
  d.Validate();
  EXPECT_EQ(main.saves, 0);
  EXPECT_TRUE(main.services.messages.shown.empty());
}

}  // namespace
}  // namespace vellanor

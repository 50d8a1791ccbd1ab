#include "dialogs/new_class_dlg.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "record_fixtures.h"
#include "widgets/icon_button.h"

namespace vellanor {
namespace {

using namespace std::chrono_literals;
using platform::MessageIcon;
using test::FakeMainWindow;

struct NewClassDialog {
  explicit NewClassDialog(FakeMainWindow& main) : dialog(main, 1.0) {}

  QLineEdit& Name() { return dialog.Bind<QLineEdit>(1002); }
  QLineEdit& Info() { return dialog.Bind<QLineEdit>(1003); }
  QComboBox& FirstYear() { return dialog.Bind<QComboBox>(1006); }
  QComboBox& SecondYear() { return dialog.Bind<QComboBox>(1007); }
  void Choose(QComboBox& list, const char* year) {
    const int index = list.findText(year);
    ASSERT_GE(index, 0) << year;
    list.setCurrentIndex(index);
  }
  void Validate() { dialog.Bind<QPushButton>(1).click(); }
  void Quit() { dialog.Bind<QPushButton>(2).click(); }

  CNewClassDlg dialog;
};

TEST(NewClassDlgTest, CreatesTheClassWithTheClockYearsAndSavesOnce) {
  FakeMainWindow main;
  test::Prepare(main, {test::Classroom("5e A", "2004 - 2005")});
  main.services.clock.Set(2005y / 9 / 5);
  NewClassDialog d(main);
  d.dialog.show();

  EXPECT_EQ(d.dialog.windowTitle(), "Nouvelle classe");
  EXPECT_EQ(d.Name().text(), "Nouvelle classe");
  // The lists of 2005: 2003 to 2009 and 2004 to 2009, on 2005 and 2006.
  ASSERT_EQ(d.FirstYear().count(), 7);
  EXPECT_EQ(d.FirstYear().itemText(0), "2003");
  EXPECT_EQ(d.FirstYear().itemText(6), "2009");
  EXPECT_EQ(d.FirstYear().currentText(), "2005");
  ASSERT_EQ(d.SecondYear().count(), 6);
  EXPECT_EQ(d.SecondYear().itemText(0), "2004");
  EXPECT_EQ(d.SecondYear().currentText(), "2006");

  d.Name().setText("6e B");
  d.Validate();

  ASSERT_EQ(main.book.classes.size(), 2u);
  const ClassRecord& created = main.book.classes[1];
  EXPECT_EQ(created.name.Str(), "6e B");
  EXPECT_EQ(created.year.Str(), "2005 - 2006");
  EXPECT_TRUE(created.info.Empty());
  EXPECT_EQ(created.studentCount, 0);
  EXPECT_TRUE(created.students.empty());
  EXPECT_TRUE(created.columns.empty());
  EXPECT_EQ(main.saves, 1);
  EXPECT_EQ(main.rebuilds, 1);
  EXPECT_TRUE(main.services.messages.shown.empty());
  EXPECT_EQ(d.dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(d.dialog.isVisible());
  EXPECT_EQ(test::OnDisk(), main.book);
}

TEST(NewClassDlgTest, ListsAlwaysHoldThisYearAndTheNext) {
  FakeMainWindow main;
  main.services.clock.Set(2026y / 12 / 7);
  NewClassDialog d(main);
  EXPECT_EQ(d.FirstYear().itemText(0), "2003");
  EXPECT_EQ(d.FirstYear().currentText(), "2026");
  EXPECT_EQ(d.FirstYear().itemText(d.FirstYear().count() - 1), "2027");
  EXPECT_EQ(d.SecondYear().itemText(0), "2004");
  EXPECT_EQ(d.SecondYear().currentText(), "2027");
  EXPECT_EQ(d.SecondYear().itemText(d.SecondYear().count() - 1), "2028");
  // Next school year can be prepared in advance.
  d.Choose(d.FirstYear(), "2027");
  d.Choose(d.SecondYear(), "2028");
  d.Name().setText("2nde 4");
  d.Validate();
  ASSERT_EQ(main.book.classes.size(), 1u);
  EXPECT_EQ(main.book.classes[0].year.Str(), "2027 - 2028");

  // Any two listed years, in any order, and the information text. Each
  // window below starts a new gradebook: the file of the one before goes.
  std::filesystem::remove("Vellanor.db");
  FakeMainWindow chosen;
  NewClassDialog c(chosen);
  c.Name().setText("3e C");
  c.Info().setText("Option latin");
  c.Choose(c.FirstYear(), "2003");
  c.Choose(c.SecondYear(), "2009");
  c.Validate();
  ASSERT_EQ(chosen.book.classes.size(), 1u);
  EXPECT_EQ(chosen.book.classes[0].year.Str(), "2003 - 2009");
  EXPECT_EQ(chosen.book.classes[0].info.Str(), "Option latin");

  // Unchanged lists give this school year; 2009 works too.
  for (int year : {2026, 2009, 2010}) {
    std::filesystem::remove("Vellanor.db");
    FakeMainWindow other;
    other.services.clock.Set(std::chrono::year{year} / 6 / 1);
    NewClassDialog again(other);
    again.Validate();
    ASSERT_EQ(other.book.classes.size(), 1u);
    EXPECT_EQ(other.book.classes[0].year.Str(),
              std::to_string(year) + " - " + std::to_string(year + 1));
  }
}

TEST(NewClassDlgTest, EmptyNameKeepsTheDialogOpenAndQuitCreatesNothing) {
  FakeMainWindow main;
  test::Prepare(main, {test::Classroom("5e A", "2004 - 2005")});
  const Gradebook before = main.book;
  NewClassDialog d(main);
  d.dialog.show();
  d.Name().clear();
  d.Info().setText("gardé");
  QTest::keyClick(&d.Name(), Qt::Key_Return);  // Enter validates

  ASSERT_EQ(main.services.messages.shown.size(), 1u);
  const auto& error = main.services.messages.shown[0];
  EXPECT_EQ(error.text, "Le nom de la classe est manquant !");
  EXPECT_EQ(error.caption, "Erreur");
  EXPECT_EQ(error.icon, MessageIcon::Stop);
  EXPECT_TRUE(d.dialog.isVisible());
  EXPECT_EQ(d.Info().text(), QString::fromUtf8("gardé"));
  EXPECT_EQ(main.book, before);

  d.Quit();
  EXPECT_FALSE(d.dialog.isVisible());
  EXPECT_EQ(d.dialog.result(), QDialog::Rejected);
  EXPECT_EQ(main.book, before);
  EXPECT_EQ(main.saves, 0);
  EXPECT_EQ(main.rebuilds, 0);
}

TEST(NewClassDlgTest, TextsAreCutToTheFieldsInWindows1252) {
  FakeMainWindow main;
  NewClassDialog d(main);
  d.Name().setText(QString(40, QLatin1Char('x')));
  d.Info().setText(QString::fromUtf8("Élèves ☺ ") + QString(120, QLatin1Char('i')));
  // A character the file cannot hold is named, and nothing is stored.
  d.Validate();
  EXPECT_TRUE(main.book.classes.empty());
  ASSERT_EQ(main.services.messages.shown.size(), 1u);
  EXPECT_EQ(main.services.messages.shown[0].text,
            "Le champ <Informations> contient des caractères que la base de données ne peut pas "
            "enregistrer : ☺\nCorrigez-le s'il vous plaît.");
  EXPECT_EQ(main.services.messages.shown[0].caption, "Attention");
  EXPECT_EQ(main.saves, 0);

  d.Info().setText(QString::fromUtf8("Élèves € ") + QString(120, QLatin1Char('i')));
  d.Validate();
  ASSERT_EQ(main.book.classes.size(), 1u);
  EXPECT_EQ(main.book.classes[0].name.Str(), std::string(32, 'x'));
  const std::string info = main.book.classes[0].info.Str();
  ASSERT_EQ(info.size(), 100u);
  EXPECT_EQ(info.substr(0, 9), "\xC9l\xE8ves \x80 ");
}

TEST(NewClassDlgTest, RefusedPastTheClassLimit) {
  FakeMainWindow main;
  main.book.classes.resize(32767);
  NewClassDialog d(main);
  d.dialog.show();
  d.Name().setText("Une de trop");
  d.Validate();
  EXPECT_EQ(main.book.classes.size(), 32767u);
  ASSERT_EQ(main.services.messages.shown.size(), 1u);
  EXPECT_EQ(main.services.messages.shown[0].text,
            "Impossible de créer la classe <Une de trop>:\nle nombre de classes est limité à "
            "32767.");
  EXPECT_EQ(main.services.messages.shown[0].caption, "Attention");
  EXPECT_EQ(main.services.messages.shown[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(main.saves, 0);
  EXPECT_TRUE(d.dialog.isVisible());
}

}  // namespace
}  // namespace vellanor

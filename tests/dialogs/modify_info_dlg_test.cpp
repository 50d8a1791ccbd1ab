#include "dialogs/modify_info_dlg.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "record_fixtures.h"
#include "widgets/icon_button.h"
#include "widgets/report_list.h"

namespace vellanor {
namespace {

using test::FakeMainWindow;
using widgets::ReportList;

using Lines = std::vector<std::pair<QString, QString>>;

struct ModifyDialog {
  explicit ModifyDialog(FakeMainWindow& main) : dialog(main, 1.0) { test::ShowActive(dialog); }

  QComboBox& ClassList() { return dialog.Bind<QComboBox>(1034); }
  QComboBox& StudentList() { return dialog.Bind<QComboBox>(1035); }
  QRadioButton& ClassRadio() { return dialog.Bind<QRadioButton>(1029); }
  QRadioButton& StudentRadio() { return dialog.Bind<QRadioButton>(1030); }
  ReportList& List() { return dialog.Bind<ReportList>(1036); }

  Lines Shown() {
    Lines lines;
    for (int row = 0; row < List().rowCount(); ++row) {
      lines.emplace_back(List().ItemText(row, 0), List().ItemText(row, 1));
    }
    return lines;
  }
  QPoint CellCentre(int row) { return List().visualRect(List().model()->index(row, 1)).center(); }
  // Double-clicks a line, as a person does to retype its value.
  QLineEdit* Open(int row) {
    QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, CellCentre(row));
    QTest::mouseDClick(List().viewport(), Qt::LeftButton, {}, CellCentre(row));
    return dialog.Editor();
  }
  // Retypes a line's value and presses Enter.
  void Retype(int row, const char* text) {
    QLineEdit* editor = Open(row);
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Backspace);
    editor->insert(QString::fromUtf8(text));
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_EQ(dialog.Editor(), nullptr);
  }
  void ShowStudent(int position) {
    StudentRadio().click();
    StudentList().setCurrentIndex(position);
  }

  CModifyInfoDlg dialog;
};

void PrepareTwoClasses(FakeMainWindow& main) {
  test::Prepare(main, {test::FourthB(), test::Classroom("6e A", "2005 - 2006")});
}

TEST(ModifyInfoDlgTest, ShowsTheLinesOfAClassOrAStudent) {
  FakeMainWindow main;
  PrepareTwoClasses(main);
  ModifyDialog d(main);

  EXPECT_EQ(d.dialog.windowTitle(), "Modification des informations");
  ASSERT_EQ(d.List().columnCount(), 2);
  EXPECT_EQ(d.List().horizontalHeaderItem(0)->text(), "Label");
  EXPECT_EQ(d.List().horizontalHeaderItem(1)->text(), "Informations");
  EXPECT_EQ(d.List().columnWidth(0), 125);
  EXPECT_EQ(d.List().columnWidth(1), 310);
  EXPECT_EQ(d.ClassList().itemText(0), "4e B, (2004 - 2005)");
  EXPECT_EQ(d.ClassList().itemText(1), "6e A, (2005 - 2006)");
  EXPECT_EQ(d.StudentList().itemText(1), "Durand, Paul");
  EXPECT_TRUE(d.ClassRadio().isChecked());
  EXPECT_EQ(d.Shown(), (Lines{{"Nom :", "4e B"},
                              {QString::fromUtf8("Année :"), "2004 - 2005"},
                              {"Informations :", "Salle 12"},
                              {QString::fromUtf8("Nombre d'élèves :"), "2"}}));

  d.ShowStudent(1);
  EXPECT_EQ(d.Shown(), (Lines{{"Nom :", "Durand"},
                              {QString::fromUtf8("Prénom :"), "Paul"},
                              {"Sex :", QString::fromUtf8("Garçon")},
                              {"Date de naissance :", "12/03/1992"},
                              {"Lieu de naissance :", "Lyon"},
                              {"Informations :", "Demi-pensionnaire"}}));
  d.StudentList().setCurrentIndex(0);
  EXPECT_EQ(d.Shown()[2].second, "Fille");

  // Another class: back to the class's lines and its (empty) student list.
  d.ClassList().setCurrentIndex(1);
  EXPECT_TRUE(d.ClassRadio().isChecked());
  EXPECT_EQ(d.StudentList().count(), 0);
  EXPECT_EQ(d.Shown()[0].second, "6e A");
  d.StudentRadio().click();
  EXPECT_TRUE(d.Shown().empty());
  d.ClassRadio().click();
  EXPECT_EQ(d.Shown()[3].second, "0");
}

TEST(ModifyInfoDlgTest, TheEditorLiesOverTheValueCell) {
  FakeMainWindow main;
  PrepareTwoClasses(main);
  ModifyDialog d(main);
  QLineEdit* editor = d.Open(1);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(d.dialog.EditRow(), 1);
  EXPECT_EQ(editor->text(), "2004 - 2005");
  EXPECT_EQ(editor->parentWidget(), d.dialog.ClientArea());
  EXPECT_EQ(editor->objectName(), "control1041");
  EXPECT_TRUE(editor->hasFocus());
  const QRect cell = d.List().CellRect(1, 1);
  const QRect expected(d.List().mapTo(d.dialog.ClientArea(), cell.topLeft()), cell.size());
  EXPECT_EQ(editor->geometry(), expected.adjusted(2, 0, -2, 1));
}

TEST(ModifyInfoDlgTest, ClassFieldsAreWrittenAsTyped) {
  FakeMainWindow main;
  PrepareTwoClasses(main);
  ModifyDialog d(main);
  d.Retype(1, "2004-2005");
  d.Retype(0, "4e B bis");
  d.Retype(2, "");
  const ClassRecord& record = main.book.classes[0];
  EXPECT_EQ(record.year.Str(), "2004-2005");
  EXPECT_EQ(record.name.Str(), "4e B bis");
  EXPECT_TRUE(record.info.Empty());
  EXPECT_EQ(d.Shown()[1].second, "2004-2005");

  // The number of students is not typed: the line shows the real one again.
  d.Retype(3, "40");
  EXPECT_EQ(record.studentCount, 2);
  EXPECT_EQ(record.students.size(), 2u);
  EXPECT_EQ(d.Shown()[3].second, "2");

  // A character the file cannot hold is named, and the text stays in the
  // editor to be corrected.
  QLineEdit* editor = d.Open(0);
  ASSERT_NE(editor, nullptr);
  editor->setText(QString::fromUtf8("4e B ☺"));
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_EQ(d.dialog.Editor(), editor);
  EXPECT_EQ(record.name.Str(), "4e B bis");
  EXPECT_EQ(main.services.messages.Texts(),
            (std::vector<std::string>{"Le champ <Nom> contient des caractères que la base de "
                                      "données ne peut pas enregistrer : ☺\nCorrigez-le s'il "
                                      "vous plaît."}));
  d.dialog.Bind<QPushButton>(1135).click();  // "Quitter" waits for the correction
  EXPECT_TRUE(d.dialog.isVisible());
  EXPECT_EQ(main.saves, 0);
  QTest::keyClick(editor, Qt::Key_Escape);  // and Escape drops it, with the values stored
  EXPECT_FALSE(d.dialog.isVisible());
  EXPECT_EQ(main.book.classes[0].name.Str(), "4e B");
  test::ShowActive(d.dialog);

  // Texts are cut to the field, in Windows-1252.
  d.Retype(0, "Terminale € scientifique, groupe de spécialité");
  EXPECT_EQ(main.book.classes[0].name.Str(), "Terminale \x80 scientifique, groupe");
  EXPECT_EQ(d.Shown()[0].second, "Terminale € scientifique, groupe");
  // The lists keep their old texts until the dialog opens again.
  EXPECT_EQ(d.ClassList().itemText(0), "4e B, (2004 - 2005)");
  EXPECT_EQ(main.saves, 0);
}

TEST(ModifyInfoDlgTest, TheSexLineReadsAnFAsAGirl) {
  FakeMainWindow main;
  PrepareTwoClasses(main);
  ModifyDialog d(main);
  d.ShowStudent(1);
  const StudentRecord& paul = main.book.classes[0].students[1];
  const std::vector<std::pair<const char*, int>> cases = {
      {"f", 0}, {"Garçon", 1}, {"F", 0}, {"M", 1}, {"Fille", 0}, {"", 1}, {"fgh", 0}, {" F", 1}};
  for (const auto& [typed, sex] : cases) {
    d.Retype(2, typed);
    EXPECT_EQ(paul.sex, sex) << typed;
    EXPECT_EQ(d.Shown()[2].second, QString::fromUtf8(sex == 0 ? "Fille" : "Garçon")) << typed;
  }
  // Retyping the place of birth leaves the information text alone.
  d.Retype(4, "Saint-Étienne");
  EXPECT_EQ(paul.birthPlace.Str(), "Saint-\xC9tienne");
  EXPECT_EQ(paul.info.Str(), "Demi-pensionnaire");
  d.Retype(1, "Jean-Paul");
  d.Retype(3, "3 mai 1992");
  d.Retype(5, "Interne");
  EXPECT_EQ(paul.firstName.Str(), "Jean-Paul");
  EXPECT_EQ(paul.birthDate.Str(), "3 mai 1992");
  EXPECT_EQ(paul.info.Str(), "Interne");
  EXPECT_EQ(main.book.classes[0].students[0].firstName.Str(), "Julie");
}

TEST(ModifyInfoDlgTest, ClickingElsewhereCommitsTheEditor) {
  FakeMainWindow main;
  PrepareTwoClasses(main);
  ModifyDialog d(main);

  // A click on another line.
  QLineEdit* editor = d.Open(0);
  ASSERT_NE(editor, nullptr);
  editor->setText("4e C");
  QTest::mouseClick(d.List().viewport(), Qt::LeftButton, {}, d.CellCentre(2));
  EXPECT_EQ(d.dialog.Editor(), nullptr);
  EXPECT_EQ(main.book.classes[0].name.Str(), "4e C");
  EXPECT_EQ(d.Shown()[0].second, "4e C");

  // The focus going to another control.
  editor = d.Open(2);
  ASSERT_NE(editor, nullptr);
  editor->setText("Salle 14");
  d.ClassList().setFocus(Qt::TabFocusReason);
  EXPECT_EQ(d.dialog.Editor(), nullptr);
  EXPECT_EQ(main.book.classes[0].info.Str(), "Salle 14");

  // A student chosen while a class value is being typed: the value stays
  // with the class.
  editor = d.Open(1);
  ASSERT_NE(editor, nullptr);
  editor->setText("2005 - 2006");
  d.ShowStudent(1);
  EXPECT_EQ(d.dialog.Editor(), nullptr);
  EXPECT_EQ(main.book.classes[0].year.Str(), "2005 - 2006");
  EXPECT_EQ(main.book.classes[0].students[1].firstName.Str(), "Paul");
  EXPECT_EQ(d.Shown()[0].second, "Durand");
}

TEST(ModifyInfoDlgTest, QuitWritesEscapeDoesNot) {
  FakeMainWindow main;
  PrepareTwoClasses(main);
  {
    ModifyDialog d(main);
    d.Retype(0, "4e Bleue");
    QLineEdit* editor = d.Open(2);  // still open: "Quitter" takes it too
    ASSERT_NE(editor, nullptr);
    editor->setText("Salle 3");
    d.dialog.Bind<QPushButton>(1135).click();
    EXPECT_FALSE(d.dialog.isVisible());
    EXPECT_EQ(main.saves, 1);
    EXPECT_EQ(main.rebuilds, 1);
    const Gradebook disk = test::OnDisk();
    EXPECT_EQ(disk.classes[0].name.Str(), "4e Bleue");
    EXPECT_EQ(disk.classes[0].info.Str(), "Salle 3");
  }
  {
    ModifyDialog d(main);
    d.Retype(0, "4e Rouge");
    QLineEdit* editor = d.Open(2);
    ASSERT_NE(editor, nullptr);
    editor->setText("jamais");
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_FALSE(d.dialog.isVisible());
    EXPECT_EQ(main.saves, 1);
    // Memory goes back to the file, without reading it: no edit is left
    // for a later save to write under another change's name.
    EXPECT_EQ(main.reverts, 1);
    EXPECT_EQ(main.loads, 0);
    EXPECT_EQ(main.book, test::OnDisk());
    EXPECT_EQ(main.book.classes[0].name.Str(), "4e Bleue");
  }
  {
    ModifyDialog d(main);  // nothing stored: nothing to take back
    QTest::keyClick(&d.dialog, Qt::Key_Escape);
    EXPECT_FALSE(d.dialog.isVisible());
    EXPECT_EQ(main.reverts, 1);
  }
}

TEST(ModifyInfoDlgTest, WithoutASelectedLineNothingOpens) {
  FakeMainWindow main;
  PrepareTwoClasses(main);
  ModifyDialog d(main);
  d.List().clearSelection();
  QTest::mouseDClick(d.List().viewport(), Qt::LeftButton, {}, QPoint(5, 150));
  EXPECT_EQ(d.dialog.Editor(), nullptr);
}

}  // namespace
}  // namespace vellanor

#include "dialogs/new_student_dlg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "record_fixtures.h"
#include "resources/images.h"
#include "widgets/icon_button.h"

namespace vellanor {
namespace {

using platform::MessageIcon;
using test::FakeMainWindow;

struct NewStudentDialog {
  explicit NewStudentDialog(FakeMainWindow& main) : dialog(main, 1.0) {}

  QComboBox& ClassList() { return dialog.Bind<QComboBox>(1010); }
  QLineEdit& Name() { return dialog.Bind<QLineEdit>(1011); }
  QLineEdit& FirstName() { return dialog.Bind<QLineEdit>(1012); }
  QComboBox& Sex() { return dialog.Bind<QComboBox>(1013); }
  QLineEdit& BirthDate() { return dialog.Bind<QLineEdit>(1014); }
  QLineEdit& BirthPlace() { return dialog.Bind<QLineEdit>(1015); }
  QLineEdit& Info() { return dialog.Bind<QLineEdit>(1016); }
  QImage Picture() { return dialog.Bind<QLabel>(1019).pixmap().toImage(); }
  void Type(const char* name, const char* firstName) {
    Name().setText(QString::fromUtf8(name));
    FirstName().setText(QString::fromUtf8(firstName));
  }
  void Validate() { dialog.Bind<QPushButton>(1).click(); }
  void Quit() { dialog.Bind<QPushButton>(2).click(); }

  CNewStudentDlg dialog;
};

QImage Icon(int id, const QLabel& label) {
  return res::IconPixmap(id, label.width()).toImage();
}

TEST(NewStudentDlgTest, AddsAGirlAbsentOnEveryGradeColumn) {
  FakeMainWindow main;
  test::Prepare(main, {test::Classroom("6e A", "2004 - 2005"), test::FourthB()});
  const ClassRecord before = main.book.classes[1];
  NewStudentDialog d(main);
  test::ShowActive(d.dialog);

  ASSERT_EQ(d.ClassList().count(), 2);
  EXPECT_EQ(d.ClassList().itemText(0), "6e A, (2004 - 2005)");
  EXPECT_EQ(d.ClassList().itemText(1), "4e B, (2004 - 2005)");
  EXPECT_EQ(d.ClassList().currentIndex(), 0);
  EXPECT_EQ(d.Sex().currentText(), QString::fromUtf8("Garçon"));

  d.ClassList().setCurrentIndex(1);
  d.Sex().setCurrentIndex(1);
  d.Type("Petit", "Léa");
  d.BirthDate().setText("01/02/1993");
  d.BirthPlace().setText("Nancy");
  d.Info().setText("Externe");
  d.Validate();

  const ClassRecord& record = main.book.classes[1];
  ASSERT_EQ(record.students.size(), 3u);
  EXPECT_EQ(record.studentCount, 3);
  const StudentRecord& lea = record.students[2];
  EXPECT_EQ(lea.name.Str(), "Petit");
  EXPECT_EQ(lea.firstName.Str(),
            "L\xE9"
            "a");
  EXPECT_EQ(lea.sex, 0);
  EXPECT_EQ(lea.birthDate.Str(), "01/02/1993");
  EXPECT_EQ(lea.birthPlace.Str(), "Nancy");
  EXPECT_EQ(lea.info.Str(), "Externe");
  ASSERT_EQ(lea.grades.size(), 2u);
  for (int i = 0; i < 2; ++i) {
    const GradeRecord& mark = lea.grades[static_cast<std::size_t>(i)];
    EXPECT_TRUE(IsAbsent(mark.value));
    EXPECT_EQ(mark.kind, 0);
    EXPECT_EQ(mark.trimester, 1);
    EXPECT_EQ(mark.coefficient, i == 0 ? 1.0f : 2.0f);
    EXPECT_TRUE(mark.info.Empty());
  }
  EXPECT_EQ(lea.average, (PerCategory<float>{0, 0, 0, 0, 0, 0}));
  // Nothing recomputed, nothing written yet.
  EXPECT_TRUE(SameBits(record.average, before.average));
  EXPECT_EQ(record.columns, before.columns);
  EXPECT_EQ(record.students[0], before.students[0]);
  EXPECT_EQ(main.saves, 0);
  EXPECT_EQ(main.rebuilds, 0);
  EXPECT_EQ(main.book.classes[0].studentCount, 0);

  ASSERT_EQ(main.services.messages.shown.size(), 1u);
  EXPECT_EQ(main.services.messages.shown[0].text, "Nouvel élève créé...");
  EXPECT_EQ(main.services.messages.shown[0].caption, "Information");
  EXPECT_EQ(main.services.messages.shown[0].icon, MessageIcon::Information);

  // Ready for the next one: names emptied, the rest kept, focus on the name.
  EXPECT_TRUE(d.dialog.isVisible());
  EXPECT_TRUE(d.Name().text().isEmpty());
  EXPECT_TRUE(d.FirstName().text().isEmpty());
  EXPECT_EQ(d.ClassList().currentIndex(), 1);
  EXPECT_EQ(d.Sex().currentIndex(), 1);
  EXPECT_EQ(d.BirthDate().text(), "01/02/1993");
  EXPECT_EQ(d.BirthPlace().text(), "Nancy");
  EXPECT_EQ(d.Info().text(), "Externe");
  EXPECT_EQ(d.dialog.focusWidget(), &d.Name());
}

TEST(NewStudentDlgTest, SeveralStudentsThenQuitWriteOnce) {
  FakeMainWindow main;
  test::Prepare(main, {test::Classroom("6e A", "2004 - 2005")});
  NewStudentDialog d(main);
  d.dialog.show();
  const char* names[][2] = {{"Aubry", "Marc"}, {"Blanc", "Zoé"}, {"Colin", "Hugo"}};
  for (const auto& name : names) {
    d.Type(name[0], name[1]);
    QTest::keyClick(&d.FirstName(), Qt::Key_Return);  // Enter adds too
  }
  EXPECT_EQ(main.services.messages.shown.size(), 3u);
  EXPECT_EQ(main.saves, 0);
  QTest::keyClick(&d.dialog, Qt::Key_Escape);  // as "Quitter"
  EXPECT_EQ(main.saves, 1);
  EXPECT_EQ(main.rebuilds, 1);
  EXPECT_FALSE(d.dialog.isVisible());

  const Gradebook disk = test::OnDisk();
  ASSERT_EQ(disk.classes[0].students.size(), 3u);
  EXPECT_EQ(disk.classes[0].studentCount, 3);
  EXPECT_EQ(disk.classes[0].students[1].firstName.Str(), "Zo\xE9");
  EXPECT_EQ(disk.classes[0].students[2].sex, 1);
  EXPECT_TRUE(disk.classes[0].students[2].grades.empty());
}

TEST(NewStudentDlgTest, QuitWithoutStudentsStillSaves) {
  FakeMainWindow main;
  test::Prepare(main, {test::Classroom("6e A", "2004 - 2005")});
  NewStudentDialog d(main);
  d.Quit();
  EXPECT_EQ(main.saves, 1);
  EXPECT_EQ(main.rebuilds, 1);
}

TEST(NewStudentDlgTest, AFailedSaveIsToldAndMemoryGoesBackToTheFile) {
  FakeMainWindow main;
  ClassRecord record = test::Classroom("6e A", "2004 - 2005");
  main.book.classes.push_back(record);
  // A folder where the file should be: nothing can be written there.
  std::filesystem::create_directories("Vellanor.db/occupied");
  NewStudentDialog d(main);
  d.dialog.show();
  d.Type("Aubry", "Marc");
  d.Validate();
  d.Quit();
  EXPECT_EQ(main.saves, 1);
  EXPECT_EQ(main.rebuilds, 1);
  EXPECT_FALSE(d.dialog.isVisible());
  ASSERT_EQ(main.services.messages.shown.size(), 2u);
  EXPECT_EQ(main.services.messages.shown[1].icon, MessageIcon::Stop);
  // Back to what was last written: nothing, here.
  EXPECT_TRUE(main.book.classes.empty());
}

TEST(NewStudentDlgTest, NameIsCheckedBeforeTheFirstName) {
  FakeMainWindow main;
  test::Prepare(main, {test::FourthB()});
  NewStudentDialog d(main);
  auto& messages = main.services.messages;
  d.Type("", "");
  d.Validate();
  d.Type("", "Paul");
  d.Validate();
  d.Type("Dupont", "");
  d.Validate();
  ASSERT_EQ(messages.shown.size(), 3u);
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Le nom de l'élève est manquant !",
                                                        "Le nom de l'élève est manquant !",
                                                        "Le prénom de l'élève est manquant !"}));
  for (const auto& shown : messages.shown) {
    EXPECT_EQ(shown.caption, "Erreur");
    EXPECT_EQ(shown.icon, MessageIcon::Stop);
  }
  EXPECT_EQ(main.book.classes[0].students.size(), 2u);
  EXPECT_EQ(d.Name().text(), "Dupont");  // everything stays as typed

  // A name the file cannot hold is named; nothing is added.
  d.Type("Nguyễn", "Anh");
  d.Validate();
  EXPECT_EQ(main.book.classes[0].students.size(), 2u);
  EXPECT_EQ(messages.shown.back().text,
            "Le champ <Nom> contient des caractères que la base de données ne peut pas "
            "enregistrer : ễ\nCorrigez-le s'il vous plaît.");

  // A long name is stored as its first 32 characters.
  d.Type("Abcdefghijklmnopqrstuvwxyzabcdefghijklmn", "Ana");
  d.Validate();
  ASSERT_EQ(main.book.classes[0].students.size(), 3u);
  EXPECT_EQ(main.book.classes[0].students[2].name.Str(), "Abcdefghijklmnopqrstuvwxyzabcdef");
}

TEST(NewStudentDlgTest, PictureFollowsTheSex) {
  FakeMainWindow main;
  test::Prepare(main, {test::FourthB()});
  NewStudentDialog d(main);
  const QLabel& label = d.dialog.Bind<QLabel>(1019);
  EXPECT_EQ(d.Picture(), Icon(138, label));
  d.Sex().setCurrentIndex(1);
  EXPECT_EQ(d.Picture(), Icon(137, label));
  d.Sex().setCurrentIndex(0);
  EXPECT_EQ(d.Picture(), Icon(138, label));
}

TEST(NewStudentDlgTest, RefusedPastTheStudentLimit) {
  FakeMainWindow main;
  ClassRecord full = test::Classroom("Amphi", "2004 - 2005");
  full.students.resize(32767);
  full.studentCount = 32767;
  main.book.classes.push_back(std::move(full));
  NewStudentDialog d(main);
  d.Type("Roux", "Eva");
  d.Validate();
  EXPECT_EQ(main.book.classes[0].students.size(), 32767u);
  EXPECT_EQ(main.book.classes[0].studentCount, 32767);
  ASSERT_EQ(main.services.messages.shown.size(), 1u);
  EXPECT_EQ(
      main.services.messages.shown[0].text,
      "Impossible de créer l'élève <Roux, Eva>:\nla classe <Amphi> compte déjà 32767 élèves.");
  EXPECT_EQ(main.services.messages.shown[0].caption, "Attention");
  EXPECT_EQ(main.services.messages.shown[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(d.Name().text(), "Roux");
}

TEST(NewStudentDlgTest, WithoutAClassNothingIsAdded) {
  FakeMainWindow main;
  NewStudentDialog d(main);
  d.Type("Roux", "Eva");
  d.Validate();
  ASSERT_EQ(main.services.messages.shown.size(), 1u);
  EXPECT_EQ(main.services.messages.shown[0].text, "Créer une classe s'il vous plaît");
  EXPECT_TRUE(main.book.classes.empty());
}

}  // namespace
}  // namespace vellanor

#include "grading/grade_entry_dlg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "model/averages.h"
#include "model/cp1252.h"
#include "model/gradebook.h"
#include "platform/message_service.h"
#include "resources/ids.h"
#include "support/failing_file_store.h"
#include "support/fake_main_window.h"
#include "support/qt_events.h"
#include "support/record_builders.h"
#include "support/temp_dir.h"
#include "widgets/icon_button.h"
#include "widgets/report_list.h"

namespace vellanor {
namespace {

using platform::MessageButtons;
using platform::MessageIcon;

// Texts below are typed in UTF-8 and stored in Windows-1252.
StudentRecord Student(const char* name, const char* firstName) {
  return test::Student(Utf8ToCp1252(name), Utf8ToCp1252(firstName));
}

ClassRecord Class(const char* name, const char* year, std::vector<StudentRecord> students) {
  return test::Class(Utf8ToCp1252(name), Utf8ToCp1252(year), std::move(students));
}

// One assessment: marks[j] for student j (-1 absent).
void AddColumn(ClassRecord& record, int trimester, int kind, std::vector<float> marks,
               float coefficient = 1.0f, const char* info = "") {
  std::vector<GradeRecord> column;
  for (float value : marks) {
    column.push_back(test::Mark(value, trimester, kind, coefficient, Utf8ToCp1252(info)));
  }
  ASSERT_EQ(AppendGradeColumn(record, column), AppendResult::Done);
  RecomputeClass(record);
}

// The marks of one category of a grade list, in order.
std::vector<float> MarksOf(const std::vector<GradeRecord>& grades, int trimester, int kind) {
  std::vector<float> marks;
  for (const GradeRecord& grade : grades) {
    if (grade.trimester == trimester && grade.kind == kind) {
      marks.push_back(grade.value);
    }
  }
  return marks;
}

class GradeEntryTest : public testing::Test {
 protected:
  // Writes the gradebook as the file the window reads back, then opens the
  // window, shown and active as over the main window.
  void Open() {
    ASSERT_TRUE(main.SaveDatabase());
    main.saves = main.rebuilds = 0;
    main.changes.clear();
    dlg = std::make_unique<CGradeEntryDlg>(main, 1.0);
    dlg->show();
    QApplication::setActiveWindow(dlg.get());
  }

  // Three students; written T1 two columns; oral T2 three columns; written
  // T2 one column.
  void AddSixthGrade() {
    ClassRecord record =
        Class("6e A", "2026 - 2027",
              {Student("Martin", "Léa"), Student("Bernard", "Hugo"), Student("Petit", "Inès")});
    AddColumn(record, 1, kWritten, {12, 8, 15}, 1, "Dictée");
    AddColumn(record, 2, kOral, {10, 11, 12}, 2, "Récitation");
    AddColumn(record, 2, kWritten, {14, -1, 9});
    AddColumn(record, 1, kWritten, {16, 10, -1}, 3, "Contrôle");
    AddColumn(record, 2, kOral, {13, 14, 15});
    AddColumn(record, 2, kOral, {7, 9, 11}, 1, "Exposé");
    ASSERT_EQ(AppendClass(main.book, record), AppendResult::Done);
  }
  void OpenSixthGrade() {
    AddSixthGrade();
    Open();
  }

  ClassRecord& Book(int c) { return main.book.classes.at(static_cast<std::size_t>(c)); }

  QWidget* Ctl(int id) { return dlg->Control(id); }
  QComboBox& Combo(int id) { return *qobject_cast<QComboBox*>(Ctl(id)); }
  QLineEdit& Edit(int id) { return *qobject_cast<QLineEdit*>(Ctl(id)); }
  widgets::IconButton& Button(int id) { return *qobject_cast<widgets::IconButton*>(Ctl(id)); }
  widgets::ReportList& Grid() { return *qobject_cast<widgets::ReportList*>(Ctl(1084)); }
  bool Checked(int id) { return qobject_cast<QAbstractButton*>(Ctl(id))->isChecked(); }

  // Clicks a button or radio as the mouse would (nothing when disabled).
  void Click(int id) {
    auto* button = qobject_cast<QAbstractButton*>(Ctl(id));
    ASSERT_NE(button, nullptr) << id;
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, button->height() / 2));
  }
  void PressThenRelease(int id) { test::PressThenRelease(Ctl(id)); }
  void Menu(int command) { dlg->MenuAction(command)->trigger(); }
  void Select(int comboId, int index) { Combo(comboId).setCurrentIndex(index); }

  QPoint CellCenter(int row, int column) {
    return Grid().visualRect(Grid().model()->index(row, column)).center();
  }
  void ClickCell(int row, int column, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(Grid().viewport(), button, {}, CellCenter(row, column));
  }
  // A double click: the first click, then the double click itself.
  void DoubleClickCell(int row, int column) {
    ClickCell(row, column);
    QTest::mouseDClick(Grid().viewport(), Qt::LeftButton, {}, CellCenter(row, column));
  }

  std::vector<std::string> Titles() {
    std::vector<std::string> titles;
    for (int c = 0; c < Grid().columnCount(); ++c) {
      titles.push_back(Grid().horizontalHeaderItem(c)->text().toStdString());
    }
    return titles;
  }
  std::vector<std::string> Column(int column) {
    std::vector<std::string> texts;
    for (int r = 0; r < Grid().rowCount(); ++r) {
      texts.push_back(Grid().ItemText(r, column).toStdString());
    }
    return texts;
  }
  // Types into the open editor and presses a key.
  void Type(const char* text, Qt::Key key) {
    QLineEdit* editor = dlg->CellEditor();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, key);
  }

  Gradebook FileContent() { return test::OnDisk(); }

  test::FakeMainWindow main;
  std::unique_ptr<CGradeEntryDlg> dlg;
};

TEST_F(GradeEntryTest, OpensOnTheFirstClassInNormal) {
  ClassRecord empty = Class("5e B", "2025 - 2026", {});
  ASSERT_EQ(AppendClass(main.book, empty), AppendResult::Done);
  OpenSixthGrade();  // the sixth grade is the second class

  EXPECT_EQ(dlg->windowTitle(), "Notation");
  EXPECT_EQ(dlg->Mode(), GradeMode::Normal);
  EXPECT_FALSE(dlg->windowFlags().testFlag(Qt::WindowCloseButtonHint));
  ASSERT_EQ(Combo(1096).count(), 2);
  EXPECT_EQ(Combo(1096).itemText(0), "5e B (2025 - 2026)");
  EXPECT_EQ(Combo(1096).itemText(1), "6e A (2026 - 2027)");
  EXPECT_EQ(Combo(1096).currentIndex(), 0);
  EXPECT_EQ(Combo(1097).count(), 0);
  EXPECT_TRUE(Checked(1099));
  EXPECT_TRUE(Checked(1128));
  EXPECT_TRUE(Checked(1131));
  EXPECT_EQ(Edit(1138).text(), "1");
  EXPECT_EQ(Grid().columnCount(), 6);
  EXPECT_EQ(Grid().rowCount(), 0);
  EXPECT_TRUE(Grid().showGrid());
  EXPECT_EQ(Grid().selectionBehavior(), QAbstractItemView::SelectRows);
  EXPECT_EQ(Button(2).IconId(), 189);
  EXPECT_EQ(Button(3).IconId(), 183);
  EXPECT_EQ(Button(3).TooltipText(), "Valide l'ajout de la nouvelle note");

  // Choosing the other class shows its class view and its students.
  Select(1096, 1);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"Ecrit T1", "Oral T1", "Ecrit T2", "Oral T2",
                                                "Ecrit T3", "Oral T3"}));
  EXPECT_EQ(Grid().columnWidth(0), 61);
  EXPECT_EQ(Grid().rowCount(), 3);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"11.67", "13.00", ""}));
  EXPECT_EQ(Column(2), (std::vector<std::string>{"11.50", "", ""}));
  EXPECT_EQ(Column(3), (std::vector<std::string>{"11.00", "14.00", "9.00"}));
  ASSERT_EQ(Combo(1097).count(), 3);
  EXPECT_EQ(Combo(1097).itemText(0), "Martin, Léa");
  EXPECT_EQ(Combo(1097).itemText(2), "Petit, Inès");

  // The student view: one student's marks, absences printed "abs".
  Select(1097, 1);
  EXPECT_TRUE(Checked(1102));
  EXPECT_EQ(Column(0), (std::vector<std::string>{"8.00", "10.00", ""}));
  EXPECT_EQ(Column(2), (std::vector<std::string>{"abs", "", ""}));
}

// The window grows from its template size, keeps its size, place and
// maximised state for the next opening, and drops a place no screen shows.
TEST_F(GradeEntryTest, RemembersItsGeometry) {
  Open();
  const QRect grid = Grid().geometry();
  const QRect quit = Ctl(2)->geometry();
  const QSize least = dlg->size();
  dlg->setGeometry(QRect(QPoint(40, 30), least + QSize(100, 20)));
  QApplication::processEvents();
  EXPECT_EQ(Grid().geometry(), grid.adjusted(0, 0, 100, 20));
  EXPECT_EQ(Ctl(2)->geometry(), quit.translated(100, 0));
  dlg->resize(10, 10);  // never below the template's size
  EXPECT_EQ(dlg->size(), least);
  dlg->setGeometry(QRect(QPoint(40, 30), least + QSize(100, 20)));
  Click(2);
  ASSERT_FALSE(dlg->isVisible());

  Open();
  EXPECT_EQ(dlg->geometry(), QRect(QPoint(40, 30), least + QSize(100, 20)));
  EXPECT_FALSE(dlg->isMaximized());
  dlg->showMaximized();
  Click(2);
  Open();
  EXPECT_TRUE(dlg->isMaximized());
  EXPECT_EQ(dlg->normalGeometry(), QRect(QPoint(40, 30), least + QSize(100, 20)));
  dlg->showNormal();
  dlg->move(5000, 5000);
  Click(2);

  dlg = std::make_unique<CGradeEntryDlg>(main, 1.0);
  EXPECT_EQ(dlg->size(), least + QSize(100, 20));
  EXPECT_FALSE(dlg->testAttribute(Qt::WA_Moved));
}

TEST_F(GradeEntryTest, ModesSetTheControls) {
  OpenSixthGrade();
  struct Expected {
    int command;
    GradeMode mode;
    bool classList, studentList, viewRadios, categoryRadios, fields, validate;
    const char* quitCaption;
    int quitIcon;
    const char* quitTip;
    const char* validateTip;
    int view;
  };
  const Expected cases[] = {
      {32791, GradeMode::Adding, false, false, false, true, true, true, "Annuler", 185,
       "Annule l'ajout de la nouvelle note", "Valide l'ajout de la nouvelle note", 1101},
      {32792, GradeMode::Deleting, true, false, false, false, false, true, "Annuler", 185,
       "Annule l'effacement de la liste de notes", "Valide l'effacement de la liste de notes",
       1099},
      {32793, GradeMode::Modifying, false, true, false, false, false, true, "Annuler", 185,
       "Annule la modification des notes", "Valide la modification des notes", 1102},
      {32820, GradeMode::Comparing, true, false, false, true, false, false, "Retour", 185,
       "Retourne vers la vue normale", "Valide la modification des notes", 1101},
  };
  for (const Expected& e : cases) {
    SCOPED_TRACE(e.command);
    Menu(e.command);
    EXPECT_EQ(dlg->Mode(), e.mode);
    EXPECT_EQ(Ctl(1096)->isEnabled(), e.classList);
    EXPECT_EQ(Ctl(1097)->isEnabled(), e.studentList);
    for (int id : {1099, 1101, 1102}) {
      EXPECT_EQ(Ctl(id)->isEnabled(), e.viewRadios) << id;
    }
    for (int id : {1128, 1129, 1130, 1131, 1132}) {
      EXPECT_EQ(Ctl(id)->isEnabled(), e.categoryRadios) << id;
    }
    EXPECT_EQ(Ctl(1138)->isEnabled(), e.fields);
    EXPECT_EQ(Ctl(1139)->isEnabled(), e.fields);
    EXPECT_EQ(Ctl(3)->isEnabled(), e.validate);
    for (int command : {32791, 32792, 32793, 32820}) {
      EXPECT_FALSE(dlg->MenuAction(command)->isEnabled()) << command;
    }
    EXPECT_EQ(Button(2).text(), e.quitCaption);
    EXPECT_EQ(Button(2).IconId(), e.quitIcon);
    EXPECT_EQ(Button(2).TooltipText(), e.quitTip);
    EXPECT_EQ(Button(3).TooltipText(), e.validateTip);
    EXPECT_TRUE(Checked(e.view));
    // A mode command while another mode is on changes nothing.
    dlg->SendCommand(e.command == 32791 ? 32792 : 32791);
    EXPECT_EQ(dlg->Mode(), e.mode);

    Click(2);
    EXPECT_EQ(dlg->Mode(), GradeMode::Normal);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_TRUE(Ctl(1096)->isEnabled());
    EXPECT_TRUE(Ctl(1097)->isEnabled());
    EXPECT_TRUE(Ctl(1101)->isEnabled());
    EXPECT_FALSE(Ctl(1128)->isEnabled());
    EXPECT_FALSE(Ctl(1138)->isEnabled());
    EXPECT_FALSE(Ctl(3)->isEnabled());
    for (int command : {32791, 32792, 32793, 32820}) {
      EXPECT_TRUE(dlg->MenuAction(command)->isEnabled()) << command;
    }
    EXPECT_EQ(Button(2).text(), "Quitter");
    EXPECT_EQ(Button(2).IconId(), 189);
    EXPECT_EQ(Button(2).TooltipText(), "Retourne vers l'application");
  }
  EXPECT_EQ(main.saves, 0);
}

TEST_F(GradeEntryTest, AddingAGradeColumn) {
  OpenSixthGrade();
  Menu(32791);
  // The adding grid: the class and its students, an empty "Notes" column.
  EXPECT_EQ(Titles(), (std::vector<std::string>{"6e A, année 2026 - 2027", "Notes"}));
  EXPECT_EQ(Grid().columnWidth(0), 250);
  EXPECT_EQ(Grid().columnWidth(1), 118);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"Martin, Léa", "Bernard, Hugo", "Petit, Inès"}));
  EXPECT_EQ(Column(1), (std::vector<std::string>{"", "", ""}));

  Click(1129);  // trimestre 2
  Click(1131);  // écrit
  Edit(1138).setText("2");
  Edit(1139).setText("Contrôle de géométrie");
  Grid().SetItemText(0, 1, "12.5");
  Grid().SetItemText(2, 1, "Abs");
  Click(3);

  const ClassRecord& record = Book(0);
  EXPECT_EQ(dlg->Mode(), GradeMode::Normal);
  EXPECT_EQ(record.gradeCount[2], 2);
  EXPECT_EQ(GradeColumnCount(record), 7);
  ASSERT_EQ(record.columns.size(), 7u);
  EXPECT_EQ(record.columns.back().value, 12.5f);  // the mean of the only mark
  EXPECT_EQ(record.columns.back().trimester, 2);
  EXPECT_EQ(record.columns.back().kind, kWritten);
  const float expected[] = {12.5f, -1.0f, -1.0f};
  for (std::size_t j = 0; j < 3; ++j) {
    const GradeRecord& mark = record.students[j].grades.back();
    EXPECT_EQ(record.students[j].grades.size(), 7u);
    EXPECT_EQ(mark.value, expected[j]) << j;
    EXPECT_EQ(mark.coefficient, 2.0f);
    EXPECT_EQ(mark.trimester, 2);
    EXPECT_EQ(mark.kind, kWritten);
    EXPECT_EQ(mark.info.Str(), "Contr\xf4le de g\xe9om\xe9trie");
  }
  // Averages recomputed, the whole file written.
  EXPECT_FLOAT_EQ(record.students[0].average[2], (14.0f + 25.0f) / 3.0f);
  EXPECT_EQ(main.saves, 1);
  EXPECT_EQ(FileContent(), main.book);
  EXPECT_EQ(Edit(1139).text(), "");

  // The student view, the new mark under the category's earlier one.
  EXPECT_TRUE(Checked(1102));
  EXPECT_EQ(Column(2), (std::vector<std::string>{"14.00", "12.50", ""}));
  Select(1097, 1);
  EXPECT_EQ(Column(2), (std::vector<std::string>{"abs", "abs", ""}));
  Select(1097, 2);
  EXPECT_EQ(Column(2), (std::vector<std::string>{"9.00", "abs", ""}));
}

TEST_F(GradeEntryTest, CoefficientOfANewColumn) {
  OpenSixthGrade();
  const struct {
    const char* typed;
    float stored;
  } cases[] = {{"", 1.0f}, {"0", 1.0f}, {"2,5", 2.5f}, {"-3", -3.0f}, {"1.5", 1.5f}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    Menu(32791);
    Edit(1138).setText(c.typed);
    dlg->SendCommand(32794);  // "Sauver le modifications...", as "Valider"
    EXPECT_EQ(Book(0).students[1].grades.back().coefficient, c.stored);
    EXPECT_EQ(Book(0).columns.back().coefficient, c.stored);
  }
  EXPECT_EQ(Book(0).gradeCount[0], 7);
  EXPECT_EQ(FileContent(), main.book);
}

TEST_F(GradeEntryTest, AddingThenCancelKeepsTheFile) {
  OpenSixthGrade();
  const Gradebook before = main.book;
  Menu(32791);
  Grid().SetItemText(0, 1, "20");
  dlg->SendCommand(32795);  // "Quitter sans sauver...", as "Annuler"
  EXPECT_EQ(dlg->Mode(), GradeMode::Normal);
  EXPECT_EQ(main.book, before);
  EXPECT_EQ(main.reverts, 1);
  EXPECT_EQ(main.saves, 0);
  EXPECT_TRUE(Checked(1102));
  EXPECT_EQ(Column(0), (std::vector<std::string>{"12.00", "16.00", ""}));
}

TEST_F(GradeEntryTest, AFailedSaveKeepsTheOldFileAndMemoryGoesBackToIt) {
  OpenSixthGrade();
  const Gradebook before = main.book;
  const std::vector<unsigned char> file = test::ReadBytes("Vellanor.db");
  main.store.acceptedBytes = 100;
  Menu(32791);
  Grid().SetItemText(0, 1, "18");
  Click(3);
  ASSERT_EQ(main.services.messages.shown.size(), 1u);
  EXPECT_EQ(main.services.messages.shown[0].caption, "Erreur");
  EXPECT_EQ(test::ReadBytes("Vellanor.db"), file);
  // Memory went back to the file, which has no such column: what is shown
  // is what is on disk.
  EXPECT_EQ(dlg->Mode(), GradeMode::Normal);
  EXPECT_EQ(main.book, before);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"12.00", "16.00", ""}));
  QTest::keyClick(dlg.get(), Qt::Key_Escape);
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(main.book, before);
  EXPECT_EQ(main.rebuilds, 2);  // after the commit, and after leaving
}

TEST_F(GradeEntryTest, AddingInAClassWithoutStudentsWritesNothing) {
  ClassRecord empty = Class("Terminale", "2026 - 2027", {});
  ASSERT_EQ(AppendClass(main.book, empty), AppendResult::Done);
  Open();
  const std::vector<unsigned char> file = test::ReadBytes("Vellanor.db");
  Menu(32791);
  Grid().SetItemText(0, 1, "12");
  Click(3);
  EXPECT_EQ(dlg->Mode(), GradeMode::Normal);
  EXPECT_EQ(Book(0).gradeCount, (PerCategory<std::int16_t>{}));
  EXPECT_EQ(main.saves, 0);
  EXPECT_EQ(test::ReadBytes("Vellanor.db"), file);
  // The grid keeps the adding layout, without rows.
  EXPECT_EQ(Titles(), (std::vector<std::string>{"Terminale, année 2026 - 2027", "Notes"}));
  EXPECT_EQ(Grid().rowCount(), 0);
}

TEST_F(GradeEntryTest, AColumnPastTheLimitIsRefused) {
  // One student who already has the most marks a class may count.
  ClassRecord record = Class("Prépa", "2026 - 2027", {Student("Durand", "Paul")});
  record.students[0].grades.assign(32767, test::Mark(10, 1, 0));
  record.gradeCount[0] = 32767;
  RecomputeClass(record);
  ASSERT_EQ(AppendClass(main.book, record), AppendResult::Done);
  Open();
  const std::vector<unsigned char> file = test::ReadBytes("Vellanor.db");

  Menu(32791);
  Click(1130);
  Grid().SetItemText(0, 1, "15");
  Click(3);
  ASSERT_EQ(main.services.messages.shown.size(), 1u);
  const auto& shown = main.services.messages.shown[0];
  EXPECT_EQ(shown.text,
            "Impossible d'ajouter une note à la classe <Prépa>:\n"
            "une classe compte au plus 32767 notes.");
  EXPECT_EQ(shown.caption, "Attention");
  EXPECT_EQ(shown.icon, MessageIcon::Exclamation);
  EXPECT_EQ(shown.buttons, MessageButtons::Ok);
  EXPECT_EQ(Book(0).students[0].grades.size(), 32767u);
  EXPECT_EQ(Book(0).gradeCount[4], 0);
  EXPECT_EQ(main.saves, 0);
  EXPECT_EQ(test::ReadBytes("Vellanor.db"), file);
  // Still adding, the typed mark in place, to be cancelled.
  EXPECT_EQ(dlg->Mode(), GradeMode::Adding);
  EXPECT_EQ(Grid().ItemText(0, 1), "15");
}

TEST_F(GradeEntryTest, DeletingAGradeColumnAsksThenCancelRestores) {
  OpenSixthGrade();
  const Gradebook before = main.book;
  Menu(32792);
  ASSERT_EQ(Column(3), (std::vector<std::string>{"11.00", "14.00", "9.00"}));

  // "No" keeps it.
  DoubleClickCell(2, 3);
  EXPECT_EQ(main.book, before);

  main.services.messages.AnswerYes();
  DoubleClickCell(2, 3);
  ASSERT_EQ(main.services.messages.shown.size(), 2u);
  for (const auto& shown : main.services.messages.shown) {
    EXPECT_EQ(shown.text, "Etes vous sûr de vouloir effacer cette note orale du 2nd trimestre?");
    EXPECT_EQ(shown.caption, "Attention!");
    EXPECT_EQ(shown.icon, MessageIcon::Question);
    EXPECT_EQ(shown.buttons, MessageButtons::YesNo);
  }
  const ClassRecord& record = Book(0);
  EXPECT_EQ(record.gradeCount[3], 2);
  EXPECT_EQ(record.columns.size(), 5u);
  for (const StudentRecord& student : record.students) {
    EXPECT_EQ(student.grades.size(), 5u);
  }
  EXPECT_EQ(MarksOf(record.students[2].grades, 2, kOral), (std::vector<float>{12, 15}));
  EXPECT_EQ(Column(3), (std::vector<std::string>{"11.00", "14.00"}));
  EXPECT_EQ(main.saves, 0);

  // The other texts: first column, third trimester oral.
  main.services.messages.AnswerNo();
  DoubleClickCell(0, 0);
  main.services.messages.AnswerNo();
  DoubleClickCell(0, 5);
  EXPECT_EQ(main.services.messages.shown[2].text,
            "Etes vous sûr de vouloir effacer cette note écrite du 1er trimestre?");
  EXPECT_EQ(main.services.messages.shown[3].text,
            "Etes vous sûr de vouloir effacer cette note orale du 3eme trimestre?");

  Click(2);
  EXPECT_EQ(dlg->Mode(), GradeMode::Normal);
  EXPECT_EQ(main.book, before);
  EXPECT_EQ(Column(3), (std::vector<std::string>{"11.00", "14.00", "9.00"}));
  EXPECT_EQ(main.saves, 0);
}

TEST_F(GradeEntryTest, DeletionsInTwoClassesWrittenByOneValidate) {
  ClassRecord second = Class("5e C", "2026 - 2027", {Student("Roux", "Jade")});
  AddColumn(second, 3, kWritten, {11});
  AddColumn(second, 3, kWritten, {17});
  ASSERT_EQ(AppendClass(main.book, second), AppendResult::Done);
  OpenSixthGrade();

  Menu(32792);
  main.services.messages.AnswerYes();
  DoubleClickCell(0, 4);  // 5e C, first written T3
  Select(1096, 1);
  EXPECT_TRUE(Checked(1099));
  main.services.messages.AnswerYes();
  DoubleClickCell(1, 0);  // 6e A, second written T1
  EXPECT_EQ(main.saves, 0);
  Click(3);
  EXPECT_EQ(dlg->Mode(), GradeMode::Normal);
  EXPECT_EQ(main.saves, 1);
  EXPECT_EQ(main.loads, 0);  // memory is what was saved

  const Gradebook file = FileContent();
  EXPECT_EQ(MarksOf(file.classes[0].students[0].grades, 3, kWritten), (std::vector<float>{17}));
  EXPECT_EQ(file.classes[0].gradeCount[4], 1);
  EXPECT_EQ(MarksOf(file.classes[1].students[1].grades, 1, kWritten), (std::vector<float>{8}));
  EXPECT_EQ(file.classes[1].gradeCount[0], 1);
  EXPECT_EQ(file.classes[1].columns.size(), 5u);
}

TEST_F(GradeEntryTest, ValidatedDeletionsAreCopiedFirst) {
  OpenSixthGrade();
  const auto before = test::ReadBytes("Vellanor.db");
  // Nothing deleted: the file is written as it was, and no copy is made.
  Menu(32792);
  Click(3);
  EXPECT_EQ(main.saves, 1);
  EXPECT_FALSE(std::filesystem::exists("Sauvegardes"));

  Menu(32792);
  main.services.messages.AnswerYes();
  DoubleClickCell(0, 0);

  // No copy and the teacher says No: nothing is written, the window stays
  // in Deleting.
  test::WriteBytes("Sauvegardes", {0x00});
  main.services.messages.AnswerNo();
  Click(3);
  EXPECT_EQ(main.services.messages.shown.back().caption, "Attention");
  EXPECT_EQ(dlg->Mode(), GradeMode::Deleting);
  EXPECT_EQ(main.saves, 1);

  std::filesystem::remove("Sauvegardes");
  Click(3);
  EXPECT_EQ(dlg->Mode(), GradeMode::Normal);
  EXPECT_EQ(main.saves, 2);
  EXPECT_EQ(test::ReadBytes("Sauvegardes/2026-12-07_10h00_suppression-notes-6e-A.db"), before);
  EXPECT_NE(test::ReadBytes("Vellanor.db"), before);
}

TEST_F(GradeEntryTest, ModifyingOneStudentsMarks) {
  AddSixthGrade();
  AddColumn(Book(0), 3, kOral, {5, 6, 7});
  Open();
  const Gradebook before = main.book;

  Select(1097, 1);  // Bernard
  Menu(32793);
  EXPECT_TRUE(Checked(1102));
  EXPECT_EQ(Column(5), (std::vector<std::string>{"6.00", "", ""}));
  Grid().SetItemText(0, 0, "abs");    // written T1, first
  Grid().SetItemText(1, 0, "");       // written T1, second
  Grid().SetItemText(1, 2, "19");     // written T2 has one mark: below it
  Grid().SetItemText(2, 3, "18.25");  // oral T2, third
  Grid().SetItemText(0, 5, "4");      // oral T3
  Click(3);

  const StudentRecord& hugo = Book(0).students[1];
  EXPECT_EQ(MarksOf(hugo.grades, 1, kWritten), (std::vector<float>{-1, -1}));
  EXPECT_EQ(MarksOf(hugo.grades, 2, kWritten), (std::vector<float>{-1}));
  EXPECT_EQ(MarksOf(hugo.grades, 2, kOral), (std::vector<float>{11, 14, 18.25f}));
  EXPECT_EQ(MarksOf(hugo.grades, 3, kOral), (std::vector<float>{4}));
  EXPECT_EQ(hugo.grades.size(), 7u);
  EXPECT_EQ(Book(0).students[0].grades, before.classes[0].students[0].grades);
  // Coefficients and texts stay; averages and class means follow.
  EXPECT_EQ(hugo.grades[1].coefficient, 2.0f);
  EXPECT_EQ(hugo.grades[1].info.Str(), "R\xe9\x63itation");
  EXPECT_FLOAT_EQ(Book(0).columns[6].value, (5.0f + 4.0f + 7.0f) / 3.0f);
  EXPECT_EQ(main.saves, 1);
  EXPECT_EQ(FileContent(), main.book);

  // Modifying again, then "Annuler": the file's marks come back.
  const Gradebook saved = main.book;
  Menu(32793);
  Grid().SetItemText(0, 3, "1");
  Click(2);
  EXPECT_EQ(main.book, saved);
  EXPECT_EQ(main.saves, 1);
  EXPECT_EQ(Column(3), (std::vector<std::string>{"11.00", "14.00", "18.25"}));

  // A pasted column fills the student's marks of that category, no further.
  Menu(32793);
  DoubleClickCell(1, 3);
  QApplication::clipboard()->setText("1\n2\n3\n");
  QTest::keyClick(dlg->CellEditor(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Column(3), (std::vector<std::string>{"11.00", "1", "2"}));
  EXPECT_EQ(dlg->EditRow(), 2);
  Click(2);

  // A fraction and a decimal comma show as the marks stored.
  Menu(32793);
  Grid().SetItemText(0, 3, "15/30");
  Grid().SetItemText(1, 3, "7,5");
  Click(3);
  EXPECT_EQ(Column(3), (std::vector<std::string>{"10.00", "7.50", "18.25"}));

  // A save that fails shows the marks kept, not those typed.
  const Gradebook kept = main.book;
  main.store.acceptedBytes = 100;
  Menu(32793);
  Grid().SetItemText(0, 3, "3");
  Click(3);
  EXPECT_EQ(main.book, kept);
  EXPECT_EQ(Column(3), (std::vector<std::string>{"10.00", "7.50", "18.25"}));
}

TEST_F(GradeEntryTest, ComparingTheStudents) {
  AddSixthGrade();
  ClassRecord other = Class("5e C", "2026 - 2027", {Student("Roux", "Jade")});
  AddColumn(other, 2, kOral, {9});
  ASSERT_EQ(AppendClass(main.book, other), AppendResult::Done);
  Open();

  Menu(32820);
  // Written T1 by default: two columns.
  EXPECT_EQ(Titles(), (std::vector<std::string>{"Nom des élèves", "Note 1", "Note 2"}));
  EXPECT_EQ(Grid().columnWidth(0), 120);
  EXPECT_EQ(Grid().columnWidth(1), 61);
  Click(1129);
  Click(1132);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"Nom des élèves", "Note 1", "Note 2", "Note 3"}));
  EXPECT_EQ(Column(0), (std::vector<std::string>{"Martin, Léa", "Bernard, Hugo", "Petit, Inès"}));
  EXPECT_EQ(Column(3), (std::vector<std::string>{"7.00", "9.00", "11.00"}));
  // A click shows that assessment's details without refreshing anything.
  ClickCell(1, 3);
  EXPECT_EQ(Edit(1139).text(), "Exposé");
  EXPECT_EQ(Edit(1138).text(), "1.00");
  ClickCell(1, 0);  // the names count as "Note 1"
  EXPECT_EQ(Edit(1139).text(), "Récitation");
  EXPECT_EQ(Edit(1138).text(), "2.00");

  // A category without columns: the names alone.
  Click(1130);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"Nom des élèves"}));
  EXPECT_EQ(Grid().rowCount(), 3);
  // The grid follows the class.
  Click(1129);
  Select(1096, 1);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"Nom des élèves", "Note 1"}));
  EXPECT_EQ(Column(0), (std::vector<std::string>{"Roux, Jade"}));
  EXPECT_EQ(dlg->Mode(), GradeMode::Comparing);

  Click(2);  // "Retour": the file is not read
  EXPECT_EQ(dlg->Mode(), GradeMode::Normal);
  EXPECT_EQ(main.loads, 0);
  EXPECT_TRUE(Checked(1102));
  EXPECT_EQ(main.saves, 0);
}

TEST_F(GradeEntryTest, AllStudentsViewAndGradeDetails) {
  OpenSixthGrade();
  // A click in the class view shows the assessment's details.
  ClickCell(1, 0);
  EXPECT_EQ(Edit(1138).text(), "3.00");
  EXPECT_EQ(Edit(1139).text(), "Contrôle");
  ClickCell(0, 2, Qt::RightButton);
  EXPECT_EQ(Edit(1138).text(), "1.00");
  EXPECT_EQ(Edit(1139).text(), "");
  EXPECT_TRUE(Checked(1129));
  EXPECT_TRUE(Checked(1131));
  ClickCell(2, 3);
  EXPECT_EQ(Edit(1139).text(), "Exposé");
  EXPECT_TRUE(Checked(1132));
  // Below the last grade of a category nothing changes.
  ClickCell(2, 2);
  EXPECT_EQ(Edit(1139).text(), "Exposé");
  EXPECT_EQ(Edit(1138).text(), "1.00");

  Click(1101);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"Nom", "Ecrit T1", "Oral T1", "Ecrit T2", "Oral T2",
                                                "Ecrit T3", "Oral T3"}));
  EXPECT_EQ(Grid().columnWidth(0), 120);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"Martin, Léa", "Bernard, Hugo", "Petit, Inès"}));
  // Written T1 of Léa: (12 + 16 x 3) / 4; Inès absent on the second.
  EXPECT_EQ(Column(1), (std::vector<std::string>{"15.00", "9.50", "15.00"}));
  EXPECT_EQ(Column(2), (std::vector<std::string>{"", "", ""}));
  // Hugo has no written T2 mark to average.
  EXPECT_EQ(Column(3), (std::vector<std::string>{"14.00", "abs", "9.00"}));
  EXPECT_EQ(Column(4), (std::vector<std::string>{"10.00", "11.25", "12.50"}));
  EXPECT_EQ(Column(6), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(Edit(1138).text(), "");
  EXPECT_EQ(Edit(1139).text(), "");
  // Clicks in this view show nothing.
  ClickCell(0, 1);
  EXPECT_EQ(Edit(1138).text(), "");

  // The student view shows that student's own grade.
  Click(1102);
  Select(1097, 2);
  ClickCell(0, 2);
  EXPECT_EQ(Edit(1138).text(), "1.00");
  EXPECT_EQ(Column(2), (std::vector<std::string>{"9.00", "", ""}));
}

TEST_F(GradeEntryTest, TypingAColumnWithTheKeyboard) {
  OpenSixthGrade();
  Menu(32791);
  // Enter pressed with no editor open changes nothing for what follows.
  Grid().setFocus();
  QTest::keyClick(&Grid(), Qt::Key_Return);
  EXPECT_EQ(dlg->Mode(), GradeMode::Adding);

  DoubleClickCell(0, 1);
  QLineEdit* editor = dlg->CellEditor();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->parentWidget(), dlg->ClientArea());
  EXPECT_EQ(widgets::TemplateDialog::ControlId(editor), 1109);
  EXPECT_FALSE(editor->hasFrame());
  EXPECT_TRUE(editor->hasFocus());
  // Over the "Notes" cell: 2 px inside its left edge, 1 px down, to its
  // right edge and bottom.
  QRect cell = Grid().CellRect(0, 1);
  cell.moveTopLeft(Grid().mapTo(dlg->ClientArea(), cell.topLeft()));
  EXPECT_EQ(editor->geometry(), QRect(QPoint(cell.left() + 2, cell.top() + 1), cell.bottomRight()));

  Type("14", Qt::Key_Tab);
  EXPECT_EQ(Grid().ItemText(0, 1), "14");
  ASSERT_NE(dlg->CellEditor(), nullptr);
  EXPECT_EQ(dlg->EditRow(), 1);
  EXPECT_TRUE(dlg->CellEditor()->hasFocus());

  // Enter takes the mark and closes the editor where it is.
  Type("abs", Qt::Key_Return);
  EXPECT_EQ(Grid().ItemText(1, 1), "abs");
  EXPECT_EQ(dlg->CellEditor(), nullptr);
  EXPECT_EQ(dlg->Mode(), GradeMode::Adding);
  // Enter again with no editor, then Tab in a new editor still moves on.
  QTest::keyClick(&Grid(), Qt::Key_Return);
  DoubleClickCell(1, 1);
  EXPECT_EQ(dlg->CellEditor()->text(), "abs");
  Type("9.5", Qt::Key_Tab);
  EXPECT_EQ(Grid().ItemText(1, 1), "9.5");
  EXPECT_EQ(dlg->EditRow(), 2);
  // Tab on the last student's row opens nothing more.
  Type("123456789012345678901234567890123456", Qt::Key_Tab);
  EXPECT_EQ(Grid().ItemText(2, 1), "1234567890123456789012345678901");
  EXPECT_EQ(dlg->CellEditor(), nullptr);

  // A click elsewhere in the grid takes the mark and opens the next row too;
  // F2 on the grid opens the editor on the highlighted row, as a double
  // click does.
  Grid().SelectRow(0);
  Grid().setFocus();
  QTest::keyClick(&Grid(), Qt::Key_F2);
  EXPECT_EQ(dlg->CellEditor()->selectedText(), "14");  // typing replaces it
  QTest::keyClicks(dlg->CellEditor(), "x");
  ClickCell(2, 0);
  QCoreApplication::processEvents();
  EXPECT_EQ(Grid().ItemText(0, 1), "x");
  ASSERT_NE(dlg->CellEditor(), nullptr);
  EXPECT_EQ(dlg->EditRow(), 1);
  // A click on a field takes the mark and leaves the field the focus.
  QTest::keyClicks(dlg->CellEditor(), "7");
  QTest::mouseClick(Ctl(1139), Qt::LeftButton);
  QCoreApplication::processEvents();
  EXPECT_EQ(Grid().ItemText(1, 1), "7");
  EXPECT_EQ(dlg->CellEditor(), nullptr);
  EXPECT_TRUE(Ctl(1139)->hasFocus());
  DoubleClickCell(1, 1);
  // A double click on another cell keeps what the open editor holds.
  QTest::keyClicks(dlg->CellEditor(), "12");
  DoubleClickCell(0, 1);
  EXPECT_EQ(Grid().ItemText(1, 1), "12");
  EXPECT_EQ(dlg->EditRow(), 0);

  Click(3);
  EXPECT_EQ(dlg->CellEditor(), nullptr);
  EXPECT_EQ(MarksOf(Book(0).students[0].grades, 1, kWritten), (std::vector<float>{12, 16, 0}));
  EXPECT_EQ(MarksOf(Book(0).students[1].grades, 1, kWritten), (std::vector<float>{8, 10, 12}));
  EXPECT_EQ(MarksOf(Book(0).students[2].grades, 1, kWritten),
            (std::vector<float>{15, -1, static_cast<float>(1234567890123456789012345678901.0)}));
}

TEST_F(GradeEntryTest, MarksAndCoefficientsPastAFloatAreRefused) {
  OpenSixthGrade();
  Menu(res::kCmdNewGrade);
  DoubleClickCell(0, 1);
  Type("1e308", Qt::Key_Tab);
  // The cell keeps its text and the editor stays on it.
  EXPECT_EQ(Grid().ItemText(0, 1), "");
  EXPECT_EQ(dlg->EditRow(), 0);
  Type("3.5e38", Qt::Key_Return);
  EXPECT_EQ(Grid().ItemText(0, 1), "");
  Type("12", Qt::Key_Return);
  EXPECT_EQ(Grid().ItemText(0, 1), "12");

  Edit(res::kCtlCoefficient).setText("1e39");
  Click(res::kIdValidate);
  EXPECT_EQ(dlg->Mode(), GradeMode::Adding);
  EXPECT_EQ(main.saves, 0);
  const std::vector<std::string> expected{"Note trop grande : 1e308", "Note trop grande : 3.5e38",
                                          "Coefficient trop grand : 1e39"};
  EXPECT_EQ(main.services.messages.Texts(), expected);
  EXPECT_EQ(main.services.messages.shown[0].caption, "Attention");
  EXPECT_EQ(main.services.messages.shown[0].icon, MessageIcon::Exclamation);

  // A cell filled without the editor (a paste) is checked when validating.
  Edit(res::kCtlCoefficient).setText("2");
  Grid().SetItemText(1, 1, "4e38");
  Click(res::kIdValidate);
  EXPECT_EQ(dlg->Mode(), GradeMode::Adding);
  EXPECT_EQ(main.services.messages.Texts().back(), "Note trop grande : 4e38");
  Grid().SetItemText(1, 1, "");
  Click(res::kIdValidate);
  EXPECT_EQ(dlg->Mode(), GradeMode::Normal);
  EXPECT_EQ(MarksOf(Book(0).students[0].grades, 1, kWritten), (std::vector<float>{12, 16, 12}));
}

TEST_F(GradeEntryTest, PastingMarksOnAnyScaleAndCopyingTheGrid) {
  std::vector<StudentRecord> students;
  for (const char* name : {"Aubert", "Blanc", "Caron", "David", "Etienne", "Fabre"}) {
    students.push_back(Student(name, "X"));
  }
  ClassRecord record = Class("5e B", "2026", std::move(students));
  ASSERT_EQ(AppendClass(main.book, record), AppendResult::Done);
  Open();
  Menu(32791);
  DoubleClickCell(0, 1);
  QApplication::clipboard()->setText("12,5\n\nabs\n15/30\n3/0\t9\n");
  QTest::keyClick(dlg->CellEditor(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"12,5", "", "abs", "15/30", "3/0", ""}));
  ASSERT_NE(dlg->CellEditor(), nullptr);
  EXPECT_EQ(dlg->EditRow(), 4);
  EXPECT_EQ(dlg->CellEditor()->text(), "3/0");
  Type("7/0", Qt::Key_Tab);
  // On the last row only the first line is taken.
  QApplication::clipboard()->setText("7,5/10\r\n5\r\n");
  QTest::keyClick(dlg->CellEditor(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(dlg->EditRow(), 5);
  EXPECT_EQ(dlg->CellEditor()->text(), "7,5/10");

  // A scale of 0 is refused; the cell keeps its text and nothing is written.
  Click(3);
  EXPECT_EQ(main.services.messages.Texts(), (std::vector<std::string>{"Barème invalide : 7/0"}));
  EXPECT_EQ(dlg->Mode(), GradeMode::Adding);
  EXPECT_EQ(main.saves, 0);
  EXPECT_EQ(Column(1)[4], "7/0");

  DoubleClickCell(4, 1);
  Type("16.5", Qt::Key_Return);
  Grid().setFocus();
  QTest::keyClick(&Grid(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
            "5e B, année 2026\tNotes\nAubert, X\t12,5\nBlanc, X\t\nCaron, X\tabs\n"
            "David, X\t15/30\nEtienne, X\t16,5\nFabre, X\t7,5/10\n");

  Click(3);
  EXPECT_EQ(dlg->Mode(), GradeMode::Normal);
  std::vector<float> marks;
  for (const StudentRecord& student : Book(0).students) {
    marks.push_back(student.grades.back().value);
  }
  EXPECT_EQ(marks, (std::vector<float>{12.5f, -1, -1, 10, 16.5f, 15}));
  EXPECT_EQ(FileContent(), main.book);
}

TEST_F(GradeEntryTest, AClickWhileTypingAColumnActsAtOnce) {
  OpenSixthGrade();
  Menu(32791);
  DoubleClickCell(0, 1);
  QTest::keyClicks(dlg->CellEditor(), "12");
  // A category radio takes the click; the mark is kept and no editor opens.
  PressThenRelease(1132);
  EXPECT_TRUE(Checked(1132));
  EXPECT_EQ(Grid().ItemText(0, 1), "12");
  EXPECT_EQ(dlg->CellEditor(), nullptr);

  DoubleClickCell(1, 1);
  QTest::keyClicks(dlg->CellEditor(), "8");
  PressThenRelease(3);  // "Valider", with rows left below the editor
  EXPECT_EQ(dlg->Mode(), GradeMode::Normal);
  EXPECT_EQ(dlg->CellEditor(), nullptr);
  EXPECT_EQ(Book(0).gradeCount[1], 1);
  EXPECT_EQ(MarksOf(Book(0).students[1].grades, 1, kOral), (std::vector<float>{8}));
  EXPECT_EQ(MarksOf(FileContent().classes[0].students[0].grades, 1, kOral),
            (std::vector<float>{12}));

  // "Annuler" in the middle of a column leaves Adding at once.
  Menu(32791);
  DoubleClickCell(0, 1);
  QTest::keyClicks(dlg->CellEditor(), "5");
  PressThenRelease(2);
  EXPECT_EQ(dlg->Mode(), GradeMode::Normal);
  EXPECT_EQ(Book(0).gradeCount[1], 1);
}

TEST_F(GradeEntryTest, LeavingTheWindowTakesTheMarkAndDetailsShowTheWholeText) {
  ClassRecord record = Class("6e A", "2026 - 2027", {Student("Martin", "Léa")});
  AddColumn(record, 1, kWritten, {12}, 1, "Contrôle de géométrie, chapitre 12");
  ASSERT_EQ(AppendClass(main.book, record), AppendResult::Done);
  Open();
  ClickCell(0, 0);
  EXPECT_EQ(Edit(1139).text(), "Contrôle de géométrie, chapitre 12");  // all 34 characters

  Menu(32791);
  DoubleClickCell(0, 1);
  QTest::keyClicks(dlg->CellEditor(), "15");
  QWidget other;
  test::ShowActive(other);
  EXPECT_EQ(dlg->CellEditor(), nullptr);
  EXPECT_EQ(Grid().ItemText(0, 1), "15");
}

TEST_F(GradeEntryTest, ModifyingEditorIsSixtyPixelsWide) {
  OpenSixthGrade();
  Menu(32793);
  DoubleClickCell(1, 3);
  QLineEdit* editor = dlg->CellEditor();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->text(), "13.00");
  QRect cell = Grid().CellRect(1, 3);
  cell.moveTopLeft(Grid().mapTo(dlg->ClientArea(), cell.topLeft()));
  EXPECT_EQ(editor->geometry(), QRect(cell.left() + 2, cell.top() + 1, 60, cell.height() - 1));
  // Tab commits without moving on.
  Type("abs", Qt::Key_Tab);
  EXPECT_EQ(Grid().ItemText(1, 3), "abs");
  EXPECT_EQ(dlg->CellEditor(), nullptr);
  DoubleClickCell(0, 0);
  Type("3", Qt::Key_Return);
  EXPECT_EQ(dlg->CellEditor(), nullptr);
  Click(3);
  EXPECT_EQ(MarksOf(Book(0).students[0].grades, 2, kOral), (std::vector<float>{10, -1, 7}));
  EXPECT_EQ(MarksOf(Book(0).students[0].grades, 1, kWritten), (std::vector<float>{3, 16}));
}

TEST_F(GradeEntryTest, EscapeByMode) {
  OpenSixthGrade();
  Menu(32791);
  DoubleClickCell(0, 1);
  Type("5", Qt::Key_Escape);  // from inside the editor
  EXPECT_EQ(dlg->Mode(), GradeMode::Normal);
  EXPECT_EQ(dlg->CellEditor(), nullptr);
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_EQ(main.reverts, 1);
  EXPECT_EQ(Book(0).gradeCount[0], 2);

  Menu(32820);
  QTest::keyClick(dlg.get(), Qt::Key_Escape);
  EXPECT_EQ(dlg->Mode(), GradeMode::Normal);
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_EQ(main.rebuilds, 1);  // the cancelled column leaves the tree too

  QTest::keyClick(dlg.get(), Qt::Key_Escape);
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(dlg->result(), QDialog::Accepted);
  EXPECT_EQ(main.rebuilds, 2);
  EXPECT_EQ(main.reverts, 2);
  EXPECT_EQ(main.saves, 0);
}

// Another program damaged the file while the window was open: "Annuler"
// goes back to what this program last saved without reading the file, and
// nothing is written over the other program's file without asking.
TEST_F(GradeEntryTest, AFileDamagedBehindTheWindowIsNeitherReadOnCancelNorOverwritten) {
  OpenSixthGrade();
  const Gradebook before = main.book;
  Menu(32792);
  main.services.messages.AnswerYes();
  DoubleClickCell(0, 0);
  test::WriteBytes("Vellanor.db", {'n', 'o', 't', ' ', 'a', ' ', 'd', 'b'});
  Click(2);
  EXPECT_EQ(dlg->Mode(), GradeMode::Normal);
  EXPECT_EQ(main.book, before);
  EXPECT_EQ(main.reverts, 1);
  // Whatever the gradebook holds now, the window looks it up and copes.
  for (int command : {32791, 32792, 32793, 32820}) {
    Menu(command);
    Click(1101);
    ClickCell(0, 0);
    Click(2);
  }
  Click(1099);
  Click(1101);
  Click(2);
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(test::ReadBytes("Vellanor.db"),
            (std::vector<unsigned char>{'n', 'o', 't', ' ', 'a', ' ', 'd', 'b'}));
}

}  // namespace
}  // namespace vellanor

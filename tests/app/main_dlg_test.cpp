#include "app/main_dlg.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include "app/grade_chart_view.h"
#include "model/database_codec.h"
#include "model/gradebook.h"
#include "resources/ids.h"
#include "resources/images.h"
#include "support/fake_services.h"
#include "support/qt_events.h"
#include "support/record_builders.h"
#include "support/temp_dir.h"
#include "widgets/report_list.h"

namespace vellanor {
namespace {

using platform::MessageButtons;
using platform::MessageIcon;

using test::Class;
using test::Mark;
using test::Student;

// Two classes: 4e B with three students and two written T1 columns, and an
// empty 3e A.
Gradebook SmallBook() {
  ClassRecord fourth = Class("4e B", "2004 - 2005");
  fourth.gradeCount = {2, 0, 0, 0, 0, 0};
  fourth.average = {11.0f, NAN, NAN, NAN, NAN, NAN};
  fourth.columns = {Mark(12.0f, 1, 0, 1.0f, "DS1"), Mark(10.0f, 1, 0, 1.0f, "DS2")};
  fourth.students = {Student("Dupont", "L\xE9o", 1), Student("Martin", "Julie", 0),
                     Student("Petit", "Camille", 2)};
  fourth.students[0].grades = {Mark(12.0f, 1, 0, 1.0f, "DS1"), Mark(-1.0f, 1, 0, 1.0f, "DS2")};
  fourth.students[0].average = {NAN, NAN, NAN, NAN, NAN, NAN};
  fourth.students[1].grades = {Mark(12.0f, 1, 0, 1.0f, "DS1"), Mark(10.0f, 1, 0, 1.0f, "DS2")};
  fourth.students[2].grades = {Mark(12.0f, 1, 0, 1.0f, "DS1"), Mark(10.0f, 1, 0, 1.0f, "DS2")};
  fourth.studentCount = 3;
  const ClassRecord third = Class("3e A", "2005 - 2006");
  Gradebook book;
  book.classes = {fourth, third};
  return book;
}

struct MainWindowTest : testing::Test {
  test::FakeServices services;
  CMainDlg dialog{services.Get(), nullptr, 1.0};

  QTreeWidget& Tree() { return dialog.Bind<QTreeWidget>(1001); }
  widgets::ReportList& Panel() { return dialog.Bind<widgets::ReportList>(1043); }
  QTreeWidgetItem* Root() { return Tree().topLevelItem(0); }

  void Load(Gradebook book) {
    dialog.GetGradebook() = std::move(book);
    dialog.RebuildTree();
  }
  void DoubleClick(QTreeWidgetItem* item) {
    Tree().setCurrentItem(item);
    emit Tree().itemDoubleClicked(item, 0);
  }
  std::vector<std::string> PanelColumn(int column) {
    std::vector<std::string> texts;
    for (int row = 0; row < Panel().rowCount(); ++row) {
      texts.push_back(Panel().ItemText(row, column).toStdString());
    }
    return texts;
  }
  template <class T>
  int Count() {
    int count = 0;
    for (const ChartPrimitive& p : dialog.Chart().Primitives()) {
      count += std::holds_alternative<T>(p) ? 1 : 0;
    }
    return count;
  }
  std::vector<std::string> ChartTexts() {
    std::vector<std::string> texts;
    for (const ChartPrimitive& p : dialog.Chart().Primitives()) {
      if (const auto* text = std::get_if<ChartText>(&p)) {
        texts.push_back(text->text);
      }
    }
    return texts;
  }
};

QImage Image(const QIcon& icon) {
  return icon.pixmap(24, 24).toImage().convertToFormat(QImage::Format_ARGB32);
}
QImage Image(int iconId) {
  return res::IconPixmap(iconId, 24).toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST_F(MainWindowTest, WindowPanelAndTreeOfAnEmptyGradebook) {
  EXPECT_EQ(dialog.windowTitle(), "Vellanor 2.0");
  EXPECT_FALSE(dialog.windowIcon().isNull());
  ASSERT_EQ(Tree().topLevelItemCount(), 1);
  EXPECT_EQ(Root()->text(0), "Vellanor");
  EXPECT_EQ(Root()->childCount(), 0);
  EXPECT_EQ(Root()->data(0, CMainDlg::kImageRole).toInt(), 5);
  EXPECT_EQ(Image(Root()->icon(0)), Image(149));
  EXPECT_EQ(Tree().iconSize(), QSize(24, 24));

  ASSERT_EQ(Panel().columnCount(), 2);
  EXPECT_EQ(Panel().horizontalHeaderItem(0)->text(), "Informations");
  EXPECT_EQ(Panel().horizontalHeaderItem(1)->text(), "Données");
  EXPECT_EQ(Panel().columnWidth(0), 150);
  EXPECT_EQ(Panel().columnWidth(1), 1000);
  EXPECT_TRUE(Panel().showGrid());
  EXPECT_EQ(Panel().rowCount(), 0);

  EXPECT_EQ(dialog.CheckedRadioButton(1055), 1055);
  EXPECT_TRUE(dialog.Chart().Primitives().empty());  // blank until asked for

  EXPECT_EQ(Tree().toolTip(), "Affiche la liste des classes et des élèves");
  EXPECT_EQ(Panel().toolTip(),
            "Affiche les informations concernant la classe ou l'élève sélectionné");
  EXPECT_EQ(dialog.Chart().toolTip(), "Affiche le graphique de la notation");
}

TEST_F(MainWindowTest, TreeListsClassesAndStudentsInOrderWithTheirImages) {
  Load(SmallBook());
  ASSERT_EQ(Tree().topLevelItemCount(), 1);
  ASSERT_EQ(Root()->childCount(), 2);
  EXPECT_FALSE(Root()->isExpanded());
  QTreeWidgetItem* fourth = Root()->child(0);
  EXPECT_EQ(fourth->text(0), "4e B (2004 - 2005)");
  EXPECT_EQ(Root()->child(1)->text(0), "3e A (2005 - 2006)");
  EXPECT_EQ(Root()->child(1)->childCount(), 0);
  ASSERT_EQ(fourth->childCount(), 3);
  EXPECT_EQ(fourth->child(0)->text(0), "Dupont, Léo");
  EXPECT_EQ(fourth->child(1)->text(0), "Martin, Julie");
  EXPECT_EQ(fourth->child(2)->text(0), "Petit, Camille");

  // Image indexes: 0 class, 1 boy, 2 girl (any sex but 1).
  EXPECT_EQ(fourth->data(0, CMainDlg::kImageRole).toInt(), 0);
  EXPECT_EQ(fourth->child(0)->data(0, CMainDlg::kImageRole).toInt(), 1);
  EXPECT_EQ(fourth->child(1)->data(0, CMainDlg::kImageRole).toInt(), 2);
  EXPECT_EQ(fourth->child(2)->data(0, CMainDlg::kImageRole).toInt(), 2);
  EXPECT_EQ(Image(fourth->icon(0)), Image(136));
  EXPECT_EQ(Image(fourth->child(0)->icon(0)), Image(138));
  EXPECT_EQ(Image(fourth->child(1)->icon(0)), Image(137));
  EXPECT_NE(Image(137), Image(138));

  // A rebuild starts again from the gradebook.
  dialog.GetGradebook().classes.pop_back();
  dialog.RebuildTree();
  ASSERT_EQ(Tree().topLevelItemCount(), 1);
  EXPECT_EQ(Root()->childCount(), 1);
}

TEST_F(MainWindowTest, DoubleClickShowsTheClassOrTheStudentAndTheFirstTrimesterChart) {
  Load(SmallBook());
  dialog.Bind<QRadioButton>(1076).click();
  EXPECT_EQ(dialog.ChartMode(), 0);

  DoubleClick(Root()->child(0));
  EXPECT_EQ(dialog.CheckedRadioButton(1055), 1055);
  EXPECT_EQ(dialog.ChartMode(), 1);
  EXPECT_EQ(PanelColumn(0),
            (std::vector<std::string>{
                "Nom: ", "Informations: ", "Année: ", "Nombre d'élèves: ",
                "Nombre de notes trimestre 1:", "Note(s) écrite(s)", "Moyenne Ecrite",
                "Nombre de notes trimestre 2:", "Nombre de notes trimestre 3:"}));
  EXPECT_EQ(Panel().ItemText(3, 1), "3");
  EXPECT_EQ(Panel().ItemText(4, 1), "2 écrite(s), 0 orale(s)");
  EXPECT_EQ(Panel().ItemText(5, 1),
            "12.00 (coef: 1.00, info: DS1) - 10.00 (coef: 1.00, info: DS2)");
  EXPECT_EQ(Panel().ItemText(6, 1), "11.00");
  EXPECT_EQ(Count<ChartEllipse>(), 2);  // the class's two columns

  dialog.Bind<QRadioButton>(1057).click();
  DoubleClick(Root()->child(0)->child(0));
  EXPECT_EQ(dialog.CheckedRadioButton(1055), 1055);
  EXPECT_EQ(Panel().ItemText(0, 0), "Nom:");
  EXPECT_EQ(Panel().ItemText(0, 1), "Dupont");
  EXPECT_EQ(Panel().ItemText(1, 1), "Léo");
  EXPECT_EQ(Panel().ItemText(3, 1), "Garçon");
  EXPECT_EQ(Panel().ItemText(7, 1), "12.00 (coef 1.00, info: DS1) - abs (coef 1.00, info: DS2)");
  EXPECT_EQ(Panel().ItemText(8, 1), "abs");  // the student's stored average is NaN
  // Its explanation says the stored value is not what the marks give.
  const QString explanation = QStringLiteral(
      "(12,00 × 1,00) / 1,00 = 12,00 ; 1 absence non comptée ; "
      "moyenne enregistrée abs, recalculée 12,00");
  EXPECT_EQ(Panel().item(8, 0)->toolTip(), explanation);
  EXPECT_EQ(Panel().item(8, 1)->toolTip(), explanation);
  EXPECT_EQ(Panel().ItemText(9, 0), "");
  EXPECT_EQ(Panel().ItemText(9, 1), explanation);
  EXPECT_EQ(Count<ChartEllipse>(), 1);  // the absence takes no point

  // The root: the panel and the chart stay as they were.
  const std::size_t drawn = dialog.Chart().Primitives().size();
  DoubleClick(Root());
  EXPECT_EQ(Panel().ItemText(0, 1), "Dupont");
  EXPECT_EQ(dialog.Chart().Primitives().size(), drawn);
}

TEST_F(MainWindowTest, PositionThatFindsNothingEmptiesThePanelAndDrawsNoChart) {
  Load(SmallBook());
  DoubleClick(Root()->child(0));
  const std::size_t drawn = dialog.Chart().Primitives().size();
  ASSERT_GT(Panel().rowCount(), 0);

  // The tree is out of step with the gradebook: its first class is gone.
  dialog.GetGradebook().classes.erase(dialog.GetGradebook().classes.begin());
  DoubleClick(Root()->child(1));
  EXPECT_EQ(Panel().rowCount(), 0);
  EXPECT_EQ(dialog.Chart().Primitives().size(), drawn);

  dialog.ShowInfo(TreeSelection::StudentItem(0, 7));  // no eighth student
  EXPECT_EQ(Panel().rowCount(), 0);
  dialog.ShowInfo(TreeSelection::ClassItem(-1));
  EXPECT_EQ(Panel().rowCount(), 0);
}

TEST_F(MainWindowTest, RadioButtonsRedrawTheLastSelectionInTheirMode) {
  Load(SmallBook());
  // Nothing selected yet: the first class is drawn.
  dialog.Bind<QRadioButton>(1056).click();
  EXPECT_EQ(dialog.ChartMode(), 2);
  EXPECT_EQ(Count<ChartEllipse>(), 0);  // 4e B has no column in trimester 2
  EXPECT_EQ(Count<ChartFrame>(), 1);
  dialog.Bind<QRadioButton>(1055).click();
  EXPECT_EQ(dialog.ChartMode(), 1);
  EXPECT_EQ(Count<ChartEllipse>(), 2);
  EXPECT_EQ(ChartTexts(), (std::vector<std::string>{"Ecrit", "Oral"}));

  // Comparison of the student shown last, with the legend.
  DoubleClick(Root()->child(0)->child(1));
  dialog.Bind<QRadioButton>(1076).click();
  EXPECT_EQ(dialog.ChartMode(), 0);
  EXPECT_EQ(dialog.CheckedRadioButton(1055), 1076);
  EXPECT_EQ(Count<ChartEllipse>(), 2);
  EXPECT_EQ(ChartTexts(), (std::vector<std::string>{"Ecrit", "Oral", "Trimestre 1", "Trimestre 2",
                                                    "Trimestre 3"}));
  // The chart follows the data at each request.
  dialog.GetGradebook().classes[0].students[1].grades[1].value = -1.0f;
  dialog.Bind<QRadioButton>(1055).click();
  EXPECT_EQ(Count<ChartEllipse>(), 1);
}

TEST_F(MainWindowTest, RadioWithoutAnyClassDrawsTheFrameAndAxesOnly) {
  dialog.Bind<QRadioButton>(1057).click();
  EXPECT_EQ(Count<ChartFrame>(), 1);
  EXPECT_EQ(Count<ChartEllipse>(), 0);
  // 12 axis segments, 14 grade marks, 2 pass lines.
  EXPECT_EQ(Count<ChartLine>(), 28);
  EXPECT_EQ(ChartTexts(), (std::vector<std::string>{"Ecrit", "Oral"}));
}

TEST_F(MainWindowTest, CommandsThatNeedAClassAreRefusedOnAnEmptyGradebook) {
  std::vector<int> ran;
  for (int id : {32775, 32776, 32777, 32779, 32797, 32780, 32819, 32816}) {
    dialog.SetCommandHandler(id, [&ran, id] { ran.push_back(id); });
  }
  for (int id : {32775, 32776, 32777, 32779, 32797, 32780, 32819}) {
    ASSERT_NE(dialog.MenuAction(id), nullptr) << id;
    dialog.MenuAction(id)->trigger();
  }
  EXPECT_EQ(ran, (std::vector<int>{32775, 32819}));
  const auto& shown = services.messages.shown;
  ASSERT_EQ(shown.size(), 5u);
  EXPECT_EQ(shown[0].text, "Créer une classe s'il vous plaît");
  for (std::size_t i = 1; i < shown.size(); ++i) {
    EXPECT_EQ(shown[i].text, "Il n'y a aucune classe dans la base de données");
  }
  for (const auto& message : shown) {
    EXPECT_EQ(message.caption, "Attention");
    EXPECT_EQ(message.icon, MessageIcon::Exclamation);
    EXPECT_EQ(message.buttons, MessageButtons::Ok);
  }

  // With a class, every command runs its action and nothing is said.
  Load(SmallBook());
  services.messages.shown.clear();
  ran.clear();
  for (int id : {32776, 32777, 32779, 32797, 32780}) {
    dialog.MenuAction(id)->trigger();
  }
  EXPECT_EQ(ran, (std::vector<int>{32776, 32777, 32779, 32797, 32780}));
  EXPECT_TRUE(services.messages.shown.empty());

  // Commands whose window is not registered do nothing.
  for (int id : {32783, 32785, 32773, 32774, 16}) {
    dialog.SendCommand(id);
  }
  EXPECT_TRUE(services.messages.shown.empty());
}

TEST_F(MainWindowTest, ContextMenuIsGrayedWithoutClassesAndActsOnTheSelection) {
  QMenu* menu = dialog.PrepareContextMenu();
  ASSERT_NE(menu, nullptr);
  std::vector<std::pair<int, bool>> states;
  for (QAction* action : menu->actions()) {
    if (!action->isSeparator()) {
      states.push_back({action->data().toInt(), action->isEnabled()});
    }
  }
  EXPECT_EQ(states, (std::vector<std::pair<int, bool>>{{32816, true},
                                                       {32817, false},
                                                       {32813, false},
                                                       {32812, false},
                                                       {32818, false},
                                                       {32815, false}}));

  Load(SmallBook());
  Tree().setCurrentItem(Root()->child(1));
  menu = dialog.PrepareContextMenu();
  for (QAction* action : menu->actions()) {
    EXPECT_TRUE(action->isEnabled()) << action->text().toStdString();
  }
  // "D&upliquer cette classe" on the selected 3e A.
  services.messages.AnswerYes();
  for (QAction* action : menu->actions()) {
    if (action->data().toInt() == 32812) {
      action->trigger();
    }
  }
  ASSERT_EQ(services.messages.shown.size(), 1u);
  EXPECT_EQ(services.messages.shown[0].text,
            "Etes vous sûr de vouloir dupliquer la classe <3e A> de <2005 - 2006>?");
  ASSERT_EQ(Root()->childCount(), 3);
  EXPECT_EQ(Root()->child(2)->text(0), "3e A copie (2005 - 2006)");
  EXPECT_TRUE(std::filesystem::exists("Vellanor.db"));

  // "Du&pliquer cet élève" with a class selected asks for a student.
  Tree().setCurrentItem(Root()->child(0));
  dialog.SendCommand(32818);
  EXPECT_EQ(services.messages.shown.back().text, "Sélectionner un élève, s'il vous plaît");
}

TEST_F(MainWindowTest, RightClickKeepsTheSelectionTheContextMenuActsOn) {
  Load(SmallBook());
  test::ShowActive(dialog);
  Root()->setExpanded(true);
  Tree().setCurrentItem(Root()->child(1));
  const QPoint onFourth = Tree().visualItemRect(Root()->child(0)).center();
  test::PressThenRelease(Tree().viewport(), Qt::RightButton, onFourth);
  EXPECT_EQ(Tree().selectedItems(), QList<QTreeWidgetItem*>{Root()->child(1)});
  EXPECT_FALSE(Root()->child(0)->isExpanded());

  // "D&upliquer cette classe" copies the class selected, 3e A.
  services.messages.AnswerYes();
  for (QAction* action : dialog.PrepareContextMenu()->actions()) {
    if (action->data().toInt() == 32812) {
      action->trigger();
    }
  }
  ASSERT_EQ(Root()->childCount(), 3);
  EXPECT_EQ(Root()->child(2)->text(0), "3e A copie (2005 - 2006)");

  // A double click below the items shows the selected item, from trimester 1.
  dialog.Bind<QRadioButton>(1057).click();
  Root()->setExpanded(true);
  Tree().setCurrentItem(Root()->child(0));
  const QPoint below(10, Tree().viewport()->height() - 5);
  QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, below);
  QTest::mouseDClick(Tree().viewport(), Qt::LeftButton, {}, below);
  EXPECT_EQ(Tree().selectedItems(), QList<QTreeWidgetItem*>{Root()->child(0)});
  EXPECT_EQ(Panel().ItemText(0, 1), "4e B");
  EXPECT_EQ(dialog.CheckedRadioButton(1055), 1055);
}

TEST_F(MainWindowTest, EscapeAndEnterEndTheDialog) {
  dialog.show();
  dialog.SendCommand(2);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), 0);
  dialog.show();
  dialog.SendCommand(1);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), 1);
}

}  // namespace
}  // namespace vellanor

namespace vellanor {
namespace {

TEST_F(MainWindowTest, CtrlZUndoesTheLastChangeAndCtrlYOrCtrlShiftZRedoesIt) {
  const std::vector<std::uint8_t> encoded = EncodeDatabase(SmallBook());
  const std::vector<unsigned char> start(encoded.begin(), encoded.end());
  test::WriteBytes("Vellanor.db", start);
  ASSERT_TRUE(dialog.LoadDatabase());
  QAction* undo = dialog.MenuAction(res::kCmdUndo);
  QAction* redo = dialog.MenuAction(res::kCmdRedo);
  EXPECT_EQ(undo->text(), "&Annuler");
  EXPECT_FALSE(undo->isEnabled());
  EXPECT_FALSE(redo->isEnabled());

  // The class deleted as the delete dialog does it.
  ASSERT_TRUE(RemoveClass(dialog.GetGradebook(), 0));
  ASSERT_TRUE(dialog.Commit({ChangeKind::ClassDeleted, 0, "suppression de la classe 4e B"}));
  EXPECT_EQ(Root()->childCount(), 1);
  EXPECT_EQ(undo->text(), "&Annuler : suppression de la classe 4e B");
  EXPECT_TRUE(undo->isEnabled());

  test::ShowActive(dialog);
  QTest::keyClick(&Tree(), Qt::Key_Z, Qt::ControlModifier);
  // Back at its place, with its students and marks, on disk too.
  EXPECT_EQ(test::ReadBytes("Vellanor.db"), start);
  ASSERT_EQ(Root()->childCount(), 2);
  EXPECT_EQ(Root()->child(0)->text(0), "4e B (2004 - 2005)");
  EXPECT_EQ(Root()->child(0)->childCount(), 3);
  EXPECT_FALSE(undo->isEnabled());
  EXPECT_EQ(redo->text(), "&Rétablir : suppression de la classe 4e B");

  QTest::keyClick(&Tree(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Root()->childCount(), 1);
  QTest::keyClick(&Tree(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Root()->childCount(), 2);
  QTest::keyClick(&Tree(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Root()->childCount(), 1);
  EXPECT_EQ(dialog.GetGradebook().classes[0].name.Str(), "3e A");
  EXPECT_TRUE(services.messages.shown.empty());
}

TEST_F(MainWindowTest, ComingBackToTheWindowOffersAFileAnotherProgramChanged) {
  const std::vector<std::uint8_t> encoded = EncodeDatabase(SmallBook());
  test::WriteBytes("Vellanor.db", {encoded.begin(), encoded.end()});
  ASSERT_TRUE(dialog.LoadDatabase());
  test::ShowActive(dialog);
  QApplication::processEvents();
  EXPECT_TRUE(services.messages.shown.empty());

  Gradebook other;
  ASSERT_EQ(AppendClass(other, test::Class("6e C", "2027")), AppendResult::Done);
  const std::vector<std::uint8_t> otherBytes = EncodeDatabase(other);
  test::WriteBytes("Vellanor.db", {otherBytes.begin(), otherBytes.end()});
  QWidget elsewhere;
  test::ShowActive(elsewhere);
  services.messages.AnswerYes();
  test::ShowActive(dialog);
  QApplication::processEvents();
  EXPECT_EQ(services.messages.Texts(), std::vector<std::string>{ReloadQuestion("Vellanor.db")});
  ASSERT_EQ(Root()->childCount(), 1);
  EXPECT_EQ(Root()->child(0)->text(0), "6e C (2027)");
}

}  // namespace
}  // namespace vellanor

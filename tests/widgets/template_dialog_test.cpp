#include "widgets/template_dialog.h"

#include <gtest/gtest.h>

#include <vector>

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include "resources/dialog_template.h"
#include "support/qt_events.h"
#include "widgets/dialog_units.h"
#include "widgets/icon_button.h"
#include "widgets/report_list.h"

namespace vellanor::widgets {
namespace {

// A dialog that records the commands it receives instead of acting on them.
class Recorder : public TemplateDialog {
 public:
  explicit Recorder(int id, double scale = 1.0) : TemplateDialog(id, nullptr, scale) {}
  std::vector<int> commands;

 protected:
  void OnCommand(int id) override { commands.push_back(id); }
};

TEST(DialogUnitsTest, ConvertsAndRoundsHalvesAway) {
  EXPECT_EQ(UnitsToPixelsX(204, 1.0), 306);
  EXPECT_EQ(UnitsToPixelsY(185, 1.0), 301);   // 300.625
  EXPECT_EQ(UnitsToPixelsY(156, 1.0), 254);   // 253.5
  EXPECT_EQ(UnitsToPixelsX(63, 1.0), 95);     // 94.5
  EXPECT_EQ(UnitsToPixelsX(204, 1.25), 383);  // 382.5
  EXPECT_EQ(UnitsToPixelsY(8, 2.0), 26);
  EXPECT_EQ(FontFamilyFor("MS Sans Serif"), "Liberation Sans");
  EXPECT_EQ(FontFamilyFor("Arial"), "Liberation Sans");
  EXPECT_EQ(FontFamilyFor("Times New Roman"), "Liberation Serif");
}

TEST(TemplateDialogTest, MainWindowClientAreaAndChartFrameGeometry) {
  TemplateDialog dialog(102, nullptr, 1.0);
  ASSERT_NE(dialog.MenuBar(), nullptr);
  EXPECT_EQ(dialog.ClientArea()->size(), QSize(759, 596));
  // The client area starts right below the menu bar.
  EXPECT_GT(dialog.MenuBar()->height(), 0);
  EXPECT_EQ(dialog.ClientArea()->pos(), QPoint(0, dialog.MenuBar()->height()));
  EXPECT_EQ(dialog.size(), QSize(759, 596 + dialog.MenuBar()->height()));

  const QRect frame = dialog.Control(1054)->geometry();
  EXPECT_EQ(frame, QRect(306, 301, 432, 254));
  // The chart is drawn at fixed client coordinates, x 330..710, y 310..530.
  EXPECT_TRUE(frame.contains(QPoint(330, 310)));
  EXPECT_TRUE(frame.contains(QPoint(710, 530)));
  EXPECT_TRUE(frame.contains(QPoint(325, 320)));  // arrow heads
  EXPECT_TRUE(frame.contains(QPoint(700, 530)));  // legend
  EXPECT_EQ(dialog.Control(1001)->geometry(), QRect(24, 26, 246, 554));
  // Radio buttons take their template's place and size, never the next
  // one's, and their captions fit in it.
  const QRect radio = dialog.Control(1055)->geometry();
  EXPECT_EQ(radio.topLeft(), QPoint(306, 561));
  EXPECT_EQ(radio.height(), 20);
  EXPECT_EQ(radio.width(), 78);
  for (int id : {1055, 1056, 1057, 1076}) {
    EXPECT_GE(dialog.Control(id)->width(), dialog.Control(id)->sizeHint().width()) << id;
  }
  EXPECT_EQ(dialog.Control(1057)->geometry().right() + 1, dialog.Control(1076)->x());
  EXPECT_EQ(dialog.font().family(), "Liberation Sans");
  EXPECT_EQ(dialog.font().pointSize(), 8);
  EXPECT_EQ(dialog.windowTitle(), "Vellanor 2.0");
}

TEST(TemplateDialogTest, TimesNewRomanDialogAndScaledGeometry) {
  TemplateDialog dialog(141, nullptr, 1.0);
  EXPECT_EQ(dialog.MenuBar(), nullptr);
  EXPECT_EQ(dialog.ClientArea()->pos(), QPoint(0, 0));
  EXPECT_EQ(dialog.size(), QSize(269, 115));  // 268.5 x 115.375
  EXPECT_EQ(dialog.Control(1002)->geometry(), QRect(95, 44, 173, 20));
  EXPECT_EQ(dialog.font().family(), "Liberation Serif");
  EXPECT_EQ(dialog.Control(1002)->font().family(), "Liberation Serif");

  TemplateDialog large(102, nullptr, 1.25);
  EXPECT_EQ(large.ClientArea()->size(), QSize(949, 745));  // 948.75 x 745.47
  EXPECT_EQ(large.Control(1054)->geometry().topLeft(), QPoint(383, 376));
}

TEST(TemplateDialogTest, EveryTemplateBuildsItsControls) {
  for (int id : res::DialogTemplateIds()) {
    SCOPED_TRACE(id);
    TemplateDialog dialog(id, nullptr, 1.0);
    const res::DialogTemplate& t = dialog.Template();
    ASSERT_EQ(dialog.ClientArea()->children().size(), t.controls.size());
    for (int i = 0; i < static_cast<int>(t.controls.size()); ++i) {
      const res::ControlTemplate& c = t.controls[static_cast<std::size_t>(i)];
      QWidget* w = dialog.ControlAt(i);
      ASSERT_NE(w, nullptr);
      EXPECT_EQ(w->parent(), dialog.ClientArea());
      EXPECT_EQ(TemplateDialog::ControlId(w), c.id);
      if (c.id != res::kNoId) {
        EXPECT_EQ(dialog.Control(c.id), w);
      }
      EXPECT_EQ(w->isHidden(), c.Has(res::ctl::kHidden)) << c.id;
      const QString text = QString::fromStdString(c.text);
      switch (c.kind) {
        case res::ControlKind::kStatic:
          EXPECT_EQ(qobject_cast<QLabel*>(w)->text(), text);
          break;
        case res::ControlKind::kGroupBox:
          EXPECT_EQ(qobject_cast<QGroupBox*>(w)->title(), text);
          break;
        case res::ControlKind::kStaticIcon:
          EXPECT_FALSE(qobject_cast<QLabel*>(w)->pixmap().isNull());
          EXPECT_EQ(w->size(), QSize(32, 32));
          break;
        case res::ControlKind::kPushButton:
          EXPECT_EQ(qobject_cast<QPushButton*>(w)->text(), text);
          EXPECT_EQ(qobject_cast<IconButton*>(w) != nullptr, c.Has(res::ctl::kIconButton));
          break;
        case res::ControlKind::kEdit:
          EXPECT_NE(qobject_cast<QLineEdit*>(w), nullptr);
          break;
        case res::ControlKind::kComboBox: {
          auto* combo = qobject_cast<QComboBox*>(w);
          ASSERT_NE(combo, nullptr);
          EXPECT_EQ(combo->isEditable(), c.Has(res::ctl::kDropDown));
          EXPECT_EQ(combo->count(), static_cast<int>(c.items.size()));
          EXPECT_EQ(combo->currentIndex(), -1);
          // One line high, not the dropped-down list's height.
          EXPECT_LT(combo->height(), UnitsToPixelsY(15, 1.0));
          break;
        }
        case res::ControlKind::kRadioButton:
          EXPECT_EQ(qobject_cast<QRadioButton*>(w)->text(), text);
          break;
        case res::ControlKind::kTreeView:
          EXPECT_TRUE(qobject_cast<QTreeWidget*>(w)->isHeaderHidden());
          break;
        case res::ControlKind::kListView:
          EXPECT_NE(qobject_cast<ReportList*>(w), nullptr);
          break;
        default:
          break;
      }
    }
  }
}

TEST(TemplateDialogTest, PredefinedComboEntriesAndWindowButtons) {
  TemplateDialog newClass(141, nullptr, 1.0);
  auto& first = newClass.Bind<QComboBox>(1006);
  ASSERT_EQ(first.count(), 7);
  EXPECT_EQ(first.itemText(0), "2003");
  EXPECT_EQ(first.itemText(6), "2009");
  EXPECT_EQ(newClass.Bind<QComboBox>(1007).itemText(0), "2004");
  EXPECT_FALSE(newClass.windowFlags() & Qt::WindowCloseButtonHint);

  TemplateDialog student(150, nullptr, 1.0);
  auto& sex = student.Bind<QComboBox>(1013);
  ASSERT_EQ(sex.count(), 2);
  EXPECT_EQ(sex.itemText(0), QString::fromUtf8("Garçon"));
  EXPECT_EQ(sex.itemText(1), "Fille");
  EXPECT_FALSE(sex.isEditable());

  TemplateDialog main(102, nullptr, 1.0);
  EXPECT_TRUE(main.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(main.windowFlags() & Qt::WindowMinimizeButtonHint);
  TemplateDialog grades(164, nullptr, 1.0);
  EXPECT_FALSE(grades.windowFlags() & Qt::WindowCloseButtonHint);
}

TEST(TemplateDialogTest, EnterSendsTheHiddenDefaultButtonAndEscapeCancel) {
  Recorder modify(159);
  QTest::keyClick(&modify, Qt::Key_Return);
  QTest::keyClick(&modify, Qt::Key_Enter, Qt::KeypadModifier);
  QTest::keyClick(&modify, Qt::Key_Escape);  // no control 2 in this dialog
  EXPECT_EQ(modify.commands, (std::vector<int>{1134, 1134, 2}));

  // Enter typed in a field, or in an editable combo box, reaches the dialog.
  Recorder grades(164);
  grades.show();
  QTest::keyClick(grades.Control(1139), Qt::Key_Return);
  QTest::keyClick(grades.Control(1096), Qt::Key_Return);
  QTest::keyClick(grades.Control(1084), Qt::Key_Escape);
  EXPECT_EQ(grades.commands, (std::vector<int>{1083, 1083, 2}));

  // A disabled default button takes no Enter.
  grades.commands.clear();
  grades.Control(1083)->setEnabled(false);
  QTest::keyClick(&grades, Qt::Key_Return);
  EXPECT_TRUE(grades.commands.empty());
}

TEST(TemplateDialogTest, EnterOnAFocusedButtonAndTheDefaultCommands) {
  Recorder newClass(141);
  newClass.show();
  QTest::keyClick(newClass.Control(1002), Qt::Key_Return);
  newClass.Control(2)->setFocus();
  ASSERT_EQ(newClass.focusWidget(), newClass.Control(2));
  QTest::keyClick(newClass.Control(2), Qt::Key_Return);
  EXPECT_EQ(newClass.commands, (std::vector<int>{1, 2}));

  // Without a default button Enter means OK; the base dialog accepts on it
  // and rejects on cancel.
  TemplateDialog main(102, nullptr, 1.0);
  main.show();
  QTest::keyClick(&main, Qt::Key_Return);
  EXPECT_EQ(main.result(), QDialog::Accepted);
  EXPECT_FALSE(main.isVisible());
  main.show();
  QTest::keyClick(&main, Qt::Key_Escape);
  EXPECT_EQ(main.result(), QDialog::Rejected);
  EXPECT_FALSE(main.isVisible());
}

TEST(TemplateDialogTest, CloseBoxAndButtonClicksBecomeCommands) {
  Recorder newClass(141);
  newClass.show();
  newClass.close();
  EXPECT_TRUE(newClass.isVisible());  // the command decides; this one only records
  qobject_cast<QPushButton*>(newClass.Control(1))->click();
  EXPECT_EQ(newClass.commands, (std::vector<int>{2, 1}));

  Recorder remove(152);
  qobject_cast<QRadioButton*>(remove.Control(1022))->click();
  EXPECT_EQ(remove.commands, (std::vector<int>{1022}));
}

TEST(TemplateDialogTest, RadioGroupsFollowTheTemplate) {
  Recorder grades(164);
  auto& trimester1 = grades.Bind<QRadioButton>(1128);
  auto& trimester2 = grades.Bind<QRadioButton>(1129);
  auto& written = grades.Bind<QRadioButton>(1131);
  auto& oral = grades.Bind<QRadioButton>(1132);
  auto& oneClass = grades.Bind<QRadioButton>(1099);
  EXPECT_EQ(trimester1.group(), trimester2.group());
  EXPECT_NE(trimester1.group(), written.group());
  EXPECT_NE(trimester1.group(), oneClass.group());
  EXPECT_EQ(written.group(), oral.group());

  grades.CheckRadioButton(1128);
  grades.CheckRadioButton(1131);
  grades.CheckRadioButton(1101);
  trimester2.click();
  EXPECT_FALSE(trimester1.isChecked());
  EXPECT_TRUE(trimester2.isChecked());
  EXPECT_TRUE(written.isChecked());  // another group
  EXPECT_EQ(grades.CheckedRadioButton(1128), 1129);
  EXPECT_EQ(grades.CheckedRadioButton(1099), 1101);
  EXPECT_EQ(grades.commands, (std::vector<int>{1129}));  // a click, not a programmatic check

  // Any member names its group, whatever the order of the IDs.
  grades.CheckRadioButton(1102);
  EXPECT_EQ(grades.CheckedRadioButton(1101), 1102);
  EXPECT_FALSE(grades.Bind<QRadioButton>(1101).isChecked());
  EXPECT_EQ(grades.CheckedRadioButton(1130), 1129);

  TemplateDialog main(102, nullptr, 1.0);
  main.CheckRadioButton(1055);
  qobject_cast<QRadioButton*>(main.Control(1076))->click();
  EXPECT_EQ(main.CheckedRadioButton(1055), 1076);
}

TEST(TemplateDialogTest, TabReachesTheCheckedRadioActingOnNothingAndShowsIconButtonFocus) {
  Recorder reports(163);
  reports.CheckRadioButton(1118);  // the second radio of its group
  test::ShowActive(reports);
  auto& directory = reports.Bind<IconButton>(1115);
  auto& produce = reports.Bind<IconButton>(1075);
  directory.setFocus(Qt::MouseFocusReason);
  EXPECT_FALSE(directory.ShowsFocusFrame());

  QTest::keyClick(&reports, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), reports.Control(1118));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), &produce);
  EXPECT_TRUE(produce.ShowsFocusFrame());
  QImage drawn(produce.size(), QImage::Format_ARGB32);
  produce.render(&drawn);
  EXPECT_EQ(drawn.pixelColor(3, produce.height() / 2 + 1),
            produce.palette().color(QPalette::ButtonText));  // the dotted frame, 3 px in
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
  EXPECT_EQ(QApplication::focusWidget(), &directory);
  EXPECT_TRUE(directory.ShowsFocusFrame());
  EXPECT_FALSE(produce.ShowsFocusFrame());
  EXPECT_TRUE(reports.commands.empty());
  EXPECT_EQ(reports.CheckedRadioButton(1117), 1118);

  // Space chooses; the group is then entered at the new choice.
  reports.Control(1117)->setFocus(Qt::MouseFocusReason);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
  EXPECT_EQ(reports.commands, std::vector<int>{1117});
  EXPECT_EQ(reports.Control(1117)->focusPolicy(), Qt::StrongFocus);
  EXPECT_EQ(reports.Control(1118)->focusPolicy(), Qt::ClickFocus);
  // A click gives the focus without the frame.
  test::PressThenRelease(&produce);
  EXPECT_TRUE(produce.hasFocus());
  EXPECT_FALSE(produce.ShowsFocusFrame());
}

TEST(TemplateDialogTest, MenusCarryCommandsAndPrompts) {
  Recorder grades(164);
  ASSERT_NE(grades.MenuBar(), nullptr);
  ASSERT_EQ(grades.MenuBar()->actions().size(), 1);
  EXPECT_EQ(grades.MenuBar()->actions()[0]->text(), "Ac&tion");
  QAction* newGrade = grades.MenuAction(32791);
  ASSERT_NE(newGrade, nullptr);
  EXPECT_EQ(newGrade->text(), "N&ouvelle note");
  EXPECT_EQ(newGrade->statusTip(), QString::fromUtf8("Ajouter une nouvelle note à la classe..."));
  newGrade->trigger();
  grades.MenuAction(32820)->trigger();
  EXPECT_EQ(grades.commands, (std::vector<int>{32791, 32820}));
  EXPECT_EQ(grades.MenuAction(32794), nullptr);  // routed, but on no menu item

  Recorder main(102);
  ASSERT_NE(main.MenuAction(32779), nullptr);
  EXPECT_EQ(main.MenuAction(32779)->text(), "Modifier les informations");
  main.MenuAction(32775)->trigger();

  QMenu* context = main.CreatePopupMenu(182, 0);
  ASSERT_NE(context, nullptr);
  const QList<QAction*> items = context->actions();
  ASSERT_EQ(items.size(), 8);
  EXPECT_TRUE(items[3]->isSeparator());
  EXPECT_TRUE(items[6]->isSeparator());
  EXPECT_EQ(items[0]->text(), QString::fromUtf8("Création d'une classe"));
  EXPECT_EQ(items[7]->data().toInt(), 32815);
  items[4]->trigger();
  EXPECT_EQ(main.commands, (std::vector<int>{32775, 32812}));
  EXPECT_EQ(main.CreatePopupMenu(182, 1), nullptr);
}

TEST(TemplateDialogTest, BindsByIdAndType) {
  TemplateDialog main(102, nullptr, 1.0);
  EXPECT_EQ(&main.Bind<QTreeWidget>(1001), main.Control(1001));
  EXPECT_EQ(&main.Bind<ReportList>(1043), main.Control(1043));
  EXPECT_EQ(main.Control(4242), nullptr);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(main.Bind<QLineEdit>(1001), "1001");
  EXPECT_DEATH(main.Bind<QLineEdit>(4242), "4242");
}

TEST(TemplateDialogTest, StaticIconCanChange) {
  TemplateDialog student(150, nullptr, 1.0);
  auto& picture = student.Bind<QLabel>(1019);
  const QImage boy = picture.pixmap().toImage();
  student.SetStaticIcon(1019, 137);
  EXPECT_NE(picture.pixmap().toImage(), boy);
  student.SetStaticIcon(1019, 138);
  EXPECT_EQ(picture.pixmap().toImage(), boy);
}

TEST(TemplateDialogTest, TreeExpandsTheSelectedItemOnly) {
  TemplateDialog main(102, nullptr, 1.0);
  auto& tree = main.Bind<QTreeWidget>(1001);
  auto* root = new QTreeWidgetItem(&tree, {"Vellanor"});
  auto* first = new QTreeWidgetItem(root, {"4e B (2004 - 2005)"});
  auto* second = new QTreeWidgetItem(root, {"3e A (2004 - 2005)"});
  new QTreeWidgetItem(first, {"Dupont, Marie"});
  new QTreeWidgetItem(second, {"Martin, Paul"});
  tree.setCurrentItem(first);
  EXPECT_TRUE(first->isExpanded());
  EXPECT_TRUE(root->isExpanded());
  tree.setCurrentItem(second);
  EXPECT_FALSE(first->isExpanded());
  EXPECT_TRUE(second->isExpanded());
  EXPECT_TRUE(root->isExpanded());  // contains the new selection
  tree.clear();                     // the remembered item goes away safely
  auto* again = new QTreeWidgetItem(&tree, {"Vellanor"});
  tree.setCurrentItem(again);
  EXPECT_EQ(tree.topLevelItemCount(), 1);
}

}  // namespace
}  // namespace vellanor::widgets

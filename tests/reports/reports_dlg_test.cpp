#include "reports/reports_dlg.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "fake_soffice.h"
#include "report_files.h"
#include "support/fake_main_window.h"
#include "support/record_builders.h"
#include "support/temp_dir.h"
#include "widgets/icon_button.h"
#include "widgets/report_list.h"

namespace vellanor {
namespace {

namespace fs = std::filesystem;
using platform::MessageIcon;
using test::FakeMainWindow;

using test::FileNames;
using test::ReadText;

// Three classes; "4e B" has two students named Martin.
void PrepareSchool(FakeMainWindow& main) {
  ClassRecord fourth =
      test::Class("4e B", "2026 - 2027",
                  {test::Student("Martin", "Julie"), test::Student("Durand", "Paul", 1),
                   test::Student("Martin", "Hugo", 1)});
  ClassRecord sixth = test::Class("6e A", "2026 - 2027", {test::Student("Petit", "Zo\xE9")});
  ClassRecord third = test::Class("3e C", "2025 - 2026");
  for (ClassRecord* record : {&fourth, &sixth, &third}) {
    ASSERT_EQ(AppendClass(main.book, std::move(*record)), AppendResult::Done);
  }
}

struct ReportsDialog {
  explicit ReportsDialog(FakeMainWindow& main) : dialog(main, 1.0) { dialog.show(); }

  template <class T>
  T& Control(int id) {
    return dialog.Bind<T>(id);
  }
  widgets::ReportList& Classes() { return Control<widgets::ReportList>(1072); }
  widgets::ReportList& Students() { return Control<widgets::ReportList>(1071); }
  QLineEdit& TemplatePath() { return Control<QLineEdit>(1066); }
  QLineEdit& Directory() { return Control<QLineEdit>(1114); }
  void Click(int id) { Control<QAbstractButton>(id).click(); }

  // A click of the mouse on a row: press, a turn of the event loop, release.
  void ClickRow(widgets::ReportList& list, int row, Qt::KeyboardModifiers keys = {}) {
    const QPoint at = list.visualRect(list.model()->index(row, 0)).center();
    QTest::mousePress(list.viewport(), Qt::LeftButton, keys, at);
    QApplication::processEvents();
    QTest::mouseRelease(list.viewport(), Qt::LeftButton, keys, at);
    QApplication::processEvents();
  }
  std::vector<QString> Column(widgets::ReportList& list, int column) {
    std::vector<QString> texts;
    for (int row = 0; row < list.rowCount(); ++row) {
      texts.push_back(list.ItemText(row, column));
    }
    return texts;
  }
  std::vector<int> Selected(widgets::ReportList& list) {
    std::vector<int> rows;
    for (const QModelIndex& index : list.selectionModel()->selectedRows()) {
      rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
  }

  CReportsDlg dialog;
};

TEST(ReportsDlgTest, OpensForPrintingClassesWithTheClassesListed) {
  FakeMainWindow main;
  PrepareSchool(main);
  ReportsDialog d(main);
  EXPECT_EQ(d.dialog.windowTitle(), "Production de rapports");
  EXPECT_TRUE(d.Control<QRadioButton>(1118).isChecked());
  EXPECT_FALSE(d.Control<QRadioButton>(1117).isChecked());
  EXPECT_TRUE(d.Control<QRadioButton>(1073).isChecked());
  EXPECT_FALSE(d.Control<QCheckBox>(1112).isChecked());
  EXPECT_FALSE(d.Directory().isEnabled());
  EXPECT_FALSE(d.Control<QWidget>(1115).isEnabled());
  EXPECT_FALSE(d.Students().isEnabled());
  EXPECT_EQ(d.Classes().horizontalHeaderItem(0)->text(), "Classe :");
  EXPECT_EQ(d.Classes().horizontalHeaderItem(1)->text(), "Année :");
  EXPECT_EQ(d.Classes().columnWidth(0), 105);
  EXPECT_EQ(d.Students().horizontalHeaderItem(0)->text(), "Nom :");
  EXPECT_EQ(d.Students().horizontalHeaderItem(1)->text(), "Prénom :");
  EXPECT_EQ(d.Column(d.Classes(), 0), (std::vector<QString>{"4e B", "6e A", "3e C"}));
  EXPECT_EQ(d.Column(d.Classes(), 1),
            (std::vector<QString>{"2026 - 2027", "2026 - 2027", "2025 - 2026"}));
  EXPECT_EQ(d.Students().rowCount(), 0);
  EXPECT_EQ(d.Control<widgets::IconButton>(1075).TooltipText(), "Produit le document");
}

// A larger window gives the lists the height and the student list most of
// the width; the format row stays under them.
TEST(ReportsDlgTest, GrowingGivesTheRoomToTheLists) {
  FakeMainWindow main;
  PrepareSchool(main);
  ReportsDialog d(main);
  const QRect classes = d.Classes().geometry();
  const QRect students = d.Students().geometry();
  QLabel* format = nullptr;
  for (QLabel* label : d.dialog.findChildren<QLabel*>()) {
    format = label->text() == "Format :" ? label : format;
  }
  ASSERT_NE(format, nullptr);
  const QRect formatAt = format->geometry();
  const QRect rtf = d.Control<QWidget>(1160).geometry();
  d.dialog.resize(d.dialog.size() + QSize(200, 100));
  QApplication::processEvents();
  EXPECT_EQ(d.Classes().geometry(), classes.adjusted(0, 0, 60, 100));
  EXPECT_EQ(d.Students().geometry(), students.adjusted(60, 0, 200, 100));
  EXPECT_EQ(format->geometry(), formatAt.translated(0, 100));
  EXPECT_EQ(d.Control<QWidget>(1160).geometry(), rtf.translated(0, 100));
}

TEST(ReportsDlgTest, ChoosersFillTheFieldsOrSayWhyNot) {
  FakeMainWindow main;
  PrepareSchool(main);
  test::FakeFileChooser& chooser = main.services.chooser;
  ReportsDialog d(main);

  chooser.Answer("/srv/prof/Template/Bulletin.rtf");
  d.Click(1067);
  ASSERT_EQ(chooser.fileRequests.size(), 1u);
  EXPECT_EQ(chooser.fileRequests[0].initialFolder, "Template");
  ASSERT_EQ(chooser.fileRequests[0].filters.size(), 1u);
  EXPECT_EQ(chooser.fileRequests[0].filters[0].description, "Rtf file");
  EXPECT_EQ(d.TemplatePath().text(), "/srv/prof/Template/Bulletin.rtf");
  d.Click(1067);  // cancelled
  EXPECT_EQ(d.TemplatePath().text(), "/srv/prof/Template/Bulletin.rtf");

  // The folder browser opens as soon as saving is chosen; cancelling it
  // leaves the save mode with an empty, editable folder.
  d.Click(1117);
  ASSERT_EQ(chooser.folderRequests.size(), 1u);
  EXPECT_EQ(chooser.folderRequests[0].title, "Choisissez le répertoire de création des documents");
  EXPECT_TRUE(d.Control<QRadioButton>(1117).isChecked());
  EXPECT_TRUE(d.Directory().isEnabled());
  EXPECT_TRUE(d.Directory().text().isEmpty());
  chooser.Answer("/srv/prof/Bulletins");
  d.Click(1115);
  EXPECT_EQ(d.Directory().text(), "/srv/prof/Bulletins");

  // Back to printing: the folder stays, but cannot be changed.
  d.Click(1118);
  EXPECT_FALSE(d.Directory().isEnabled());
  EXPECT_FALSE(d.Control<QWidget>(1115).isEnabled());
  d.dialog.SendCommand(1115);
  EXPECT_EQ(chooser.folderRequests.size(), 2u);
  EXPECT_EQ(d.Directory().text(), "/srv/prof/Bulletins");

  EXPECT_EQ(main.services.messages.Texts(),
            (std::vector<std::string>{"Document non valide", "Répertopire non valide"}));
  for (const auto& shown : main.services.messages.shown) {
    EXPECT_EQ(shown.caption, "Erreur!");
    EXPECT_EQ(shown.icon, MessageIcon::Stop);
  }
}

TEST(ReportsDlgTest, OneClassChosenWithTheMouseOrTheArrowKeysListsItsStudents) {
  FakeMainWindow main;
  PrepareSchool(main);
  for (const char* name : {"2nde 1", "2nde 2"}) {  // longer than the list's height
    std::vector<StudentRecord> students;
    for (int i = 0; i < 30; ++i) {
      students.push_back(test::Student("Eleve" + std::to_string(i), name));
    }
    ASSERT_EQ(AppendClass(main.book, test::Class(name, "2026 - 2027", students)),
              AppendResult::Done);
  }
  ReportsDialog d(main);
  d.ClickRow(d.Classes(), 0);
  EXPECT_EQ(d.Column(d.Students(), 0), (std::vector<QString>{"Martin", "Durand", "Martin"}));
  EXPECT_EQ(d.Column(d.Students(), 1), (std::vector<QString>{"Julie", "Paul", "Hugo"}));

  // The arrow keys choose a class as a click does.
  d.Classes().setFocus();
  QTest::keyClick(d.Classes().viewport(), Qt::Key_Down);
  QApplication::processEvents();
  EXPECT_EQ(d.Selected(d.Classes()), (std::vector<int>{1}));
  EXPECT_EQ(d.Column(d.Students(), 0), (std::vector<QString>{"Petit"}));

  d.ClickRow(d.Classes(), 2, Qt::ControlModifier);  // two classes now
  EXPECT_EQ(d.Selected(d.Classes()), (std::vector<int>{1, 2}));
  EXPECT_EQ(d.Students().rowCount(), 0);
  d.ClickRow(d.Classes(), 1);
  EXPECT_EQ(d.Column(d.Students(), 1), (std::vector<QString>{QString::fromUtf8("Zoé")}));

  // Back to classes: no student stays selected.
  d.Click(1074);
  EXPECT_TRUE(d.Students().isEnabled());
  d.ClickRow(d.Students(), 0);
  EXPECT_EQ(d.Selected(d.Students()), (std::vector<int>{0}));
  d.Click(1073);
  EXPECT_FALSE(d.Students().isEnabled());
  EXPECT_TRUE(d.Selected(d.Students()).empty());

  // A long list scrolled down, then the next class: its list starts at the top.
  d.Click(1074);
  d.ClickRow(d.Classes(), 3);
  d.Students().scrollToBottom();
  ASSERT_GT(d.Students().verticalScrollBar()->value(), 0);
  d.Classes().setFocus();
  QTest::keyClick(d.Classes().viewport(), Qt::Key_Down);
  QApplication::processEvents();
  EXPECT_EQ(d.Students().ItemText(0, 1), "2nde 2");
  EXPECT_EQ(d.Students().verticalScrollBar()->value(), 0);
  EXPECT_EQ(d.Students().currentIndex().row(), 0);
}

TEST(ReportsDlgTest, ProducingClassesSavesOneDocumentEach) {
  FakeMainWindow main;
  PrepareSchool(main);
  fs::create_directory("out");
  std::ofstream("modele.rtf", std::ios::binary) << "{\\rtf1 $$CLASSE: $$NBELEVES $$STUNOM}";
  ReportsDialog d(main);
  test::FakeMessageService& messages = main.services.messages;

  d.Click(1075);  // no template yet, no selection either
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Erreur à l'ouverture du document"}));
  EXPECT_EQ(messages.shown[0].caption, "Erreur!");
  d.TemplatePath().setText("modele.rtf");
  d.Click(1075);  // no class selected: nothing, silently
  EXPECT_EQ(messages.shown.size(), 1u);

  d.ClickRow(d.Classes(), 0);
  d.ClickRow(d.Classes(), 1, Qt::ControlModifier);
  d.ClickRow(d.Classes(), 2, Qt::ControlModifier);
  d.Click(1117);  // browser cancelled: the folder stays empty
  d.Click(1075);
  EXPECT_EQ(messages.Texts().back(), "Répertopire non valide");
  EXPECT_EQ(messages.shown.size(), 3u);
  EXPECT_EQ(FileNames("."), (std::vector<std::string>{"modele.rtf", "out"}));

  d.Directory().setText("out");
  d.Click(1075);
  EXPECT_EQ(FileNames("out"), (std::vector<std::string>{"3e C_20261207.rtf", "4e B_20261207.rtf",
                                                        "6e A_20261207.rtf"}));
  EXPECT_EQ(ReadText("out/4e B_20261207.rtf"), "{\\rtf1 4e B: 3 $$STUNOM}");
  const std::vector<std::string> texts = messages.Texts();
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "Document créé"), 3);
  EXPECT_EQ(messages.shown.size(), 6u);
  EXPECT_TRUE(d.dialog.isVisible());
  EXPECT_EQ(main.saves, 0);

  // A template that would make documents of gigabytes is stopped at once.
  std::ofstream huge("huge.rtf", std::ios::binary);
  for (int i = 0; i < 2300; ++i) {
    huge << "$$GRAPHT1 ";
  }
  huge.close();
  d.TemplatePath().setText("huge.rtf");
  d.Control<QCheckBox>(1112).click();
  d.Click(1075);
  EXPECT_EQ(messages.Texts().back(), "Erreur à la création du document");
  EXPECT_EQ(messages.shown.size(), 7u);
  EXPECT_EQ(FileNames("out").size(), 3u);
}

TEST(ReportsDlgTest, ProducingStudentsGivesEachSelectedStudentADocument) {
  FakeMainWindow main;
  PrepareSchool(main);
  fs::create_directory("data");
  fs::current_path("data");  // printing writes into ../ToPrint
  std::ofstream("modele.rtf", std::ios::binary) << "$$CLASSE $$STUPRENOM $$STUNOM$$GRAPHT1";
  main.services.launcher.installed = {"soffice"};
  test::FakeMessageService& messages = main.services.messages;
  ReportsDialog d(main);
  d.TemplatePath().setText("modele.rtf");
  d.Click(1074);
  d.ClickRow(d.Classes(), 0);
  d.Click(1075);
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Aucun élève sélectionné"}));
  EXPECT_EQ(messages.shown[0].caption, "Erreur");

  // Both Martins, with charts, printed; each document named by its student
  // alone, whoever else is printed with it.
  d.ClickRow(d.Students(), 0);
  d.ClickRow(d.Students(), 2, Qt::ControlModifier);
  d.Control<QCheckBox>(1112).click();
  d.Click(1075);
  EXPECT_EQ(FileNames("../ToPrint"), (std::vector<std::string>{"4e B_Martin_Hugo_00100000.tmp",
                                                               "4e B_Martin_Julie_00100000.tmp"}));
  const std::string julie = ReadText("../ToPrint/4e B_Martin_Julie_00100000.tmp");
  EXPECT_EQ(julie.substr(0, 19), "4e B Julie Martin\n{");
  EXPECT_EQ(julie.size(), 17 + 480374u);
  EXPECT_EQ(ReadText("../ToPrint/4e B_Martin_Hugo_00100000.tmp").substr(0, 16), "4e B Hugo Martin");
  // Both in one word processor, which prints them one after the other.
  ASSERT_EQ(main.services.launcher.started.size(), 1u);
  const std::vector<std::string>& arguments = main.services.launcher.started[0].arguments;
  ASSERT_FALSE(arguments.empty());  // a private profile first, then the documents
  EXPECT_EQ(
      std::vector<std::string>(arguments.begin() + 1, arguments.end()),
      (std::vector<std::string>{
          "--headless", "-p",
          fs::absolute("../ToPrint/4e B_Martin_Julie_00100000.tmp").lexically_normal().string(),
          fs::absolute("../ToPrint/4e B_Martin_Hugo_00100000.tmp").lexically_normal().string()}));
  EXPECT_EQ(messages.Texts(),
            (std::vector<std::string>{"Aucun élève sélectionné", "Impression lancée"}));
  // Printed, the word processor ends and the files go.
  main.services.launcher.FinishAll();
  EXPECT_TRUE(FileNames("../ToPrint").empty());

  // Hugo alone, with no printer on the system: said once, before anything,
  // with where the documents are; under the same name; nothing started.
  main.services.launcher.printerInstalled = false;
  d.ClickRow(d.Students(), 2);
  d.Click(1075);
  EXPECT_EQ(FileNames("../ToPrint"), (std::vector<std::string>{"4e B_Martin_Hugo_00100000.tmp"}));
  EXPECT_EQ(main.services.launcher.started.size(), 1u);
  EXPECT_EQ(messages.Texts().back(),
            "Aucune imprimante n'est installée.\nLes documents sont dans " +
                fs::absolute("../ToPrint").lexically_normal().string() + ".");
  EXPECT_EQ(messages.shown.size(), 3u);
  EXPECT_EQ(messages.shown.back().caption, "Attention");
}

TEST(ReportsDlgTest, ATemplateThatCannotBeReadWholeWritesNothing) {
  FakeMainWindow main;
  PrepareSchool(main);
  fs::create_directory("out");
  ASSERT_EQ(mkfifo("tube.rtf", 0600), 0);
  ReportsDialog d(main);
  main.services.chooser.Answer("out");
  d.Click(1117);
  d.ClickRow(d.Classes(), 0);
  d.TemplatePath().setText("tube.rtf");
  d.Click(1075);
  d.TemplatePath().setText("out");
  d.Click(1075);
  EXPECT_EQ(main.services.messages.Texts(),
            (std::vector<std::string>{
                "Erreur à l'ouverture du document\ntube.rtf n'est pas un fichier ordinaire.",
                "Erreur à l'ouverture du document\nout n'est pas un fichier ordinaire."}));
  EXPECT_TRUE(FileNames("out").empty());
}

TEST(ReportsDlgTest, PdfNeedsLibreOfficeAndCanJoinAClassInOneFile) {
  FakeMainWindow main;
  PrepareSchool(main);
  {
    ReportsDialog d(main);
    main.services.chooser.Answer("out");
    d.Click(1117);
    EXPECT_TRUE(d.Control<QRadioButton>(1160).isChecked());
    EXPECT_FALSE(d.Control<QRadioButton>(1161).isEnabled());
    EXPECT_EQ(d.Control<QRadioButton>(1161).toolTip(), "LibreOffice n'est pas installé");
    EXPECT_FALSE(d.Control<QCheckBox>(1162).isEnabled());
  }
  test::TempDir tools;
  main.services.processes.programs["soffice"] = test::FakeSoffice(tools.Path(), test::Convert());
  std::ofstream("modele.rtf", std::ios::binary) << "{\\rtf1 $$STUNOM}";
  fs::create_directory("out");
  ReportsDialog d(main);
  // Printing has no format; saving does.
  EXPECT_FALSE(d.Control<QRadioButton>(1161).isEnabled());
  d.TemplatePath().setText("modele.rtf");
  main.services.chooser.Answer("out");
  d.Click(1117);
  EXPECT_EQ(d.Control<QRadioButton>(1161).toolTip(), "");
  EXPECT_FALSE(d.Control<QCheckBox>(1162).isEnabled());
  d.Click(1161);
  EXPECT_FALSE(d.Control<QCheckBox>(1162).isEnabled());  // class documents stay one file each
  d.Click(1074);  // joining is for the students of a class
  d.Click(1162);
  d.ClickRow(d.Classes(), 0);
  d.Students().selectAll();
  main.services.messages.shown.clear();
  d.Click(1075);
  EXPECT_EQ(FileNames("out"), (std::vector<std::string>{"4e B_modele_20261207.pdf"}));
  EXPECT_EQ(test::PageWidths("out/4e B_modele_20261207.pdf").size(), 3u);
  EXPECT_EQ(main.services.messages.Texts(), (std::vector<std::string>{"Document créé"}));

  // Three documents, no progress window: while LibreOffice runs, Produire
  // is disabled and a click on it starts nothing.
  std::vector<bool> enabledWhileRunning;
  main.services.processes.whileRunning = [&] {
    enabledWhileRunning.push_back(d.Control<widgets::IconButton>(1075).isEnabled());
    d.Click(1075);
  };
  d.Click(1162);
  d.Click(1075);
  EXPECT_EQ(enabledWhileRunning, (std::vector<bool>{false}));
  EXPECT_TRUE(d.Control<widgets::IconButton>(1075).isEnabled());
  EXPECT_EQ(FileNames("out"), (std::vector<std::string>{
                                  "4e B_Durand_20261207.pdf", "4e B_Martin_Hugo_20261207.pdf",
                                  "4e B_Martin_Julie_20261207.pdf", "4e B_modele_20261207.pdf"}));
  EXPECT_EQ(main.services.messages.Texts().back(), "3 documents créés");
  ASSERT_EQ(main.services.processes.runs.size(), 2u);
}

}  // namespace
}  // namespace vellanor

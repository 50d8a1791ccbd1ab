#include "exchange/import_export_dlg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "exchange/exchange_fixtures.h"
#include "platform/message_service.h"
#include "support/fake_main_window.h"
#include "support/qt_events.h"
#include "support/temp_dir.h"
#include "widgets/combo_list.h"
#include "widgets/icon_button.h"

namespace vellanor {
namespace {

using platform::MessageIcon;
using test::AddColumn;
using test::Class;
using test::FakeMainWindow;
using test::Student;

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// "4e B" with two students and three assessments, an empty "3e C", and "6e A"
// with one student; on disk too.
void PrepareSchool(FakeMainWindow& main) {
  ClassRecord fourth =
      Class("4e B", "2026 - 2027", {Student("Martin", "Zo\xE9"), Student("Roy", "Eva")});
  AddColumn(fourth, 1, 0, {12.5f, -1}, 1.0f, "DS 1");
  AddColumn(fourth, 1, 1, {15, 8}, 2.0f, "Oral");
  AddColumn(fourth, 1, 0, {7, 14}, 2.0f, "DS 2");
  test::Prepare(main, {std::move(fourth), Class("3e C", "2025 - 2026"),
                       Class("6e A", "2026 - 2027", {Student("Petit", "Luc")})});
}

struct ExchangeDialog {
  explicit ExchangeDialog(FakeMainWindow& window) : main(window), dialog(window, 1.0) {}

  template <class T>
  T& Control(int id) {
    return dialog.Bind<T>(id);
  }
  widgets::IconButton& Execute() { return Control<widgets::IconButton>(1); }
  widgets::ComboList& Classes() { return Control<widgets::ComboList>(1148); }
  widgets::ComboList& Students() { return Control<widgets::ComboList>(1149); }
  QLineEdit& Document() { return Control<QLineEdit>(1142); }
  bool Checked(int id) { return Control<QAbstractButton>(id).isChecked(); }
  void Click(int id) { test::PressThenRelease(&Control<QWidget>(id)); }
  std::vector<QString> Entries(widgets::ComboList& list) {
    std::vector<QString> entries;
    for (int i = 0; i < list.count(); ++i) {
      entries.push_back(list.itemText(i));
    }
    return entries;
  }
  // Types over the whole text of a field and presses Enter there.
  void TypeThenEnter(QWidget* field, const QString& text) {
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
  }
  std::vector<std::string> Messages() { return main.services.messages.Texts(); }

  FakeMainWindow& main;
  CImportExportDlg dialog;
};

TEST(ImportExportDlgTest, ActionsSwitchTheExecuteButtonAndClassesListTheirStudents) {
  FakeMainWindow main;
  PrepareSchool(main);
  ExchangeDialog d(main);
  test::ShowActive(d.dialog);
  EXPECT_EQ(d.dialog.windowTitle(), "Importer / Exporter");
  EXPECT_EQ(
      d.Entries(d.Classes()),
      (std::vector<QString>{"4e B (2026 - 2027)", "3e C (2025 - 2026)", "6e A (2026 - 2027)"}));
  EXPECT_EQ(d.Entries(d.Students()), (std::vector<QString>{"Martin, Zoé", "Roy, Eva"}));
  EXPECT_EQ(d.Classes().Position(), 0);
  EXPECT_EQ(d.Students().Position(), 0);
  EXPECT_FALSE(d.Students().isEnabled());
  EXPECT_EQ(d.Execute().text(), "Exporter");
  EXPECT_EQ(d.Execute().TooltipText(), "Exécute l'export");
  EXPECT_EQ(d.Control<widgets::IconButton>(2).TooltipText(), "Retourne vers l'application");
  EXPECT_EQ(d.Control<widgets::IconButton>(1141).TooltipText(), "Sélectionne le document");
  EXPECT_TRUE(d.Checked(1151));
  EXPECT_TRUE(d.Checked(1146));

  d.Click(1147);
  EXPECT_TRUE(d.Checked(1147));
  EXPECT_TRUE(d.Students().isEnabled());

  d.Click(1152);
  EXPECT_EQ(d.Execute().text(), "Importer");
  EXPECT_EQ(d.Execute().TooltipText(), "Exécute l'import");
  EXPECT_FALSE(d.Control<QWidget>(1147).isEnabled());
  EXPECT_TRUE(d.Checked(1146));
  EXPECT_FALSE(d.Students().isEnabled());

  d.Click(1151);
  EXPECT_EQ(d.Execute().text(), "Exporter");
  EXPECT_EQ(d.Execute().TooltipText(), "Exécute l'export");
  EXPECT_TRUE(d.Control<QWidget>(1147).isEnabled());
  EXPECT_TRUE(d.Checked(1146));

  // The two fixed options stay checked whatever the action, and take no click.
  d.Click(1150);
  d.Click(1153);
  for (int id : {1150, 1153}) {
    EXPECT_TRUE(d.Checked(id)) << id;
    EXPECT_FALSE(d.Control<QWidget>(id).isEnabled()) << id;
  }

  // Another class, chosen with the keyboard, lists its own students.
  d.Classes().setFocus();
  QTest::keyClick(&d.Classes(), Qt::Key_Down);
  EXPECT_EQ(d.Classes().Position(), 1);
  EXPECT_EQ(d.Students().count(), 0);
  EXPECT_EQ(d.Students().Position(), widgets::ComboList::kNoPosition);
  QTest::keyClick(&d.Classes(), Qt::Key_Down);
  EXPECT_EQ(d.Entries(d.Students()), (std::vector<QString>{"Petit, Luc"}));
  EXPECT_EQ(d.Students().Position(), 0);
  // A class of thirty shows a third of itself when dropped down.
  EXPECT_GE(d.Students().maxVisibleItems(), 10);
}

TEST(ImportExportDlgTest, TheChooserFillsTheDocumentOrSaysWhyNot) {
  FakeMainWindow main;
  PrepareSchool(main);
  test::FakeFileChooser& chooser = main.services.chooser;
  ExchangeDialog d(main);

  chooser.Answer("/srv/prof/notes/4e B.csv");
  d.Click(1141);
  EXPECT_EQ(d.Document().text(), "/srv/prof/notes/4e B.csv");
  ASSERT_EQ(chooser.fileRequests.size(), 1u);
  const platform::FileRequest& request = chooser.fileRequests[0];
  EXPECT_EQ(request.defaultSuffix, "csv");
  EXPECT_EQ(request.initialName, "*.csv");
  ASSERT_EQ(request.filters.size(), 2u);
  EXPECT_EQ(request.filters[0].description, "MS Excel");
  EXPECT_EQ(request.filters[1].description, "All files");
  EXPECT_FALSE(request.mustExist);  // an export names a new file

  // Cancelled, confirmed without a name, or a path the field cannot hold:
  // said, and the field keeps its text.
  chooser.Cancel();
  chooser.Answer("");
  chooser.Answer("/" + std::string(255, 'n'));
  d.Click(1152);
  for (int i = 0; i < 3; ++i) {
    d.Click(1141);
  }
  EXPECT_EQ(d.Document().text(), "/srv/prof/notes/4e B.csv");
  EXPECT_EQ(chooser.fileRequests.back().initialFolder, "/srv/prof/notes");
  EXPECT_TRUE(chooser.fileRequests.back().mustExist);  // an import reads an existing file
  EXPECT_EQ(d.Messages(), (std::vector<std::string>{
                              "Nom du document invalide",
                              "Nom du document invalide",
                              "Nom du document trop long :\n255 caractères au plus",
                          }));
  for (const auto& shown : main.services.messages.shown) {
    EXPECT_EQ(shown.caption, "Erreur");
    EXPECT_EQ(shown.icon, MessageIcon::Stop);
  }

  // A typed path stops at 255 characters.
  d.Document().clear();
  d.Document().setFocus();
  QTest::keyClicks(&d.Document(), QString(300, QLatin1Char('x')));
  EXPECT_EQ(d.Document().text().size(), 255);
}

TEST(ImportExportDlgTest, EnterExportsAndTheDialogStaysOpenForTheNextRun) {
  FakeMainWindow main;
  PrepareSchool(main);
  ExchangeDialog d(main);
  test::ShowActive(d.dialog);

  d.TypeThenEnter(&d.Document(), "4e.csv");
  EXPECT_TRUE(d.dialog.isVisible());
  EXPECT_EQ(d.Messages(), std::vector<std::string>{"Document créé"});
  EXPECT_EQ(FileText("4e.csv"),
            "\r\nELEVE;Martin;Zo\xE9;4e B;"
            "\r\nEcrit Trimestre 1;12.50;7.00;"
            "\r\nCoef Ecrit Trimestre 1;1.00;2.00;"
            "\r\nMoyenne Ecrit Trimestre 1;8.83;"
            "\r\nOral Trimestre 1;15.00;"
            "\r\nCoef Oral Trimestre 1;2.00;"
            "\r\nMoyenne Oral Trimestre 1;15.00;"
            "\r\nELEVE;Roy;Eva;4e B;"
            "\r\nEcrit Trimestre 1;abs;14.00;"
            "\r\nCoef Ecrit Trimestre 1;1.00;2.00;"
            "\r\nMoyenne Ecrit Trimestre 1;14.00;"
            "\r\nOral Trimestre 1;8.00;"
            "\r\nCoef Oral Trimestre 1;2.00;"
            "\r\nMoyenne Oral Trimestre 1;8.00;");

  // One student, Enter pressed in the student list.
  d.Click(1147);
  d.Students().setFocus();
  QTest::keyClick(&d.Students(), Qt::Key_Down);
  d.Document().setText("eva.csv");
  QTest::keyClick(d.Students().lineEdit(), Qt::Key_Return);
  EXPECT_EQ(FileText("eva.csv").substr(0, 23), "\r\nELEVE;Roy;Eva;4e B;\r\n");

  // Lists whose typed text names no entry: nothing is written.
  d.TypeThenEnter(d.Students().lineEdit(), "Roy, Ev");
  d.Click(1146);
  d.TypeThenEnter(d.Classes().lineEdit(), "4e");
  EXPECT_FALSE(std::filesystem::exists("4e"));

  // Never over the database, however the path spells it.
  const auto database = test::ReadBytes("Vellanor.db");
  d.Classes().SetPosition(0);
  d.TypeThenEnter(&d.Document(), "./Vellanor.db");
  EXPECT_EQ(test::ReadBytes("Vellanor.db"), database);

  EXPECT_EQ(d.Messages(),
            (std::vector<std::string>{
                "Document créé",
                "Document créé",
                "Sélectionner un élève, s'il vous plaît",
                "Sélectionner une classe, s'il vous plaît",
                "Ce document est la base de données « Vellanor.db » :\nchoisissez un autre nom",
            }));
  EXPECT_TRUE(d.dialog.isVisible());
  EXPECT_EQ(main.saves, 0);

  QTest::keyClick(&d.dialog, Qt::Key_Escape);
  EXPECT_FALSE(d.dialog.isVisible());
  EXPECT_EQ(d.dialog.result(), QDialog::Rejected);
}

TEST(ImportExportDlgTest, ImportsEditedMarksIntoTheChosenClass) {
  FakeMainWindow main;
  PrepareSchool(main);
  ExchangeDialog d(main);
  test::ShowActive(d.dialog);
  d.Document().setText("4e.csv");
  d.Click(1);
  ASSERT_TRUE(std::filesystem::exists("4e.csv"));

  // The spreadsheet changed two marks and wrote them its own way.
  std::string csv = FileText("4e.csv");
  csv.replace(csv.find("12.50;7.00"), 10, "13,5;\"9\"");
  std::ofstream("4e.csv", std::ios::binary) << csv;

  d.Click(1152);
  d.Click(1);
  EXPECT_TRUE(d.dialog.isVisible());
  EXPECT_EQ(d.Messages(),
            (std::vector<std::string>{
                "Document créé", "Données importées :\n1 élèves mis à jour, 0 créés, 0 refusés."}));
  for (const Gradebook& book : {main.book, test::OnDisk()}) {
    const StudentRecord& zoe = book.classes[0].students[0];
    ASSERT_EQ(zoe.grades.size(), 3u);
    EXPECT_EQ(zoe.grades[0].value, 13.5f);
    EXPECT_EQ(zoe.grades[1].value, 15.0f);
    EXPECT_EQ(zoe.grades[2].value, 9.0f);
    EXPECT_FLOAT_EQ(zoe.average[0], (13.5f + 2 * 9.0f) / 3);
    EXPECT_EQ(book.classes[0].students[1].grades[0].value, -1.0f);
  }

  // An empty gradebook: the dialog opens with empty lists and says so.
  FakeMainWindow empty;
  ExchangeDialog none(empty);
  EXPECT_EQ(none.Classes().count(), 0);
  none.Document().setText("x.csv");
  none.Click(1);
  EXPECT_EQ(none.Messages(),
            std::vector<std::string>{"Il n'y a aucune classe dans la base de données"});
  EXPECT_FALSE(std::filesystem::exists("x.csv"));
}

}  // namespace
}  // namespace vellanor

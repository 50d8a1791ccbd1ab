#include "dialogs/restore_dlg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include <QTest>

#include "model/database_codec.h"
#include "record_fixtures.h"
#include "resources/ids.h"
#include "support/qt_events.h"
#include "support/temp_dir.h"
#include "widgets/icon_button.h"
#include "widgets/report_list.h"

namespace vellanor {
namespace {

using test::FakeMainWindow;

std::vector<unsigned char> BytesOf(const Gradebook& book) {
  const std::vector<std::uint8_t> bytes = EncodeDatabase(book);
  return {bytes.begin(), bytes.end()};
}

TEST(RestoreDlgTest, RestoresTheChosenCopyAfterCopyingTheCurrentFile) {
  FakeMainWindow main;
  test::Prepare(main, {test::Class("6e A", "", {test::Student("Martin", "Léa")})});
  const std::vector<unsigned char> current = test::ReadBytes("Vellanor.db");
  Gradebook old;
  ASSERT_EQ(AppendClass(old, test::Class("4e B", "", {test::Student("Roy", "Zoé")})),
            AppendResult::Done);
  std::filesystem::create_directory("Sauvegardes");
  test::WriteBytes("Sauvegardes/2026-12-01_10h00_suppression-classe-4e-B.db", BytesOf(old));
  test::WriteBytes("Sauvegardes/2026-12-02_10h00_importation-6e-A.db", {0x00, 0x00});
  test::WriteBytes("Sauvegardes/lisez-moi.txt", {'x'});

  CRestoreDlg dialog(main, 1.0);
  test::ShowActive(dialog);
  auto& list = dialog.Bind<widgets::ReportList>(res::kCtlRestoreList);
  ASSERT_EQ(list.rowCount(), 2);
  EXPECT_EQ(list.ItemText(0, 0), "02/12/2026 10:00");
  EXPECT_EQ(list.ItemText(0, 3), "copie endommagée");
  EXPECT_EQ(list.ItemText(1, 1), "Suppression d'une classe");
  EXPECT_EQ(list.ItemText(1, 2), "4e B");
  EXPECT_EQ(list.ItemText(1, 3), "1 classes, 1 élèves, 0 notes");

  // The damaged copy cannot be chosen: a click leaves nothing selected.
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                    list.visualRect(list.model()->index(0, 0)).center());
  test::PressThenRelease(dialog.Control(res::kIdOk));
  EXPECT_EQ(main.services.messages.Texts(),
            std::vector<std::string>{"Choisissez une copie dans la liste."});
  EXPECT_EQ(main.changes.size(), 0u);

  // The good one, answered Yes.
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                    list.visualRect(list.model()->index(1, 0)).center());
  main.services.messages.AnswerYes();
  test::PressThenRelease(dialog.Control(res::kIdOk));
  EXPECT_EQ(main.services.messages.shown[1].text,
            "Remplacer toutes les données par la copie du 01/12/2026 10:00 ?\nLes données "
            "actuelles seront d'abord copiées dans le dossier Sauvegardes.");
  EXPECT_EQ(main.book, old);
  EXPECT_EQ(test::ReadBytes("Vellanor.db"), BytesOf(old));
  EXPECT_EQ(test::ReadBytes("Sauvegardes/2026-12-07_10h00_avant-restauration.db"), current);
  ASSERT_EQ(main.changes.size(), 1u);
  EXPECT_EQ(main.changes[0].kind, ChangeKind::Restore);
  EXPECT_EQ(main.changes[0].what, "restauration de la copie du 01/12/2026 10:00");
  EXPECT_EQ(main.services.messages.shown.back().text,
            "La copie du 01/12/2026 10:00 a été restaurée.");
  EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
}  // namespace vellanor

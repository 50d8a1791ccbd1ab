#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "dialogs/delete_dlg.h"
#include "dialogs/modify_info_dlg.h"
#include "dialogs/new_class_dlg.h"
#include "dialogs/new_student_dlg.h"
#include "support/fake_main_window.h"
#include "widgets/icon_button.h"

namespace vellanor {
namespace {

TEST(RecordDialogButtonsTest, EveryButtonHasItsIconAndTooltip) {
  struct Expected {
    int id;
    int icon;
    const char* tooltip;
  };
  test::FakeMainWindow main;
  std::vector<std::pair<std::unique_ptr<widgets::TemplateDialog>, std::vector<Expected>>> dialogs;
  dialogs.emplace_back(std::make_unique<CNewClassDlg>(main, 1.0),
                       std::vector<Expected>{{1, 183, "Valide la création"},
                                             {2, 189, "Retourne vers l'application"}});
  dialogs.emplace_back(std::make_unique<CNewStudentDlg>(main, 1.0),
                       std::vector<Expected>{{1, 183, "Valide la création"},
                                             {2, 189, "Retourne vers l'application"}});
  dialogs.emplace_back(std::make_unique<CDeleteDlg>(main, 1.0),
                       std::vector<Expected>{{1, 183, "Valide la sélection"},
                                             {2, 189, "Retourne vers l'application"}});
  dialogs.emplace_back(std::make_unique<CModifyInfoDlg>(main, 1.0),
                       std::vector<Expected>{{1135, 189, "Retourne vers l'application"}});
  for (auto& [dialog, buttons] : dialogs) {
    for (const Expected& expected : buttons) {
      SCOPED_TRACE(testing::Message() << dialog->windowTitle().toStdString() << " " << expected.id);
      auto& button = dialog->Bind<widgets::IconButton>(expected.id);
      EXPECT_EQ(button.IconId(), expected.icon);
      EXPECT_EQ(button.TooltipText(), QString::fromUtf8(expected.tooltip));
    }
  }
}

}  // namespace
}  // namespace vellanor

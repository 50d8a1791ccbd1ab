#include "dialogs/restore_dlg.h"

#include "app/database_backups.h"
#include "app/main_window_operations.h"
#include "document/input_source.h"
#include "model/database_codec.h"
#include "model/database_messages.h"
#include "platform/file_store.h"
#include "platform/message_service.h"
#include "resources/ids.h"
#include "widgets/icon_button.h"
#include "widgets/report_list.h"

namespace vellanor {
namespace {

using platform::MessageIcon;

constexpr char kBeforeRestore[] = "avant-restauration";

}  // namespace

CRestoreDlg::CRestoreDlg(MainWindowOperations& main, double scale)
    : TemplateDialog(res::kDlgRestore, main.DialogParent(), scale),
      main_(main),
      restore_(Bind<widgets::IconButton>(res::kIdOk)),
      quit_(Bind<widgets::IconButton>(res::kIdCancel)),
      list_(Bind<widgets::ReportList>(res::kCtlRestoreList)) {
  widgets::SetUpIconButton(restore_, res::kIconValidate,
                           QStringLiteral("Remplace les données par la copie choisie"));
  widgets::SetUpIconButton(quit_, res::kIconQuit, QStringLiteral("Retourne vers l'application"));
  list_.SetGridLines(true);
  list_.setSelectionBehavior(QAbstractItemView::SelectRows);
  list_.InsertColumn(0, QStringLiteral("Date"), Px(100));
  list_.InsertColumn(1, QStringLiteral("Opération"), Px(180));
  list_.InsertColumn(2, QStringLiteral("Concernant"), Px(80));
  list_.InsertColumn(3, QStringLiteral("Contenu"), Px(170));
  FillList();
}

void CRestoreDlg::FillList() {
  const std::string folder = BackupFolderOf(kDatabaseFileName);
  copies_ = ListBackups(main_.GetServices().files, folder, BackupFolderFiles(folder));
  list_.DeleteAllRows();
  for (const BackupEntry& copy : copies_) {
    const int row = list_.InsertRow(list_.rowCount(), QString::fromStdString(copy.when));
    list_.SetItemText(row, 1, QString::fromStdString(copy.operation));
    list_.SetItemText(row, 2, QString::fromStdString(copy.record));
    list_.SetItemText(row, 3,
                      copy.readable ? QStringLiteral("%1 classes, %2 élèves, %3 notes")
                                          .arg(copy.classes)
                                          .arg(copy.students)
                                          .arg(copy.marks)
                                    : QStringLiteral("copie endommagée"));
    if (!copy.readable) {
      // Shown, but it cannot be chosen.
      for (int column = 0; column < list_.columnCount(); ++column) {
        if (QTableWidgetItem* item = list_.item(row, column)) {
          item->setFlags(item->flags() & ~(Qt::ItemIsSelectable | Qt::ItemIsEnabled));
        }
      }
    }
  }
  restore_.setEnabled(!copies_.empty());
  if (list_.rowCount() > 0) {
    list_.setFocus(Qt::OtherFocusReason);
  }
}

void CRestoreDlg::OnCommand(int id) {
  if (id == res::kIdOk) {
    OnRestore();
  } else if (id == res::kIdCancel) {
    reject();
  }
}

void CRestoreDlg::OnRestore() {
  platform::MessageService& messages = main_.GetServices().messages;
  const int row = list_.SelectedRow();
  if (row < 0 || row >= static_cast<int>(copies_.size()) ||
      !copies_[static_cast<std::size_t>(row)].readable) {
    messages.Inform("Choisissez une copie dans la liste.", kCaptionWarning,
                    MessageIcon::Exclamation);
    return;
  }
  const BackupEntry& copy = copies_[static_cast<std::size_t>(row)];
  const std::string question = "Remplacer toutes les données par la copie du " + copy.when +
                               " ?\nLes données actuelles seront d'abord copiées dans le dossier "
                               "Sauvegardes.";
  if (!messages.AskYesNo(question, kCaptionWarning)) {
    return;
  }
  // Read first: a copy that went bad since the list was made changes nothing.
  Gradebook restored;
  const std::string path = BackupFolderOf(kDatabaseFileName) + "/" + copy.fileName;
  const DbReadError error =
      DecodeDatabaseFile(main_.GetServices().files, path, [&restored](ClassRecord&& record) {
        restored.classes.push_back(std::move(record));
      });
  if (error != DbReadError::None) {
    messages.Inform("Cette copie ne peut pas être lue : rien n'a été changé.", kCaptionError,
                    MessageIcon::Stop);
    FillList();
    return;
  }
  if (!BackUpBeforeChange(main_, kBeforeRestore, "")) {
    return;
  }
  main_.GetGradebook() = std::move(restored);
  if (main_.Commit({ChangeKind::Restore, -1, "restauration de la copie du " + copy.when})) {
    messages.Inform("La copie du " + copy.when + " a été restaurée.", kCaptionInformation,
                    MessageIcon::Information);
    accept();
  }
}

}  // namespace vellanor

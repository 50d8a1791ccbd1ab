#pragma once

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include <QIcon>

#include "app/duplication_commands.h"
#include "app/grade_chart_geometry.h"
#include "app/main_window_operations.h"
#include "document/gradebook_document.h"
#include "widgets/template_dialog.h"

class QMenu;
class QTreeWidget;
class QTreeWidgetItem;
class QRadioButton;

namespace vellanor {

namespace widgets {
class ReportList;
}
class GradeChartView;

// The program's main window: the tree of classes and students, the
// information panel and the grade chart of the item double-clicked last, the
// main menu and the tree's context menu. It owns the gradebook for the whole
// run and offers the operations every dialog uses.
// It shows a document it is given (the program's, which holds the lock and
// outlives the window), or one of its own over the services' files.
//
// Commands are looked up in a table that the program fills (SetCommandHandler):
// the commands that need a class first check that the gradebook holds one;
// a command with no handler does nothing.
class CMainDlg : public widgets::TemplateDialog, public MainWindowOperations {
  Q_OBJECT

 public:
  // `scale` as for TemplateDialog (0: the screen's).
  explicit CMainDlg(platform::Services& services, QWidget* parent = nullptr, double scale = 0.0);
  CMainDlg(platform::Services& services, GradebookDocument& document, QWidget* parent = nullptr,
           double scale = 0.0);
  ~CMainDlg() override;

  // MainWindowOperations.
  GradebookDocument& Document() override { return document_; }
  platform::Services& GetServices() override { return services_; }
  void RebuildTree() override;
  void ShowInfo(const TreeSelection& selection) override;
  QWidget* DialogParent() override { return this; }

  // The action of a menu or context-menu command; an empty action removes it.
  void SetCommandHandler(int commandId, std::function<void()> action);
  bool HasCommandHandler(int commandId) const;
  // Reads the database file into the document (start-up), with the
  // messages of a load; false when it could not be read.
  bool LoadDatabase();
  // "Annuler : <what>" and "Rétablir : <what>" of the "Gestion" menu.
  void OnUndo();
  void OnRedo();

  // What runs after the fatal save message; the application closes its windows.
  void SetFatalHandler(std::function<void()> handler);

  // The tree's current selection, by position.
  TreeSelection CurrentSelection() const;

  // Stores the selection and redraws the chart for the current chart mode.
  void DrawGradeChart(const TreeSelection& selection);
  int ChartMode() const { return chartMode_; }
  const GradeChartView& Chart() const { return *chart_; }

  // What a double-click in the tree does, for the item selected.
  void OnTreeDoubleClick();
  // The context menu with its items enabled for the gradebook's content;
  // ShowContextMenu runs it at a screen position.
  QMenu* PrepareContextMenu();
  void ShowContextMenu(const QPoint& globalPos);

  // The tree's images, in image-list order: class, boy, girl, group, the
  // application and the root. Items store their image index in kImageRole.
  static constexpr int kImageRole = Qt::UserRole + 1;
  const QIcon& TreeImage(int index) const {
    return treeImages_.at(static_cast<std::size_t>(index));
  }

 protected:
  void OnCommand(int id) override;
  // Coming back to the window (no other window of the program open over
  // it), the teacher is offered the file another program changed meanwhile.
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  CMainDlg(platform::Services& services, std::unique_ptr<GradebookDocument> own,
           GradebookDocument* shown, QWidget* parent, double scale);
  void OnInitDialog();
  void AllowGrowing();
  void SetUpTooltips();
  void SetUpInfoPanel();
  void OnChartRadio(int mode);
  void SetUpUndoCommands();
  void UpdateUndoCommands();
  void OnDocumentChanged(const Change& change);
  bool GuardNeedsClass(int id);
  QTreeWidgetItem* NewTreeItem(const QString& text, int image) const;

  platform::Services& services_;
  std::unique_ptr<GradebookDocument> ownDocument_;  // when none was given
  GradebookDocument& document_;
  int documentObserver_ = 0;
  Gradebook& book_;

  QTreeWidget& tree_;
  widgets::ReportList& infoPanel_;
  QWidget& chartFrame_;
  GradeChartView* chart_ = nullptr;
  QMenu* contextMenu_ = nullptr;
  std::array<QIcon, 6> treeImages_;

  int chartMode_ = 1;
  // What the chart showed last; the first class until a double-click.
  TreeSelection lastSelection_ = TreeSelection::ClassItem(0);
  std::map<int, std::function<void()>> handlers_;
};

}  // namespace vellanor

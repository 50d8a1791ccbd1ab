#include "app/main_dlg.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QTreeWidget>

#include "app/database_backups.h"
#include "app/grade_chart_view.h"
#include "app/info_rows.h"
#include "app/record_labels.h"
#include "model/gradebook.h"
#include "platform/message_service.h"
#include "resources/ids.h"
#include "resources/images.h"
#include "widgets/report_list.h"
#include "widgets/window_geometry.h"

namespace vellanor {
namespace {

using platform::MessageIcon;

constexpr int kTreeIconPixels = 24;

// Image-list order of the tree's images.
constexpr std::array<int, 6> kTreeImageIcons{res::kIconClass, res::kIconBoy, res::kIconGirl,
                                             res::kIconGroup, res::kIconApp, res::kIconVellanor};
constexpr int kImageClass = 0;
constexpr int kImageBoy = 1;
constexpr int kImageGirl = 2;
constexpr int kImageRoot = 5;

constexpr char kNoClassYet[] = "Créer une classe s'il vous plaît";
constexpr char kNoClassAtAll[] = "Il n'y a aucune classe dans la base de données";

}  // namespace

CMainDlg::CMainDlg(platform::Services& services, QWidget* parent, double scale)
    : CMainDlg(services,
               std::make_unique<GradebookDocument>(kDatabaseFileName, services.messages,
                                                   services.files),
               nullptr, parent, scale) {}

CMainDlg::CMainDlg(platform::Services& services, GradebookDocument& document, QWidget* parent,
                   double scale)
    : CMainDlg(services, nullptr, &document, parent, scale) {}

CMainDlg::CMainDlg(platform::Services& services, std::unique_ptr<GradebookDocument> own,
                   GradebookDocument* shown, QWidget* parent, double scale)
    : TemplateDialog(res::kDlgMain, parent, scale),
      services_(services),
      ownDocument_(std::move(own)),
      document_(shown != nullptr ? *shown : *ownDocument_),
      book_(document_.Book()),
      tree_(Bind<QTreeWidget>(res::kCtlTree)),
      infoPanel_(Bind<widgets::ReportList>(res::kCtlInfoPanel)),
      chartFrame_(Bind<QWidget>(res::kCtlChartFrame)) {
  OnInitDialog();
}

CMainDlg::~CMainDlg() {
  // The program's document outlives this window.
  document_.RemoveObserver(documentObserver_);
  document_.SetSafetyCopy({});
}

void CMainDlg::OnInitDialog() {
  setWindowIcon(res::IconById(res::kIconApp));

  for (std::size_t i = 0; i < kTreeImageIcons.size(); ++i) {
    // The same picture when selected, not one tinted by the style.
    const QPixmap pixmap = res::IconPixmap(kTreeImageIcons[i], kTreeIconPixels);
    QIcon icon;
    icon.addPixmap(pixmap, QIcon::Normal);
    icon.addPixmap(pixmap, QIcon::Selected);
    treeImages_[i] = icon;
  }
  tree_.setIconSize(QSize(kTreeIconPixels, kTreeIconPixels));
  tree_.setSortingEnabled(false);
  // Selecting an item already expands it (single-expand tree); a double-click
  // only shows it, rather than folding it up again under the mouse.
  tree_.setExpandsOnDoubleClick(false);
  tree_.setContextMenuPolicy(Qt::CustomContextMenu);
  connect(&tree_, &QTreeWidget::itemDoubleClicked, this, [this] { OnTreeDoubleClick(); });
  // The right button only opens the context menu; see eventFilter.
  tree_.viewport()->installEventFilter(this);
  connect(&tree_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { ShowContextMenu(tree_.viewport()->mapToGlobal(pos)); });

  chart_ = new GradeChartView(&chartFrame_, Scale());
  contextMenu_ = CreatePopupMenu(res::kMenuTree, 0);

  SetUpTooltips();
  SetUpUndoCommands();
  RebuildTree();
  SetUpInfoPanel();
  CheckRadioButton(res::kCtlChartTrimester1);

  // The duplication commands act on the tree's selection at the time they run.
  SetCommandHandler(res::kCmdTreeDuplicateClass,
                    [this] { DuplicateClass(*this, CurrentSelection()); });
  SetCommandHandler(res::kCmdTreeDuplicateStudent,
                    [this] { DuplicateStudent(*this, CurrentSelection()); });
  AllowGrowing();
}

void CMainDlg::AllowGrowing() {
  // A quarter of the width gained goes to the tree, the rest to the right
  // column; of the height gained, the information panel takes a third and
  // the chart the rest, its radio buttons staying under it.
  constexpr double kTree = 0.25;
  constexpr double kInfo = 1.0 / 3.0;
  using widgets::Stretch;
  widgets::MakeResizable(
      *this, QStringLiteral("main"),
      {Stretch{.text = " Liste des élèves ", .growX = kTree, .growY = 1},
       Stretch{.id = res::kCtlTree, .growX = kTree, .growY = 1},
       Stretch{.id = res::kCtlInfoPanel, .moveX = kTree, .growX = 1 - kTree, .growY = kInfo},
       Stretch{.id = res::kCtlChartGroup,
               .moveX = kTree,
               .moveY = kInfo,
               .growX = 1 - kTree,
               .growY = 1 - kInfo},
       Stretch{.id = res::kCtlChartFrame,
               .moveX = kTree,
               .moveY = kInfo,
               .growX = 1 - kTree,
               .growY = 1 - kInfo},
       Stretch{.id = res::kCtlChartTrimester1, .moveX = kTree, .moveY = 1},
       Stretch{.id = res::kCtlChartTrimester2, .moveX = kTree, .moveY = 1},
       Stretch{.id = res::kCtlChartTrimester3, .moveX = kTree, .moveY = 1},
       Stretch{.id = res::kCtlChartComparison, .moveX = kTree, .moveY = 1}});
}

void CMainDlg::SetUpTooltips() {
  tree_.setToolTip(QStringLiteral("Affiche la liste des classes et des élèves"));
  infoPanel_.setToolTip(
      QStringLiteral("Affiche les informations concernant la classe ou l'élève sélectionné"));
  chart_->setToolTip(QStringLiteral("Affiche le graphique de la notation"));
}

void CMainDlg::SetUpInfoPanel() {
  infoPanel_.SetGridLines(true);
  infoPanel_.setSelectionBehavior(QAbstractItemView::SelectRows);
  infoPanel_.InsertColumn(0, QStringLiteral("Informations"), 150);
  infoPanel_.InsertColumn(1, QStringLiteral("Données"), 1000);
}

bool CMainDlg::LoadDatabase() {
  const bool loaded = document_.Load();
  UpdateUndoCommands();
  return loaded;
}

void CMainDlg::SetFatalHandler(std::function<void()> handler) {
  document_.SetFatalHandler(std::move(handler));
}

void CMainDlg::SetUpUndoCommands() {
  if (QAction* undo = MenuAction(res::kCmdUndo)) {
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  }
  if (QAction* redo = MenuAction(res::kCmdRedo)) {
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  }
  SetCommandHandler(res::kCmdUndo, [this] { OnUndo(); });
  SetCommandHandler(res::kCmdRedo, [this] { OnRedo(); });
  documentObserver_ = document_.AddObserver([this](const Change& change) { OnDocumentChanged(change); });
  // The file another program left is kept among the safety copies before a
  // save replaces it.
  document_.SetSafetyCopy([this] { return BackUpBeforeChange(*this, "fichier-remplace", ""); });
  UpdateUndoCommands();
}

void CMainDlg::UpdateUndoCommands() {
  // A name may hold "&", which a menu would read as a mnemonic.
  const auto entry = [](const char* verb, const std::string& what) {
    QString text = QString::fromUtf8(verb);
    if (!what.empty()) {
      text += QStringLiteral(" : ") +
              QString::fromStdString(what).replace(QLatin1Char('&'), QStringLiteral("&&"));
    }
    return text;
  };
  if (QAction* undo = MenuAction(res::kCmdUndo)) {
    undo->setText(entry("&Annuler", document_.UndoText()));
    undo->setEnabled(document_.CanUndo());
  }
  if (QAction* redo = MenuAction(res::kCmdRedo)) {
    redo->setText(entry("&Rétablir", document_.RedoText()));
    redo->setEnabled(document_.CanRedo());
  }
}

void CMainDlg::OnUndo() {
  document_.Undo();
}

void CMainDlg::OnRedo() {
  document_.Redo();
}

void CMainDlg::changeEvent(QEvent* event) {
  TemplateDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() &&
      (QApplication::activeModalWidget() == nullptr ||
       QApplication::activeModalWidget() == this)) {
    // After the event: a question box must not open inside its delivery.
    QTimer::singleShot(0, this, [this] {
      if (isActiveWindow()) {
        document_.NoticeDiskChange();
      }
    });
  }
}

void CMainDlg::OnDocumentChanged(const Change& change) {
  RebuildTree();
  UpdateUndoCommands();
  const bool whole = change.kind == ChangeKind::Undone || change.kind == ChangeKind::Reloaded ||
                     change.kind == ChangeKind::Restore;
  if (whole && infoPanel_.rowCount() > 0) {
    // The whole gradebook changed under the panel: show what its selection
    // names now (nothing when it is gone).
    ShowInfo(lastSelection_);
  }
}

QTreeWidgetItem* CMainDlg::NewTreeItem(const QString& text, int image) const {
  auto* item = new QTreeWidgetItem;
  item->setText(0, text);
  item->setIcon(0, treeImages_[static_cast<std::size_t>(image)]);
  item->setData(0, kImageRole, image);
  return item;
}

void CMainDlg::RebuildTree() {
  tree_.clear();
  // The whole tree is built apart and handed to the view at once: each item
  // added to an item the view already shows would be announced on its own.
  auto* root = NewTreeItem(QStringLiteral("Vellanor"), kImageRoot);
  QList<QTreeWidgetItem*> classItems;
  classItems.reserve(static_cast<qsizetype>(book_.classes.size()));
  for (const ClassRecord& record : book_.classes) {
    QTreeWidgetItem* classItem =
        NewTreeItem(QString::fromStdString(ClassLabel(record)), kImageClass);
    QList<QTreeWidgetItem*> studentItems;
    studentItems.reserve(static_cast<qsizetype>(record.students.size()));
    for (const StudentRecord& student : record.students) {
      studentItems.append(NewTreeItem(QString::fromStdString(StudentLabel(student)),
                                      student.IsBoy() ? kImageBoy : kImageGirl));
    }
    classItem->addChildren(studentItems);
    classItems.append(classItem);
  }
  root->addChildren(classItems);
  tree_.addTopLevelItem(root);
}

TreeSelection CMainDlg::CurrentSelection() const {
  const QList<QTreeWidgetItem*> selected = tree_.selectedItems();
  if (selected.isEmpty()) {
    return TreeSelection::Nothing();
  }
  QTreeWidgetItem* item = selected.front();
  QTreeWidgetItem* parent = item->parent();
  if (parent == nullptr) {
    return TreeSelection::RootItem();
  }
  QTreeWidgetItem* grandParent = parent->parent();
  if (grandParent == nullptr) {
    return TreeSelection::ClassItem(parent->indexOfChild(item));
  }
  return TreeSelection::StudentItem(grandParent->indexOfChild(parent), parent->indexOfChild(item));
}

void CMainDlg::OnTreeDoubleClick() {
  CheckRadioButton(res::kCtlChartTrimester1);
  const TreeSelection selection = CurrentSelection();
  if (selection.IsClass() || selection.IsStudent()) {
    ShowInfo(selection);
  }
}

bool CMainDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched != tree_.viewport()) {
    return TemplateDialog::eventFilter(watched, event);
  }
  const QEvent::Type type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
      type != QEvent::MouseButtonDblClick) {
    return TemplateDialog::eventFilter(watched, event);
  }
  const auto* mouse = static_cast<QMouseEvent*>(event);
  // The context menu's commands act on the selection, so the right button
  // neither selects, nor expands or collapses, the item under it; the menu
  // itself still comes (it follows the press, whoever takes it).
  if (mouse->button() == Qt::RightButton) {
    return true;
  }
  // Off the items a press changes nothing, and a double click acts on the
  // selection as one on the selected item does.
  if (type != QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton &&
      tree_.itemAt(mouse->position().toPoint()) == nullptr) {
    if (type == QEvent::MouseButtonDblClick) {
      OnTreeDoubleClick();
    }
    return true;
  }
  return TemplateDialog::eventFilter(watched, event);
}

void CMainDlg::ShowInfo(const TreeSelection& selection) {
  infoPanel_.DeleteAllRows();
  const ClassRecord* record = ClassAt(book_, selection.classPosition);
  if (record == nullptr || !(selection.IsClass() || selection.IsStudent())) {
    return;
  }
  std::vector<InfoRow> rows;
  if (selection.IsClass()) {
    rows = ClassInfoRows(*record);
  } else {
    const StudentRecord* student = StudentAt(*record, selection.studentPosition);
    if (student == nullptr) {
      return;
    }
    rows = StudentInfoRows(*record, *student);
  }
  for (const InfoRow& row : rows) {
    const int position =
        infoPanel_.InsertRow(infoPanel_.rowCount(), QString::fromStdString(row.label));
    infoPanel_.SetItemText(position, 1, QString::fromStdString(row.value));
    if (!row.tooltip.empty()) {
      const QString tooltip = QString::fromStdString(row.tooltip);
      for (int column = 0; column < 2; ++column) {
        if (QTableWidgetItem* cell = infoPanel_.item(position, column)) {
          cell->setToolTip(tooltip);
        }
      }
    }
  }
  // The chart starts again on the first trimester, and its radio button shows it.
  chartMode_ = 1;
  CheckRadioButton(res::kCtlChartTrimester1);
  DrawGradeChart(selection);
}

void CMainDlg::DrawGradeChart(const TreeSelection& selection) {
  lastSelection_ = selection;
  chart_->SetPrimitives(BuildGradeChart(book_, chartMode_, lastSelection_, chart_->FrameRect()));
}

void CMainDlg::OnChartRadio(int mode) {
  chartMode_ = mode;
  DrawGradeChart(lastSelection_);
}

QMenu* CMainDlg::PrepareContextMenu() {
  const bool hasClass = !book_.classes.empty();
  for (QAction* action : contextMenu_->actions()) {
    if (action->isSeparator()) {
      continue;
    }
    action->setEnabled(hasClass || action->data().toInt() == res::kCmdTreeNewClass);
  }
  return contextMenu_;
}

void CMainDlg::ShowContextMenu(const QPoint& globalPos) {
  PrepareContextMenu()->exec(globalPos);
}

void CMainDlg::SetCommandHandler(int commandId, std::function<void()> action) {
  if (action) {
    handlers_[commandId] = std::move(action);
  } else {
    handlers_.erase(commandId);
  }
}

bool CMainDlg::HasCommandHandler(int commandId) const {
  return handlers_.count(commandId) != 0;
}

bool CMainDlg::GuardNeedsClass(int id) {
  const char* refusal = nullptr;
  switch (id) {
    case res::kCmdNewStudent:
      refusal = kNoClassYet;
      break;
    case res::kCmdDelete:
    case res::kCmdModifyInfo:
    case res::kCmdGrading:
    case res::kCmdReport:
    case res::kCmdStatistics:
      refusal = kNoClassAtAll;
      break;
    default:
      return true;
  }
  if (!book_.classes.empty()) {
    return true;
  }
  services_.messages.Inform(refusal, "Attention", MessageIcon::Exclamation);
  return false;
}

void CMainDlg::OnCommand(int id) {
  switch (id) {
    case res::kIdOk:
    case res::kIdCancel:
      TemplateDialog::OnCommand(id);  // Enter, Escape and the close box end the program
      return;
    case res::kCtlChartTrimester1:
      OnChartRadio(1);
      return;
    case res::kCtlChartTrimester2:
      OnChartRadio(2);
      return;
    case res::kCtlChartTrimester3:
      OnChartRadio(3);
      return;
    case res::kCtlChartComparison:
      OnChartRadio(kChartComparison);
      return;
    default:
      break;
  }
  if (!GuardNeedsClass(id)) {
    return;
  }
  auto it = handlers_.find(id);
  if (it != handlers_.end()) {
    // A copy: the action may replace its own table entry while it runs.
    const std::function<void()> action = it->second;
    action();
  }
}

}  // namespace vellanor

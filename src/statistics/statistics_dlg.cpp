#include "statistics/statistics_dlg.h"

#include <QHeaderView>

#include "app/main_window_operations.h"
#include "app/record_lists.h"
#include "model/class_statistics.h"
#include "model/format.h"
#include "resources/ids.h"
#include "statistics/histogram_view.h"
#include "widgets/combo_list.h"
#include "widgets/icon_button.h"
#include "widgets/report_list.h"
#include "widgets/window_geometry.h"

namespace vellanor {
namespace {

struct TableColumn {
  const char* title;
  int widthPx;
};

constexpr TableColumn kColumns[] = {
    {"Intitulé", 150}, {"Coef.", 45},   {"Notes", 45},   {"Absents", 55},    {"Min", 45},
    {"Max", 45},       {"Moyenne", 60}, {"Médiane", 60}, {"Écart-type", 65},
};

// The figures of a row after its title and coefficient; the five values
// stay empty for a row without marks.
QStringList Figures(const MarkStatistics& s) {
  QStringList cells;
  for (const std::string& text : FigureTexts(s)) {
    cells << QString::fromStdString(text);
  }
  return cells;
}

}  // namespace

CStatisticsDlg::CStatisticsDlg(MainWindowOperations& main, double scale)
    : TemplateDialog(res::kDlgStatistics, main.DialogParent(), scale),
      main_(main),
      quit_(Bind<widgets::IconButton>(res::kIdCancel)),
      classList_(Bind<widgets::ComboList>(res::kCtlStatsClassList)),
      table_(Bind<widgets::ReportList>(res::kCtlStatsTable)) {
  OnInitDialog();
  // The table and the histogram share the height gained.
  using widgets::Stretch;
  widgets::MakeResizable(
      *this, QStringLiteral("statistics"),
      {Stretch{.id = res::kIdCancel, .moveX = 1},
       Stretch{.id = res::kCtlStatsTable, .growX = 1, .growY = 0.5},
       Stretch{.text = " Répartition des notes ", .moveY = 0.5, .growX = 1, .growY = 0.5},
       Stretch{.id = res::kCtlStatsHistogram, .moveY = 0.5, .growX = 1, .growY = 0.5}});
}

void CStatisticsDlg::OnInitDialog() {
  widgets::SetUpIconButton(quit_, res::kIconQuit, QStringLiteral("Retourne vers l'application"));
  histogram_ = new HistogramView(&Bind<QWidget>(res::kCtlStatsHistogram));
  table_.SetGridLines(true);
  table_.setSelectionBehavior(QAbstractItemView::SelectRows);
  table_.setEditTriggers(QAbstractItemView::NoEditTriggers);
  for (const TableColumn& column : kColumns) {
    table_.InsertColumn(table_.columnCount(), QString::fromUtf8(column.title), Px(column.widthPx));
  }
  table_.horizontalHeader()->setStretchLastSection(true);
  FillClassList(classList_, main_.GetGradebook(), false);
  CheckRadioButton(res::kCtlStatsTrimester1);
  CheckRadioButton(res::kCtlStatsWritten);
  connect(&classList_, &widgets::ComboList::currentIndexChanged, this, [this] { FillTable(); });
  connect(&table_, &QTableWidget::itemSelectionChanged, this, [this] { OnSelectRow(); });
  FillTable();
}

int CStatisticsDlg::Category() const {
  const int trimester = CheckedRadioButton(res::kCtlStatsTrimester1) == res::kCtlStatsTrimester3 ? 3
                        : CheckedRadioButton(res::kCtlStatsTrimester1) == res::kCtlStatsTrimester2
                            ? 2
                            : 1;
  const int kind =
      CheckedRadioButton(res::kCtlStatsWritten) == res::kCtlStatsOral ? kOral : kWritten;
  return CategoryIndex(trimester, kind);
}

void CStatisticsDlg::FillTable() {
  table_.DeleteAllRows();
  rowBands_.clear();
  const ClassRecord* record = ClassNamedBy(main_.GetGradebook(), classList_);
  if (record == nullptr) {
    histogram_->SetBands({}, 1);
    return;
  }
  const int category = Category();
  const CategoryStatistics stats = StatisticsOfCategory(*record, category);
  auto addRow = [this](const QString& title, const QString& coefficient,
                       const MarkStatistics& figures) {
    const int row = table_.InsertRow(table_.rowCount(), title);
    QStringList cells{coefficient};
    cells << Figures(figures);
    for (int i = 0; i < cells.size(); ++i) {
      table_.SetItemText(row, i + 1, cells[i]);
    }
    rowBands_.push_back(figures.bands);
  };
  for (const ColumnStatistics& column : stats.columns) {
    addRow(QString::fromStdString(column.title),
           QString::fromStdString(FormatAverageWithComma(column.coefficient)), column.marks);
  }
  addRow(QStringLiteral("Moyennes des élèves"), QString(), stats.averages);
  table_.SelectRow(0);
  OnSelectRow();
}

void CStatisticsDlg::OnSelectRow() {
  const int row = table_.SelectedRow();
  const int trimester = CategoryTrimester(Category());
  if (row < 0 || row >= static_cast<int>(rowBands_.size())) {
    histogram_->SetBands({}, trimester);
    return;
  }
  histogram_->SetBands(rowBands_[static_cast<std::size_t>(row)], trimester);
}

void CStatisticsDlg::OnCommand(int id) {
  switch (id) {
    case res::kCtlStatsTrimester1:
    case res::kCtlStatsTrimester2:
    case res::kCtlStatsTrimester3:
    case res::kCtlStatsWritten:
    case res::kCtlStatsOral:
      FillTable();
      return;
    case res::kIdCancel:
      reject();
      return;
    default:
      return;
  }
}

}  // namespace vellanor

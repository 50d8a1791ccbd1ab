#pragma once

#include <array>
#include <vector>

#include "model/class_statistics.h"
#include "widgets/template_dialog.h"

namespace vellanor {

class MainWindowOperations;
class HistogramView;

namespace widgets {
class ComboList;
class IconButton;
class ReportList;
}  // namespace widgets

// "Statistiques": the figures of one category (trimester, written or oral)
// of a class: one table row per grade column (its information text or
// "Note n", coefficient, marks, absents, minimum, maximum, mean, median,
// standard deviation) and a last row for the students' averages, and a
// histogram of the selected row. Reads the stored records; changes nothing.
class CStatisticsDlg : public widgets::TemplateDialog {
  Q_OBJECT

 public:
  explicit CStatisticsDlg(MainWindowOperations& main, double scale = 0.0);

  const HistogramView& Histogram() const { return *histogram_; }

 protected:
  void OnCommand(int id) override;

 private:
  void OnInitDialog();
  void FillTable();
  void OnSelectRow();
  int Category() const;

  MainWindowOperations& main_;
  widgets::IconButton& quit_;
  widgets::ComboList& classList_;
  widgets::ReportList& table_;
  HistogramView* histogram_ = nullptr;
  // The bands of each row of the table, in row order.
  std::vector<std::array<int, kBandCount>> rowBands_;
};

}  // namespace vellanor

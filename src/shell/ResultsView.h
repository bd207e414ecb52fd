#pragma once

#include "results/RowSelection.h"

#include <QTableView>
#include <QUrl>

#include <functional>

namespace quillon::results {
class CountPanel;
}

namespace quillon::shell {

class ErrorReport;
class ResultsHeader;
class ResultsModel;

// The results list `lv`: a report view over the results model with whole-row
// multi-selection (the selection the table's key handling acts on), a current cell moved by Left
// and Right, Space or F2 to edit it in place, a header click to sort, link cells opened
// outside the program, and the table's key handling (which writes the count panel).
class ResultsView final : public QTableView, public results::RowSelection {
  Q_OBJECT

 public:
  static constexpr int kRowHeight = 13;

  // The model, the count panel and the error report must outlive the view.
  ResultsView(ResultsModel& model, results::CountPanel& countPanel, ErrorReport& errors,
              QWidget* parent = nullptr);

  ResultsHeader& header() const { return *m_header; }

  // What opens a link cell's address; QDesktopServices::openUrl by default.
  void setUrlOpener(std::function<void(const QUrl&)> opener) { m_openUrl = std::move(opener); }

  // results::RowSelection
  void selectAll() override;
  std::vector<int> selectedRows() const override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  void lvKeyDown(const QKeyEvent& event);
  void sortByHeader(int column);
  void showSortArrow();

  ResultsModel& m_model;
  results::CountPanel& m_countPanel;
  ErrorReport& m_errors;
  ResultsHeader* m_header;
  std::function<void(const QUrl&)> m_openUrl;
};

}  // namespace quillon::shell

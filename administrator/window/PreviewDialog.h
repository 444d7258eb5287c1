#pragma once
#include <QDialog>
#include <QString>

#include <administrator/importrun/RunInputs.h>

#include <administrator/window/RunPreview.h>

class QLabel;
class QPushButton;
class QTableWidget;

namespace administrator::window {

// What a run would do, shown before it does anything: one row per thing it would
// meet, in visiting order until a column is sorted, with what becomes of it. The
// Copy button puts the count line and the summary the run would end with on the
// clipboard as plain text.
class PreviewDialog : public QDialog {
  Q_OBJECT
 public:
  PreviewDialog(const importrun::RunInputs& inputs, const RunPreview& preview, QWidget* parent = nullptr);

  const QString& plainText() const { return plainText_; }

 private:
  void fillTable(const importrun::RunInputs& inputs, const importrun::RunPlan& plan);
  void copyToClipboard() const;

  QLabel* lblNotice_ = nullptr;
  QLabel* lblCounts_ = nullptr;
  QTableWidget* grdPlan_ = nullptr;
  QPushButton* cmdCopy_ = nullptr;
  QPushButton* cmdClose_ = nullptr;
  QString plainText_;
};

}  // namespace administrator::window

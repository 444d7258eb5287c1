#include <administrator/window/PreviewDialog.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <filesystem>
#include <platform/ui/FolderReading.h>

#include <administrator/importrun/RunTexts.h>

namespace administrator::window {
namespace {

enum Column { kOrder, kName, kFolder, kOutcome, kColumns };

QString fromText(const std::u16string& text) { return QString::fromStdU16String(text); }

// Names are bytes on disk; shown as the window's lists show them.
QString fromName(const std::string& name) { return platform::ui::toQString(std::filesystem::path(name)); }

// The run joins every path as folder + "/" + name, so the part below a folder
// is what follows that folder and its separator.
std::string below(const std::string& folder, const std::string& path) {
  const std::string prefix = folder + "/";
  return path.compare(0, prefix.size(), prefix) == 0 ? path.substr(prefix.size()) : path;
}

// The folder below the source that holds the thing; empty for the source itself.
std::string holdingFolder(const importrun::RunInputs& inputs, const importrun::PlannedFile& file) {
  const std::string inSource = below(inputs.sourceFolder, file.sourcePath);
  const auto cut = inSource.rfind('/');
  return cut == std::string::npos ? std::string() : inSource.substr(0, cut);
}

std::u16string outcomeOf(const importrun::RunInputs& inputs, const importrun::PlannedFile& file) {
  return importrun::texts::plannedOutcome(file, inputs.destinationRoot);
}

QLabel* plainLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(parent);  // owned by the dialog
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setText(text);
  return label;
}

QTableWidgetItem* cell(const QString& text) {
  auto* item = new QTableWidgetItem(text);  // owned by the table
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  return item;
}

QString noticeOf(const RunPreview& preview) {
  QStringList lines;
  if (!preview.plan.status) lines << fromText(importrun::texts::stoppedBeforeStart(preview.plan.status.reason()));
  if (!preview.catalogue) lines << fromText(importrun::texts::catalogueRefused(preview.catalogue.reason()));
  return lines.join(fromText(importrun::texts::lineBreak()));
}

}  // namespace

PreviewDialog::PreviewDialog(const importrun::RunInputs& inputs, const RunPreview& preview, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("frmPreview"));
  setWindowTitle(QStringLiteral("Preview"));
  setAccessibleName(QStringLiteral("Preview of the run"));
  setModal(true);

  const QString notice = noticeOf(preview);
  const QString counts = fromText(importrun::texts::plannedCounts(preview.plan.filed, preview.plan.left));
  lblNotice_ = plainLabel(notice, this);
  lblNotice_->setObjectName(QStringLiteral("lblNotice"));
  lblNotice_->setVisible(!notice.isEmpty());
  lblCounts_ = plainLabel(counts, this);
  lblCounts_->setObjectName(QStringLiteral("lblCounts"));
  grdPlan_ = new QTableWidget(this);  // owned by the dialog
  grdPlan_->setObjectName(QStringLiteral("grdPlan"));
  grdPlan_->setAccessibleName(QStringLiteral("What the run would do"));
  fillTable(inputs, preview.plan);
  cmdCopy_ = new QPushButton(QStringLiteral("Copy"), this);
  cmdCopy_->setObjectName(QStringLiteral("cmdCopy"));
  cmdClose_ = new QPushButton(QStringLiteral("Close"), this);
  cmdClose_->setObjectName(QStringLiteral("cmdClose"));

  std::u16string summary;
  for (const importrun::PlannedFile& file : preview.plan.files) summary += importrun::texts::plannedInSummary(file);
  plainText_ =
      (notice.isEmpty() ? QString() : notice + fromText(importrun::texts::lineBreak())) + counts + fromText(summary);

  auto* buttons = new QHBoxLayout;  // owned by the dialog's layout
  buttons->addWidget(cmdCopy_);
  buttons->addStretch();
  buttons->addWidget(cmdClose_);
  auto* layout = new QVBoxLayout(this);  // owned by the dialog
  layout->addWidget(lblNotice_);
  layout->addWidget(lblCounts_);
  layout->addWidget(grdPlan_, 1);
  layout->addLayout(buttons);
  connect(cmdCopy_, &QPushButton::clicked, this, &PreviewDialog::copyToClipboard);
  connect(cmdClose_, &QPushButton::clicked, this, &QDialog::accept);
  resize(fontMetrics().averageCharWidth() * 110, fontMetrics().height() * 24);
}

void PreviewDialog::fillTable(const importrun::RunInputs& inputs, const importrun::RunPlan& plan) {
  grdPlan_->setColumnCount(kColumns);
  grdPlan_->setHorizontalHeaderLabels(
      {QStringLiteral("#"), QStringLiteral("Name"), QStringLiteral("Folder"), QStringLiteral("What will happen")});
  grdPlan_->setRowCount(static_cast<int>(plan.files.size()));
  for (int row = 0; row < grdPlan_->rowCount(); ++row) {
    const importrun::PlannedFile& file = plan.files[static_cast<std::size_t>(row)];
    auto* order = cell(QString());
    order->setData(Qt::DisplayRole, row + 1);  // sorts as a number
    grdPlan_->setItem(row, kOrder, order);
    grdPlan_->setItem(row, kName, cell(fromName(file.name)));
    grdPlan_->setItem(row, kFolder, cell(fromName(holdingFolder(inputs, file))));
    grdPlan_->setItem(row, kOutcome, cell(fromText(outcomeOf(inputs, file))));
  }
  grdPlan_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grdPlan_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grdPlan_->verticalHeader()->hide();
  grdPlan_->horizontalHeader()->setStretchLastSection(true);
  grdPlan_->resizeColumnsToContents();
  grdPlan_->setSortingEnabled(true);
  grdPlan_->sortByColumn(kOrder, Qt::AscendingOrder);
}

void PreviewDialog::copyToClipboard() const { QGuiApplication::clipboard()->setText(plainText_); }

}  // namespace administrator::window

#include <administrator/window/SummaryBox.h>

#include <administrator/window/PlainMessageBox.h>

namespace administrator::window {
namespace {
constexpr int kLinesShownInMessage = 20;
}

SummaryParts splitSummary(const QString& summary) {
  const QStringList lines = summary.split(QStringLiteral("\r\n"));
  if (lines.size() <= kLinesShownInMessage) return {summary, QString()};
  const QStringList head = lines.mid(0, kLinesShownInMessage);
  const QString message =
      head.join(QStringLiteral("\r\n")) +
      QStringLiteral("\r\n... and %1 more lines: see the details.").arg(lines.size() - kLinesShownInMessage);
  return {message, summary};
}

bool showSummaryBox(QWidget* parent, const QString& summary, bool offerUndo) {
  const SummaryParts parts = splitSummary(summary);
  return showPlainMessage(parent, QMessageBox::NoIcon, parts.message, parts.details,
                          offerUndo ? QStringLiteral("Undo this run") : QString());
}

}  // namespace administrator::window

#pragma once
#include <QString>

class QWidget;

namespace administrator::window {

// The end-of-run message: the summary with one OK button, no icon, titled
// "Mervalis". A summary too long for a message box keeps its first lines in the
// message and shows the whole text, scrollable, as the box's details. The box of
// a run that filed files may offer "Undo this run" beside OK: true when chosen.
bool showSummaryBox(QWidget* parent, const QString& summary, bool offerUndo = false);

// The message and details for a summary, split as the box shows them.
struct SummaryParts {
  QString message;
  QString details;  // empty when the message holds the whole summary
};
SummaryParts splitSummary(const QString& summary);

}  // namespace administrator::window

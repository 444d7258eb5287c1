#include <administrator/window/LogViewAccessible.h>

#include <QAccessibleWidget>
#include <QScrollBar>
#include <QTextLayout>
#include <algorithm>

#include <administrator/window/LogView.h>

namespace administrator::window {
namespace {

class LogViewAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit LogViewAccessible(LogView* view) : QAccessibleWidget(view, QAccessible::EditableText), view_(*view) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.editable = false;
    state.multiLine = true;
    state.selectableText = true;
    return state;
  }

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Value) return view_.toPlainText();
    return QAccessibleWidget::text(kind);
  }

  QString text(int startOffset, int endOffset) const override {
    const int from = clamped(startOffset);
    return view_.toPlainText().mid(from, clamped(endOffset) - from);
  }
  int characterCount() const override { return static_cast<int>(view_.toPlainText().size()); }

  // The chosen lines are the one selection; the reader's place is the start of the
  // current line.
  int selectionCount() const override { return view_.hasSelection() ? 1 : 0; }
  void selection(int index, int* startOffset, int* endOffset) const override {
    *startOffset = *endOffset = 0;
    if (index != 0 || !view_.hasSelection()) return;
    *startOffset = static_cast<int>(lines().start(view_.selectionFirst()));
    *endOffset = static_cast<int>(lines().end(view_.selectionLast()));
  }
  void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
  void removeSelection(int index) override {
    if (index == 0) view_.clearSelection();
  }
  void setSelection(int, int startOffset, int endOffset) override {
    view_.selectLines(lines().lineAt(clamped(startOffset)), lines().lineAt(clamped(endOffset)));
  }
  int cursorPosition() const override { return static_cast<int>(lines().start(view_.currentLine())); }
  void setCursorPosition(int position) override {
    const qsizetype line = lines().lineAt(clamped(position));
    view_.selectLines(line, line);
  }

  QRect characterRect(int offset) const override {
    const qsizetype line = lines().lineAt(clamped(offset));
    const QTextLine laid = laidOut(line);
    const int column = clamped(offset) - static_cast<int>(lines().start(line));
    const int left = static_cast<int>(laid.cursorToX(column)), right = static_cast<int>(laid.cursorToX(column + 1));
    const QRect row = view_.lineRect(line);
    const QRect box(view_.textLeft() + left, row.top(), std::max(1, right - left), row.height());
    return QRect(view_.viewport()->mapToGlobal(box.topLeft()), box.size());
  }
  int offsetAtPoint(const QPoint& point) const override {
    const QPoint local = view_.viewport()->mapFromGlobal(point);
    if (!view_.viewport()->rect().contains(local)) return -1;
    const qsizetype line = view_.lineAtY(local.y());
    return static_cast<int>(lines().start(line)) + laidOut(line).xToCursor(local.x() - view_.textLeft());
  }
  void scrollToSubstring(int startIndex, int) override { view_.ensureLineVisible(lines().lineAt(clamped(startIndex))); }
  QString attributes(int, int* startOffset, int* endOffset) const override {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
  }

 private:
  const LogLines& lines() const { return view_.lines(); }
  int clamped(int offset) const { return std::clamp(offset, 0, characterCount()); }

  // One line laid out in the view's font, to find a character's place in it.
  QTextLine laidOut(qsizetype line) const {
    layout_.setText(lines().line(line).toString());
    layout_.setFont(view_.font());
    layout_.beginLayout();
    QTextLine laid = layout_.createLine();
    layout_.endLayout();
    return laid;
  }

  LogView& view_;
  mutable QTextLayout layout_;
};

QAccessibleInterface* logViewAccessible(const QString&, QObject* object) {
  // Qt's accessibility cache owns what a factory makes.
  if (auto* view = qobject_cast<LogView*>(object)) return new LogViewAccessible(view);
  return nullptr;
}

}  // namespace

void installLogViewAccessible() {
  static const bool installed = (QAccessible::installFactory(logViewAccessible), true);
  (void)installed;
}

}  // namespace administrator::window

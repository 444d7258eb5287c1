#include <administrator/window/RunGuard.h>

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace administrator::window {
namespace {
bool isUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::DragEnter:
    case QEvent::Drop: return true;
    default: return false;
  }
}
}  // namespace

RunGuard::RunGuard(QWidget& window, QWidget* stopControl) : window_(window), stopControl_(stopControl) {
  qApp->installEventFilter(this);
}

RunGuard::~RunGuard() { qApp->removeEventFilter(this); }

bool RunGuard::eventFilter(QObject* watched, QEvent* event) {
  if (!belongsToWindow(watched)) return false;
  if (event->type() == QEvent::Close && watched == &window_) {
    closeRequested_ = true;
    event->ignore();
    return true;
  }
  return isUserInput(event->type()) && !stopsTheRun(watched, event);
}

// A click on the stop control, or Space on it when it has the focus: a push
// button takes nothing else. Any other key there could move the focus away.
bool RunGuard::stopsTheRun(QObject* watched, QEvent* event) const {
  if (!stopControl_ || watched != stopControl_) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      const auto* key = static_cast<QKeyEvent*>(event);
      return key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier;
    }
    default: return false;
  }
}

// Only the window itself and its controls: a message box it opens stays usable.
bool RunGuard::belongsToWindow(QObject* object) const {
  const auto* widget = qobject_cast<QWidget*>(object);
  return widget && widget->window() == &window_;
}

}  // namespace administrator::window

#pragma once
#include <QObject>

namespace administrator::window {

// While a run goes on, the window keeps repainting but no input reaches it:
// nothing can start, change or end anything until the run is over, except the
// one control given to stop it, which takes clicks and its Space key. A close
// from the title bar is remembered and carried out when the guard is lifted.
class RunGuard : public QObject {
  Q_OBJECT
 public:
  explicit RunGuard(QWidget& window, QWidget* stopControl = nullptr);
  ~RunGuard() override;
  RunGuard(const RunGuard&) = delete;
  RunGuard& operator=(const RunGuard&) = delete;

  bool closeWasRequested() const { return closeRequested_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool belongsToWindow(QObject* object) const;
  bool stopsTheRun(QObject* watched, QEvent* event) const;

  QWidget& window_;
  QWidget* stopControl_;
  bool closeRequested_ = false;
};

}  // namespace administrator::window

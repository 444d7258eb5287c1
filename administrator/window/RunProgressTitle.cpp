#include <administrator/window/RunProgressTitle.h>

#include <administrator/importrun/RunTexts.h>

namespace administrator::window {

RunProgressTitle::RunProgressTitle(QWidget& window) : window_(window) {
  refresh_.setInterval(refreshInterval);
  connect(&refresh_, &QTimer::timeout, this, &RunProgressTitle::refresh);
}

void RunProgressTitle::start() {
  if (running_) return;
  running_ = true;
  counted_ = false;
  title_ = window_.windowTitle();
  clock_.start();
  refresh_.start();
}

void RunProgressTitle::fileDone(std::size_t done, std::size_t total) {
  done_ = done;
  total_ = total;
  counted_ = true;
}

void RunProgressTitle::finish() {
  if (!running_) return;
  running_ = false;
  refresh_.stop();
  window_.setWindowTitle(title_);
}

void RunProgressTitle::refresh() {
  if (!counted_) return;
  const double seconds = static_cast<double>(clock_.elapsed()) / 1000;
  const double perSecond = seconds > 0 ? static_cast<double>(done_) / seconds : 0.0;
  window_.setWindowTitle(QString::fromStdU16String(importrun::texts::titleWithProgress(
      title_.toStdU16String(), importrun::texts::progress(done_, total_, perSecond))));
}

}  // namespace administrator::window

#pragma once
#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <cstddef>

namespace administrator::window {

// The window's title during a run: "<title> - N of M files, R a second". A file
// done only notes the counts; a timer puts them in the title several times a
// second, so a run of thousands of files a second sets the title no more often,
// and the rate moves on during a long copy. The title goes back when the run ends.
class RunProgressTitle : public QObject {
 public:
  explicit RunProgressTitle(QWidget& window);

  void start();
  void fileDone(std::size_t done, std::size_t total);
  void finish();

  static constexpr int refreshInterval = 100;  // milliseconds

 private:
  void refresh();

  QWidget& window_;
  QString title_;
  QTimer refresh_;
  QElapsedTimer clock_;
  std::size_t done_ = 0, total_ = 0;
  bool running_ = false, counted_ = false;
};

}  // namespace administrator::window

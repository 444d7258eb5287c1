#pragma once
// Hands the first modal window that appears to `answer`, which must close it: a
// test's click would otherwise wait for a person.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace tests::support {

class ModalAnswerer {
 public:
  explicit ModalAnswerer(std::function<void(QWidget*)> answer) : answer_(std::move(answer)) {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        timer_.stop();
        ++answered;
        answer_(modal);
      }
    });
    timer_.start();
  }
  int answered = 0;

 private:
  std::function<void(QWidget*)> answer_;
  QTimer timer_;
};

}  // namespace tests::support

#pragma once
#include <QString>

namespace platform::ui {

// Outcome of asking a list to move: either it moved (or was already there), or it
// refused and stayed where it was, with a sentence a person can read.
class [[nodiscard]] ListResult {
 public:
  static ListResult success() { return ListResult(QString()); }
  static ListResult failure(QString reason) { return ListResult(std::move(reason)); }

  bool ok() const { return reason_.isEmpty(); }
  explicit operator bool() const { return ok(); }
  const QString& reason() const { return reason_; }

 private:
  explicit ListResult(QString reason) : reason_(std::move(reason)) {}
  QString reason_;
};

}  // namespace platform::ui

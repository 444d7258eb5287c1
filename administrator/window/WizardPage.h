#pragma once
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <platform/ui/Twips.h>
#include <vector>

namespace administrator::window {

inline constexpr int kNoTabIndex = -1;

// One control's place on the tab control, in twips from its top-left corner, and its
// place in the window's keyboard order (labels hold one but never take the focus).
struct Placement {
  QWidget* control;
  int left, top, width, height, tabIndex;
  bool shownWhenCurrent = true;  // a worker's place only: never shown
};

inline bool takesFocus(const Placement& p) {
  return p.tabIndex != kNoTabIndex && p.control->focusPolicy() != Qt::NoFocus;
}

// A page of the window: its controls, which lie on the tab control itself so that
// every place counts from its corner, and its part of the layout. A control added
// later takes one more row of the page's table.
class WizardPage {
 public:
  explicit WizardPage(QWidget& tabControl) : tabControl_(tabControl) {}
  virtual ~WizardPage() = default;
  WizardPage(const WizardPage&) = delete;
  WizardPage& operator=(const WizardPage&) = delete;

  const std::vector<Placement>& layout() const { return layout_; }
  void place(const platform::ui::TwipsScale& scale) const;
  void setCurrent(bool current) const;
  bool holds(const QWidget* widget) const;
  QWidget* firstInKeyboardOrder() const;

 protected:
  void add(const Placement& placement) { layout_.push_back(placement); }
  // Controls carry their names as object names, so handlers and tests find them.
  QLabel* makeLabel(const char* name, const QString& caption) const;
  QPushButton* makeButton(const char* name, const QString& caption) const;
  // A screen reader names a list by the label that heads it.
  static void headList(QLabel& heading, QWidget& list);
  // A drop-down's name is the item it shows; what it is for goes in its description.
  static void describeDropDown(QWidget& dropDown, const QString& purpose) {
    dropDown.setAccessibleDescription(purpose);
  }
  template <typename Control, typename... Args>
  Control* make(const char* name, Args&&... args) const {
    auto* control = new Control(std::forward<Args>(args)..., &tabControl_);  // owned by the tab control
    control->setObjectName(QString::fromLatin1(name));
    return control;
  }

 private:
  QWidget& tabControl_;
  std::vector<Placement> layout_;
};

}  // namespace administrator::window

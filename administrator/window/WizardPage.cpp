#include <administrator/window/WizardPage.h>

#include <algorithm>

namespace administrator::window {

void WizardPage::place(const platform::ui::TwipsScale& scale) const {
  for (const Placement& p : layout_) p.control->setGeometry(scale.rect(p.left, p.top, p.width, p.height));
}

void WizardPage::setCurrent(bool current) const {
  for (const Placement& p : layout_) p.control->setVisible(current && p.shownWhenCurrent);
}

bool WizardPage::holds(const QWidget* widget) const {
  return std::any_of(layout_.begin(), layout_.end(), [widget](const Placement& p) { return p.control == widget; });
}

QWidget* WizardPage::firstInKeyboardOrder() const {
  const Placement* first = nullptr;
  for (const Placement& p : layout_)
    if (takesFocus(p) && (!first || p.tabIndex < first->tabIndex)) first = &p;
  return first ? first->control : nullptr;
}

// Labels wrap their caption at word boundaries inside their rectangle.
QLabel* WizardPage::makeLabel(const char* name, const QString& caption) const {
  auto* label = make<QLabel>(name, caption);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

void WizardPage::headList(QLabel& heading, QWidget& list) {
  heading.setBuddy(&list);
  // Item views take their name from their own property only, not from a buddy.
  list.setAccessibleName(heading.text());
}

QPushButton* WizardPage::makeButton(const char* name, const QString& caption) const {
  return make<QPushButton>(name, caption);
}

}  // namespace administrator::window

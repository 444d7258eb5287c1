#pragma once
#include <QDialog>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace tagcomponent::about {

// A label that reports a click; the description label opens the maker's web page.
class ClickableLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;
 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// The component's About box: name, version, description and the maker's web page.
class frmAbout : public QDialog {
  Q_OBJECT
 public:
  frmAbout(const QPixmap& image, const QIcon& icon);

  QLabel* Image1;
  QLabel* lblTitle;
  ClickableLabel* lblDescription;
  QPushButton* cmdOK;

  // Opens the address in the desktop's browser without waiting; false when no
  // browser could be started. Replaceable so tests need no browser.
  static std::function<bool(const QString& address)> openWebPage;

 protected:
  void paintEvent(QPaintEvent* event) override;
  // Escape presses the OK button, as the cancel button of the dialog.
  void reject() override { cmdOK_Click(); }

 private:
  void placeControls();
  void Form_Load();
  void cmdOK_Click();
  void lblDescription_Click();
};

}  // namespace tagcomponent::about

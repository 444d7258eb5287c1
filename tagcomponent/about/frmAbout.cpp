#include <tagcomponent/about/frmAbout.h>

#include <QDesktopServices>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include <tagcomponent/about/AboutTexts.h>
#include <platform/ui/Twips.h>

using platform::ui::twipsRect;
using platform::ui::twipsToPixels;

namespace tagcomponent::about {

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

std::function<bool(const QString&)> frmAbout::openWebPage = [](const QString& address) {
  return QDesktopServices::openUrl(QUrl(address));
};

frmAbout::frmAbout(const QPixmap& image, const QIcon& icon)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::CustomizeWindowHint),
      Image1(new QLabel(this)),
      lblTitle(new QLabel(this)),
      lblDescription(new ClickableLabel(this)),
      cmdOK(new QPushButton(QStringLiteral("OK"), this)) {
  setObjectName(QStringLiteral("frmAbout"));
  setAttribute(Qt::WA_DeleteOnClose, false);
  setWindowIcon(icon);
  Image1->setPixmap(image);
  Image1->setScaledContents(true);

  QFont titleFont(QStringLiteral("Arial"));
  titleFont.setPointSizeF(14.25);
  titleFont.setWeight(QFont::Bold);
  titleFont.setItalic(true);
  lblTitle->setFont(titleFont);
  for (QLabel* label : {lblTitle, static_cast<QLabel*>(lblDescription)}) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
  }
  lblDescription->setCursor(Qt::PointingHandCursor);

  cmdOK->setDefault(true);
  cmdOK->setAutoDefault(true);
  setTabOrder(cmdOK, lblDescription);
  setTabOrder(lblDescription, lblTitle);
  connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
  connect(lblDescription, &ClickableLabel::clicked, this, &frmAbout::lblDescription_Click);

  placeControls();
  Form_Load();
}

void frmAbout::placeControls() {
  const double dpi = logicalDpiX();
  setFixedSize(twipsToPixels(3150, dpi), twipsToPixels(2295, dpi));
  Image1->setGeometry(twipsRect(*this, 120, 120, 480, 480));
  lblTitle->setGeometry(twipsRect(*this, 720, 120, 2325, 480));
  lblDescription->setGeometry(twipsRect(*this, 120, 840, 2925, 1005));
  cmdOK->setGeometry(twipsRect(*this, 840, 1920, 1260, 345));
}

void frmAbout::Form_Load() {
  setWindowTitle(aboutCaption());
  lblTitle->setText(titleLabelText());
  lblDescription->setText(descriptionText());
}

void frmAbout::cmdOK_Click() { done(QDialog::Accepted); }

void frmAbout::lblDescription_Click() {
  const QString address = QString::fromUtf8(kMakerWebPage);
  if (!openWebPage(address))
    QMessageBox::warning(this, windowTitle(),
                         QStringLiteral("No web browser could be started to open %1.").arg(address));
}

// The etched separator: a grey line with a white one, two units wide, just below.
void frmAbout::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  const double dpi = logicalDpiX();
  const int left = twipsToPixels(90, dpi), right = twipsToPixels(3120, dpi);
  painter.setPen(QPen(QColor(128, 128, 128), 1));
  painter.drawLine(left, twipsToPixels(1725, dpi), right, twipsToPixels(1725, dpi));
  painter.setPen(QPen(Qt::white, 2));
  painter.drawLine(left, twipsToPixels(1740, dpi), right, twipsToPixels(1740, dpi));
}

}  // namespace tagcomponent::about

// Every caption of the window reads whole, and no control covers another: at the platform's font, at 8, 10 and 12
// points, and at device pixel ratios 1, 1.25 and 2. A ratio is fixed when Qt starts,
// so the other ratios run this same test binary again with QT_SCALE_FACTOR set.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <string>
#include <vector>

#include <tests/window/WindowTestSupport.h>

using namespace administrator::window;

namespace {

using tests::window::CountingWindow;

std::string describe(const QWidget& control, const QString& caption, const QRect& area, const QRect& needed) {
  return control.objectName().toStdString() + " \"" + caption.toStdString() + "\" needs " +
         std::to_string(needed.width()) + "x" + std::to_string(needed.height()) + " in " +
         std::to_string(area.width()) + "x" + std::to_string(area.height());
}

// Each label's caption wrapped at word boundaries in its rectangle, each button's
// inside its frame, as the style draws it; the names of those that are cut.
std::vector<std::string> cutCaptions(const frmMain& window) {
  std::vector<std::string> cut;
  auto check = [&cut](const QWidget& control, const QRect& area, int flags, const QString& text) {
    const QRect needed = control.fontMetrics().boundingRect(area, flags, text);
    if (!area.contains(needed)) cut.push_back(describe(control, text, area, needed));
  };
  for (const QLabel* label : window.findChildren<QLabel*>())
    check(*label, label->contentsRect(), Qt::TextWordWrap | int(label->alignment()), label->text());
  for (const QPushButton* button : window.findChildren<QPushButton*>()) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRect area = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    check(*button, area, Qt::AlignCenter | Qt::TextShowMnemonic, button->text());
  }
  return cut;
}

// Controls that stick out of the tab control, or a tab control out of the window.
std::vector<std::string> outOfPlace(const frmMain& window) {
  std::vector<std::string> out;
  if (!window.rect().contains(window.SSTab1->geometry())) out.push_back("SSTab1");
  for (const QWidget* control : window.SSTab1->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (!control->objectName().isEmpty() && !window.SSTab1->rect().contains(control->geometry()))
      out.push_back(control->objectName().toStdString());
  return out;
}

// Pairs of controls shown together on a page that cover each other. Labels are
// left out: a label's rectangle may run under its list, as the layout has it.
std::vector<std::string> overlapping(const frmMain& window) {
  std::vector<std::string> pairs;
  for (int page = 0; page < window.SSTab1->count(); ++page) {
    window.SSTab1->setCurrentIndex(page);
    std::vector<const QWidget*> shown;
    for (const QWidget* control : window.SSTab1->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (!control->objectName().isEmpty() && !control->objectName().startsWith(QStringLiteral("qt_")) &&
          !qobject_cast<const QLabel*>(control) && control->isVisible())
        shown.push_back(control);
    for (std::size_t a = 0; a < shown.size(); ++a)
      for (std::size_t b = a + 1; b < shown.size(); ++b)
        if (shown[a]->geometry().intersects(shown[b]->geometry()))
          pairs.push_back(shown[a]->objectName().toStdString() + " and " + shown[b]->objectName().toStdString());
  }
  window.SSTab1->setCurrentIndex(0);
  return pairs;
}

class CaptionsFit : public ::testing::Test {
 protected:
  void TearDown() override { QApplication::setFont(platformFont); }
  const QFont platformFont = QApplication::font();
};

TEST_F(CaptionsFit, AtThePlatformFontAndAt8To12Points) {
  if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
    ASSERT_DOUBLE_EQ(qApp->devicePixelRatio(), qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
  }
  for (const int points : {0, 8, 10, 12}) {
    QFont font = platformFont;
    if (points) font.setPointSize(points);
    QApplication::setFont(font);
    SCOPED_TRACE(points ? std::to_string(points) + " points" : "the platform's font");
    CountingWindow made;
    made.window->show();
    EXPECT_EQ(cutCaptions(*made.window), std::vector<std::string>());
    EXPECT_EQ(outOfPlace(*made.window), std::vector<std::string>());
    EXPECT_EQ(overlapping(*made.window), std::vector<std::string>());
  }
  SCOPED_TRACE("a window open while the font grows");
  QApplication::setFont(platformFont);
  CountingWindow made;
  made.window->show();
  QFont larger = platformFont;
  larger.setPointSize(12);
  QApplication::setFont(larger);
  QCoreApplication::sendPostedEvents();  // the widgets learn of the new font by a posted event
  EXPECT_EQ(cutCaptions(*made.window), std::vector<std::string>());
  EXPECT_EQ(outOfPlace(*made.window), std::vector<std::string>());
  EXPECT_EQ(overlapping(*made.window), std::vector<std::string>());
}

TEST_F(CaptionsFit, AtDevicePixelRatios) {
  if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) GTEST_SKIP() << "this run is itself at one of the ratios";
  for (const char* ratio : {"1.25", "2"}) {
    SCOPED_TRACE(std::string("device pixel ratio ") + ratio);
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::fromLatin1(ratio));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=CaptionsFit.AtThePlatformFontAndAt8To12Points")});
    ASSERT_TRUE(child.waitForFinished(-1));
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();
  }
}

}  // namespace

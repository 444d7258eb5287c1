// About through the built library under the offscreen platform: the real box is
// shown modally and closed the way a user closes it.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <platform/automation/ControlSite.h>
#include <tagcomponent/ComponentVersion.h>

#include <optional>

#include <tests/support/FakeHost.h>
#include <tests/ocx/OcxTestSupport.h>

AUTOMATION_DEFINE_LIBRARY_COUNTER()

namespace {

using namespace platform::automation;
using namespace tests::ocx;
using tests::support::FakeHostWindow;
using tests::support::FakeSite;

enum class Close { Escape, OkButton, Enter };

// What the user saw while the box was open.
struct Seen {
  bool boxShown = false;
  std::optional<bool> hostVisible;
  QString title;
  QString caption;
  QSize imageSize;
  bool hasIcon = false;
};

class AboutBox : public RegisteredLyrebox {
 protected:
  void SetUp() override {
    RegisteredLyrebox::SetUp();
    control = create();
    ASSERT_TRUE(control);
    ComPtr<platform::automation::ISitedControl> sited;
    ASSERT_EQ(control.as(sited), S_OK);
    site->parent = window;
    ASSERT_EQ(sited->SetControlSite(site.get()), S_OK);
  }

  // Calls About; once the box is up, notes what is shown and closes it.
  HRESULT aboutClosedBy(Close how, Seen& seen) {
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      QWidget* box = QApplication::activeModalWidget();
      if (!box || box->objectName() != QStringLiteral("frmAbout") || !box->isVisible()) return;
      poll.stop();
      seen.boxShown = true;
      seen.hostVisible = window->visible;
      seen.caption = box->windowTitle();
      seen.hasIcon = !box->windowIcon().isNull();
      for (QLabel* label : box->findChildren<QLabel*>()) {
        if (label->font().italic()) seen.title = label->text();
        if (!label->pixmap().isNull()) seen.imageSize = label->pixmap().size();
      }
      if (how == Close::Escape)
        QTest::keyClick(box, Qt::Key_Escape);
      else if (how == Close::Enter)
        QTest::keyClick(box, Qt::Key_Return);
      else
        QTest::mouseClick(box->findChild<QPushButton*>(), Qt::LeftButton);
    });
    poll.start();
    // A box that never appears must not leave the test waiting for ever.
    QTimer::singleShot(5000, [] {
      if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    return invoke(control.get(), tagcomponent::DISPID_About, DISPATCH_METHOD);
  }

  ComPtr<FakeHostWindow> window = makeObject<FakeHostWindow>();
  ComPtr<FakeSite> site = makeObject<FakeSite>();
  ComPtr<IDispatch> control;
};

TEST_F(AboutBox, ShownWithTheHostHiddenThenTheHostGetsItsVisibilityBack) {
  const struct {
    const char* what;
    bool visibleBefore;
    Close how;
  } cases[] = {
      {"visible host, Escape", true, Close::Escape},
      {"visible host, OK", true, Close::OkButton},
      {"visible host, Enter", true, Close::Enter},
      {"hidden host stays hidden, Escape", false, Close::Escape},
      {"hidden host stays hidden, OK", false, Close::OkButton},
  };
  for (const auto& c : cases) {
    window->visible = c.visibleBefore;
    window->visibilityPuts.clear();
    Seen seen;
    EXPECT_EQ(aboutClosedBy(c.how, seen), S_OK) << c.what;
    EXPECT_TRUE(seen.boxShown) << c.what;
    EXPECT_EQ(seen.hostVisible, false) << c.what;
    EXPECT_EQ(seen.title, QStringLiteral("Lyrebox ") + QString::fromUtf8(tagcomponent::kVersionText))
        << c.what << " (shown afresh each time)";
    EXPECT_TRUE(seen.caption.startsWith(QStringLiteral("About Lyrebox"))) << c.what;
    EXPECT_EQ(seen.imageSize, QSize(32, 32)) << c.what << ": the library's own About image";
    EXPECT_TRUE(seen.hasIcon) << c.what << ": the library's own icon";
    EXPECT_EQ(window->visible, c.visibleBefore) << c.what;
    EXPECT_EQ(window->visibilityPuts, (std::vector<bool>{false, c.visibleBefore})) << c.what;
  }
}

TEST_F(AboutBox, ParentWithoutVisibleFailsBeforeHidingOrShowing) {
  window->hasVisible = false;
  Seen seen;
  EXPECT_EQ(aboutClosedBy(Close::Escape, seen), DISP_E_UNKNOWNNAME);
  EXPECT_FALSE(seen.boxShown);
  EXPECT_TRUE(window->visibilityPuts.empty());
}

}  // namespace

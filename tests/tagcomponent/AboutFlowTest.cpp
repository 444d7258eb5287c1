// The About member's dealings with the host's window, with the About box itself
// replaced by a recording stand-in.
#include <platform/automation/ComObject.h>
#include <gtest/gtest.h>
#include <tagcomponent/ComponentServices.h>
#include <tagcomponent/Lyrebox.h>

#include <optional>

#include <tests/support/FakeHost.h>

AUTOMATION_DEFINE_LIBRARY_COUNTER()

namespace {

using namespace platform::automation;
using tagcomponent::Lyrebox;
using tests::support::FakeHostWindow;
using tests::support::FakeSite;

class AboutFlow : public ::testing::Test {
 protected:
  // The box records how the host's window stood while it was shown.
  void installBox(HRESULT answer) {
    tagcomponent::installComponentServices({{}, [this, answer] {
                                              ++shown;
                                              visibleWhileShown = window->visible;
                                              return answer;
                                            }});
  }
  void TearDown() override { tagcomponent::installComponentServices({}); }
  void siteOn(ComPtr<IDispatch> parent) {
    site->parent = std::move(parent);
    ASSERT_EQ(control->SetControlSite(site.get()), S_OK);
  }

  ComPtr<FakeHostWindow> window = makeObject<FakeHostWindow>();
  ComPtr<FakeSite> site = makeObject<FakeSite>();
  ComPtr<Lyrebox> control = makeObject<Lyrebox>();
  int shown = 0;
  std::optional<bool> visibleWhileShown;
};

TEST_F(AboutFlow, HostWindowIsHiddenWhileShownThenGetsItsVisibilityBack) {
  struct Case {
    const char* what;
    bool visibleBefore;
    HRESULT boxAnswer;
  };
  const Case cases[] = {
      {"visible host", true, S_OK},
      {"hidden host stays hidden", false, S_OK},
      {"box failed: visible host shown again", true, E_OUTOFMEMORY},
      {"box failed: hidden host stays hidden", false, tagcomponent::LYREBOX_E_NOWINDOWSYSTEM},
  };
  for (const Case& c : cases) {
    window->visible = c.visibleBefore;
    window->visibilityPuts.clear();
    shown = 0;
    installBox(c.boxAnswer);
    siteOn(window);
    EXPECT_EQ(control->About(), c.boxAnswer) << c.what;
    EXPECT_EQ(shown, 1) << c.what;
    EXPECT_EQ(visibleWhileShown, false) << c.what;
    EXPECT_EQ(window->visible, c.visibleBefore) << c.what;
    EXPECT_EQ(window->visibilityPuts, (std::vector<bool>{false, c.visibleBefore})) << c.what;
  }
}

TEST_F(AboutFlow, ParentWithoutVisibleFailsBeforeAnythingIsHiddenOrShown) {
  installBox(S_OK);
  window->hasVisible = false;
  siteOn(window);
  EXPECT_EQ(control->About(), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(shown, 0);
  EXPECT_TRUE(window->visibilityPuts.empty());
}

TEST_F(AboutFlow, WithoutSiteOrParentTheBoxIsShownAndNothingHidden) {
  installBox(S_OK);
  EXPECT_EQ(control->About(), S_OK) << "no site";
  siteOn(nullptr);
  EXPECT_EQ(control->About(), S_OK) << "a site without parent";
  EXPECT_EQ(shown, 2);
  EXPECT_TRUE(window->visibilityPuts.empty());
}

TEST_F(AboutFlow, WithoutAnAboutBoxInstalledTheCallFailsAndTheHostIsShownAgain) {
  siteOn(window);
  EXPECT_EQ(control->About(), E_NOTIMPL);
  EXPECT_TRUE(window->visible);
}

}  // namespace

// An exception under a member the host calls comes back as an HRESULT, and the
// control goes on working: no exception crosses into the host.
#include <platform/automation/ComObject.h>
#include <platform/automation/Dispatch.h>
#include <gtest/gtest.h>
#include <tagcomponent/ComponentServices.h>
#include <tagcomponent/Lyrebox.h>
#include <tagcomponent/LyreboxIdentity.h>

#include <functional>
#include <stdexcept>
#include <utility>

#include <tests/support/TagTestSupport.h>

namespace {

using namespace platform::automation;
using namespace platform::typelib;
using namespace tests::support;
using tagcomponent::FileCalls;
using tagcomponent::Lyrebox;

// The real calls, except that the next stat runs `thrower` first, as an
// allocation deep in a call may throw.
class ThrowingCalls : public FileCalls {
 public:
  int stat(const char* path, struct ::stat* status) const override {
    if (auto thrower = std::exchange(next_, nullptr)) thrower();
    return FileCalls::stat(path, status);
  }
  void throwNext(std::function<void()> thrower) { next_ = std::move(thrower); }

 private:
  mutable std::function<void()> next_;
};

struct Thrown {
  const char* what;
  std::function<void()> thrower;
  HRESULT expected;
};

const Thrown kThrown[] = {
    {"out of memory", [] { throw std::bad_alloc(); }, E_OUTOFMEMORY},
    {"a standard exception", [] { throw std::runtime_error("broken"); }, E_UNEXPECTED},
    {"anything else", [] { throw 42; }, E_UNEXPECTED},
};

class ExceptionFence : public ::testing::Test {
 protected:
  std::u16string title(IDispatch* control) {
    Variant value;
    EXPECT_EQ(getProperty(control, tagcomponent::DISPID_ID3tag_Title, &value), S_OK);
    return value.type() == VT_BSTR ? value.bstr() : u"";
  }
  void TearDown() override { tagcomponent::installComponentServices({}); }

  TemporaryFolder folder;
  ThrowingCalls calls;
};

TEST_F(ExceptionFence, InvokeAndTheVtableMembersAnswerAnHresultAndKeepWorking) {
  const auto path = folder / "song.mp3";
  const Bytes content = concat(filler(300), tagBytes({.title = "Harbour"}));
  writeBytes(path, content);
  const auto control = makeObject<Lyrebox>(calls);
  IDispatch* dispatch = control.get();
  ASSERT_EQ(putProperty(dispatch, tagcomponent::DISPID_MP3_FileName, Variant::fromBstr(u16(path))), S_OK);
  for (const Thrown& thrown : kThrown) {
    SCOPED_TRACE(thrown.what);
    calls.throwNext(thrown.thrower);
    EXPECT_EQ(putProperty(dispatch, tagcomponent::DISPID_MP3_FileName, Variant::fromBstr(u"elsewhere.mp3")),
              thrown.expected);
    calls.throwNext(thrown.thrower);
    EXPECT_EQ(control->put_MP3_FileName(u"elsewhere.mp3"), thrown.expected);
    calls.throwNext(thrown.thrower);
    std::int32_t saved = -1;
    EXPECT_EQ(control->SaveTag(&saved), thrown.expected);
    EXPECT_EQ(readBytes(path), content);
    // The control is as it was, and the next calls do their work.
    std::u16string name;
    EXPECT_EQ(control->get_MP3_FileName(&name), S_OK);
    EXPECT_EQ(name, u16(path));
    EXPECT_EQ(title(dispatch), u"Harbour");
    EXPECT_EQ(control->SaveTag(&saved), S_OK);
    EXPECT_EQ(saved, 0);
  }
}

TEST_F(ExceptionFence, NameLookupAnswersAnHresultWhenTheTypeLibraryThrows) {
  const auto control = makeObject<Lyrebox>(calls);
  for (const Thrown& thrown : kThrown) {
    SCOPED_TRACE(thrown.what);
    tagcomponent::installComponentServices({[&](ComPtr<ITypeLib>&) -> HRESULT {
                                              thrown.thrower();
                                              return S_OK;
                                            },
                                            {}});
    DISPID id = 0;
    EXPECT_EQ(idOfName(control.get(), u"ID3tag_Title", &id), thrown.expected);
    ITypeInfo* info = nullptr;
    EXPECT_EQ(control->GetTypeInfo(0, 0, &info), thrown.expected);
    EXPECT_EQ(info, nullptr);
  }
  tagcomponent::installComponentServices({});
  DISPID id = 0;
  EXPECT_EQ(idOfName(control.get(), u"ID3tag_Title", &id), TYPE_E_LIBNOTREGISTERED);
  EXPECT_EQ(title(control.get()), u"");
}

}  // namespace

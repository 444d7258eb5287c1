// About: the host's window steps aside while the About box is shown.
#include <tagcomponent/ComponentServices.h>
#include <tagcomponent/AutomationNames.h>
#include <tagcomponent/Lyrebox.h>

namespace tagcomponent {

namespace {

// The parent window's "Visible", reached late-bound by name whatever the host
// gives as the parent.
class ParentVisibility {
 public:
  explicit ParentVisibility(ComPtr<IDispatch> parent) : parent_(std::move(parent)) {}

  HRESULT read(bool& visible) {
    if (const HRESULT hr = idOfName(parent_.get(), u"Visible", &id_); failed(hr)) return hr;
    Variant value;
    if (const HRESULT hr = getProperty(parent_.get(), id_, &value); failed(hr)) return hr;
    if (const HRESULT hr = value.changeType(VT_BOOL, value); failed(hr)) return hr;
    visible = value.boolean();
    return S_OK;
  }
  HRESULT write(bool visible) { return putProperty(parent_.get(), id_, Variant::fromBool(visible)); }

 private:
  ComPtr<IDispatch> parent_;
  DISPID id_ = DISPID_UNKNOWN;
};

}  // namespace

// A parent without "Visible" fails before anything is hidden. Once hidden, the
// parent is given its visibility back whatever became of the box, so a failure
// never leaves the host's window hidden.
HRESULT Lyrebox::About() {
  return entered([&]() -> HRESULT {
    ComPtr<IDispatch> parent;
    if (const auto site = site_) {
      if (const HRESULT hr = site->GetParentWindow(parent.put()); failed(hr)) return hr;
    }
    if (!parent) return showComponentAboutBox();

    ParentVisibility visibility(parent);
    bool wasVisible = false;
    if (const HRESULT hr = visibility.read(wasVisible); failed(hr)) return hr;
    if (const HRESULT hr = visibility.write(false); failed(hr)) return hr;
    const HRESULT shown = showComponentAboutBox();
    const HRESULT restored = visibility.write(wasVisible);
    return failed(shown) ? shown : restored;
  });
}

}  // namespace tagcomponent

#pragma once
#include <platform/automation/ComObject.h>
#include <platform/automation/ControlSite.h>
#include <platform/automation/Dispatch.h>

#include <QPointer>
#include <QWidget>

namespace administrator::window {

using platform::automation::HRESULT;

// A window as a late-bound object: what a control placed on it may ask of its
// parent. It answers "Visible" (get and put), by name, as the component's About
// box needs to hide and restore its host.
class WindowDispatch : public platform::automation::ComObject<platform::automation::IDispatch> {
 public:
  platform::automation::HRESULT GetTypeInfoCount(std::uint32_t* count) override;
  platform::automation::HRESULT GetTypeInfo(std::uint32_t, platform::automation::LCID,
                                            platform::typelib::ITypeInfo** info) override;
  platform::automation::HRESULT GetIDsOfNames(const platform::automation::IID&, const char16_t** names,
                                              std::uint32_t count, platform::automation::LCID,
                                              platform::automation::DISPID* ids) override;
  platform::automation::HRESULT Invoke(platform::automation::DISPID member, const platform::automation::IID&,
                                       platform::automation::LCID, std::uint16_t flags,
                                       platform::automation::DISPPARAMS* params, platform::automation::Variant* result,
                                       platform::automation::EXCEPINFO*, std::uint32_t* argumentError) override;

 protected:
  explicit WindowDispatch(QWidget* window) : window_(window) {}

 private:
  QPointer<QWidget> window_;
};

// The host's site for the control on its window: the window as parent, and the
// property-changed notice, which a running program has no use for.
class WindowControlSite : public platform::automation::ComObject<platform::automation::IControlSite> {
 public:
  platform::automation::HRESULT GetParentWindow(platform::automation::IDispatch** parent) override;
  platform::automation::HRESULT OnPropertyChanged(std::u16string_view) override { return platform::automation::S_OK; }

 protected:
  explicit WindowControlSite(QWidget* window) : window_(window) {}

 private:
  QWidget* window_;
};

}  // namespace administrator::window

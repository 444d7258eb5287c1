#pragma once
#include <platform/automation/ComObject.h>
#include <platform/automation/ControlSite.h>
#include <platform/automation/Dispatch.h>

#include <QPointer>
#include <QWidget>

namespace mervalis {

using automation::HRESULT;

// A window as a late-bound object: what a control placed on it may ask of its
// parent. It answers "Visible" (get and put), by name, as the component's About
// box needs to hide and restore its host.
class WindowDispatch : public automation::ComObject<automation::IDispatch> {
 public:
  HRESULT GetTypeInfoCount(std::uint32_t* count) override;
  HRESULT GetTypeInfo(std::uint32_t, automation::LCID, automation::ITypeInfo** info) override;
  HRESULT GetIDsOfNames(const automation::IID&, const char16_t** names, std::uint32_t count, automation::LCID,
                        automation::DISPID* ids) override;
  HRESULT Invoke(automation::DISPID member, const automation::IID&, automation::LCID, std::uint16_t flags,
                 automation::DISPPARAMS* params, automation::Variant* result, automation::EXCEPINFO*,
                 std::uint32_t* argumentError) override;

 protected:
  explicit WindowDispatch(QWidget* window) : window_(window) {}

 private:
  QPointer<QWidget> window_;
};

// The host's site for the control on its window: the window as parent, and the
// property-changed notice, which a running program has no use for.
class WindowControlSite : public automation::ComObject<automation::IControlSite> {
 public:
  HRESULT GetParentWindow(automation::IDispatch** parent) override;
  HRESULT OnPropertyChanged(std::u16string_view) override { return automation::S_OK; }

 protected:
  explicit WindowControlSite(QWidget* window) : window_(window) {}

 private:
  QWidget* window_;
};

}  // namespace mervalis

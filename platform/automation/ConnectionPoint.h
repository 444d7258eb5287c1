#pragma once
#include <cstdint>

#include <platform/automation/Unknown.h>

namespace platform::automation {

struct IConnectionPoint;
struct IEnumConnectionPoints;
struct IEnumConnections;

// An object that offers outgoing (event) interfaces.
struct IConnectionPointContainer : IUnknown {
  // Our containers may answer E_NOTIMPL.
  virtual HRESULT EnumConnectionPoints(IEnumConnectionPoints** points) = 0;
  virtual HRESULT FindConnectionPoint(const IID& iid, IConnectionPoint** point) = 0;

 protected:
  ~IConnectionPointContainer() = default;
};
template <>
struct InterfaceId<IConnectionPointContainer> {
  static constexpr IID value = IID_IConnectionPointContainer;
};

// One outgoing interface of a container, where sinks connect.
struct IConnectionPoint : IUnknown {
  virtual HRESULT GetConnectionInterface(IID* iid) = 0;
  virtual HRESULT GetConnectionPointContainer(IConnectionPointContainer** container) = 0;
  virtual HRESULT Advise(IUnknown* sink, std::uint32_t* cookie) = 0;
  virtual HRESULT Unadvise(std::uint32_t cookie) = 0;
  // Our connection points may answer E_NOTIMPL.
  virtual HRESULT EnumConnections(IEnumConnections** connections) = 0;

 protected:
  ~IConnectionPoint() = default;
};
template <>
struct InterfaceId<IConnectionPoint> {
  static constexpr IID value = IID_IConnectionPoint;
};

}  // namespace platform::automation

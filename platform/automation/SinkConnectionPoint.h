#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

#include <platform/automation/ComPtr.h>
#include <platform/automation/ConnectionPoint.h>

namespace platform::automation {

// The sinks connected to one outgoing interface of a container. A container keeps
// one per interface it offers and hands it to every connection point it makes, so
// connections survive the point objects. Sinks are held, never called: our
// components raise no events.
class SinkConnections {
 public:
  explicit SinkConnections(const IID& iid) : iid_(iid) {}
  const IID& iid() const { return iid_; }
  // Connects a sink that answers QueryInterface for iid(); CONNECT_E_CANNOTCONNECT otherwise.
  HRESULT advise(IUnknown* sink, std::uint32_t* cookie);
  // CONNECT_E_NOCONNECTION for a cookie not handed out or already given back.
  HRESULT unadvise(std::uint32_t cookie);
  std::size_t count() const;

 private:
  IID iid_;
  mutable std::mutex mutex_;
  std::map<std::uint32_t, ComPtr<IUnknown>> sinks_;
  std::uint32_t lastCookie_ = 0;
};

// A connection point for `connections`, holding its container alive while it lives.
ComPtr<IConnectionPoint> makeSinkConnectionPoint(IConnectionPointContainer* container,
                                                 std::shared_ptr<SinkConnections> connections);

}  // namespace platform::automation

#include <platform/automation/SinkConnectionPoint.h>

#include <platform/automation/ComObject.h>

namespace platform::automation {

HRESULT SinkConnections::advise(IUnknown* sink, std::uint32_t* cookie) {
  if (!sink || !cookie) return E_POINTER;
  *cookie = 0;
  ComPtr<IUnknown> asked;
  if (failed(sink->QueryInterface(iid_, asked.putVoid())) || !asked) return CONNECT_E_CANNOTCONNECT;
  std::lock_guard lock(mutex_);
  if (lastCookie_ == UINT32_MAX) return CONNECT_E_ADVISELIMIT;
  *cookie = ++lastCookie_;
  sinks_.emplace(*cookie, std::move(asked));
  return S_OK;
}

HRESULT SinkConnections::unadvise(std::uint32_t cookie) {
  ComPtr<IUnknown> released;  // let go outside the lock: a sink's release may call back
  std::lock_guard lock(mutex_);
  const auto found = sinks_.find(cookie);
  if (found == sinks_.end()) return CONNECT_E_NOCONNECTION;
  released = std::move(found->second);
  sinks_.erase(found);
  return S_OK;
}

std::size_t SinkConnections::count() const {
  std::lock_guard lock(mutex_);
  return sinks_.size();
}

namespace {

class SinkConnectionPoint : public ComObject<IConnectionPoint> {
 public:
  HRESULT GetConnectionInterface(IID* iid) override {
    if (!iid) return E_POINTER;
    *iid = connections_->iid();
    return S_OK;
  }
  HRESULT GetConnectionPointContainer(IConnectionPointContainer** container) override {
    if (!container) return E_POINTER;
    *container = ComPtr<IConnectionPointContainer>(container_).detach();
    return S_OK;
  }
  HRESULT Advise(IUnknown* sink, std::uint32_t* cookie) override { return connections_->advise(sink, cookie); }
  HRESULT Unadvise(std::uint32_t cookie) override { return connections_->unadvise(cookie); }
  HRESULT EnumConnections(IEnumConnections** connections) override {
    if (connections) *connections = nullptr;
    return E_NOTIMPL;
  }

 protected:
  SinkConnectionPoint(IConnectionPointContainer* container, std::shared_ptr<SinkConnections> connections)
      : container_(container), connections_(std::move(connections)) {}

 private:
  ComPtr<IConnectionPointContainer> container_;
  std::shared_ptr<SinkConnections> connections_;
};

}  // namespace

ComPtr<IConnectionPoint> makeSinkConnectionPoint(IConnectionPointContainer* container,
                                                 std::shared_ptr<SinkConnections> connections) {
  return makeObject<SinkConnectionPoint>(container, std::move(connections));
}

}  // namespace platform::automation

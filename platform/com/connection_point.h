// Connection points: how a container hands an object the sinks of its events.
// IConnectionPointContainer finds the point of one event interface; IConnectionPoint keeps the
// sinks advised to it. ConnectionPoint is the one implementation: a member of the object whose
// events it carries, counted through that object.
#pragma once

#include "platform/com/dispatch.h"

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

class IConnectionPoint : public IUnknown
{
  public:
    static constexpr IID kIid{0xB196B286, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};

    virtual HRESULT GetConnectionInterface(IID* iid) = 0;
    // The sink's dispatch interface is kept; cookie names the connection for Unadvise.
    // CONNECT_E_CANNOTCONNECT when the sink has no dispatch interface.
    virtual HRESULT Advise(IUnknown* sink, uint32_t* cookie) = 0;
    // CONNECT_E_NOCONNECTION for a cookie not advised.
    virtual HRESULT Unadvise(uint32_t cookie) = 0;

  protected:
    ~IConnectionPoint() = default;
};

class IConnectionPointContainer : public IUnknown
{
  public:
    static constexpr IID kIid{0xB196B284, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};

    // CONNECT_E_NOCONNECTION for an event interface the object lacks.
    virtual HRESULT FindConnectionPoint(const IID& iid, IConnectionPoint** point) = 0;

  protected:
    ~IConnectionPointContainer() = default;
};

class ConnectionPoint final : public IConnectionPoint
{
  public:
    // owner counts this point's references; it outlives the point.
    ConnectionPoint(IUnknown& owner, const IID& events) : owner_(owner), events_(events) {}

    HRESULT QueryInterface(const IID& iid, void** object) override;
    uint32_t AddRef() override { return owner_.AddRef(); }
    uint32_t Release() override { return owner_.Release(); }
    HRESULT GetConnectionInterface(IID* iid) override;
    HRESULT Advise(IUnknown* sink, uint32_t* cookie) override;
    HRESULT Unadvise(uint32_t cookie) override;

    // Calls method id on every sink. The owner is held for the whole firing and the sinks are
    // called from a copy of the list, so a sink may unadvise, change the object or drop its own
    // last reference inside the call; a sink unadvised by an earlier one is still called.
    void Fire(DISPID id, std::span<const ZVariant> arguments);
    // Drops every sink (the owner is going).
    void UnadviseAll() { sinks_.clear(); }
    size_t SinkCount() const { return sinks_.size(); }

  private:
    IUnknown& owner_;
    IID events_;
    uint32_t nextCookie_ = 1;
    std::vector<std::pair<uint32_t, ComPtr<IDispatch>>> sinks_;
};

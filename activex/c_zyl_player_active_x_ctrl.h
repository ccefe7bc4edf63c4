// CZylPlayerActiveXCtrl: the control a page or another container embeds. It answers scripts
// through its dispatch interface (properties and methods), loads the page's PARAMs, fires
// ReadyStateChange, lives in the container's window through its own window (made hidden, shown by
// the verbs) and drives the player in it; its download side fetches the Url and feeds the player.
#pragma once

#include "activex/bandwidth_limit.h"
#include "activex/control_download.h"
#include "activex/control_window.h"
#include "foundation/strings/xa_string.h"
#include "platform/com/connection_point.h"
#include "platform/com/ole_object.h"
#include "platform/com/property_bag.h"
#include "platform/com/type_info.h"

#include <cstdint>
#include <memory>
#include <optional>

class CZylPlayerActiveXCtrl final : public IDispatch,
                                    public IPersistPropertyBag,
                                    public IConnectionPointContainer,
                                    public IOleObject,
                                    public IProvideClassInfo,
                                    public ControlDownloadHost,
                                    public ControlWindowEvents
{
  public:
    // The stock ready states.
    static constexpr int32_t kReadyStateInteractive = 3;
    static constexpr int32_t kReadyStateComplete = 4;

    // The download comes from the current maker; the window, when a verb asks for one, from the
    // current window maker.
    CZylPlayerActiveXCtrl();
    explicit CZylPlayerActiveXCtrl(ControlDownloadMaker makeDownload);
    CZylPlayerActiveXCtrl(const CZylPlayerActiveXCtrl&) = delete;
    CZylPlayerActiveXCtrl& operator=(const CZylPlayerActiveXCtrl&) = delete;

    // IUnknown: one count for every interface.
    HRESULT QueryInterface(const IID& iid, void** object) override;
    uint32_t AddRef() override;
    uint32_t Release() override;

    // IDispatch.
    HRESULT GetTypeInfo(ITypeInfo** info) override;
    HRESULT GetIDsOfNames(std::string_view name, DISPID* id) override;
    HRESULT Invoke(DISPID id, uint16_t flags, std::span<const ZVariant> arguments, ZVariant* result) override;

    // IPersistPropertyBag: the PARAMs are read, nothing is written.
    HRESULT GetClassID(CLSID* clsid) override;
    HRESULT InitNew() override;
    HRESULT Load(IPropertyBag* bag) override;
    HRESULT Save(IPropertyBag* bag, bool clearDirty, bool saveAll) override;

    // IConnectionPointContainer: the event interface.
    HRESULT FindConnectionPoint(const IID& iid, IConnectionPoint** point) override;

    // IOleObject.
    HRESULT SetClientSite(IOleClientSite* site) override;
    HRESULT GetMiscStatus(uint32_t* status) override;
    HRESULT DoVerb(int32_t verb) override;
    HRESULT SetObjectRects(const ComRect& position) override;
    HRESULT Close() override;

    // IProvideClassInfo.
    HRESULT GetClassInfo(ITypeInfo** info) override;

    // ControlDownloadHost.
    ControlPlayer* Player() override { return player_; }
    bool HasWindow() const override;
    void StartTimer(uint32_t milliseconds) override;
    void KillTimer() override;
    void SetStatusText(const XAString& text) override;
    int32_t ReadyState() const override { return readyState_; }
    BandwidthLimit& Bandwidth() override { return bandwidth_; }
    std::string PageUrl() const override;
    int32_t NowCs() const override;
    void OnShowOpened() override;

    // ControlWindowEvents.
    void OnWindowCreated() override;
    void OnWindowShown(bool shown) override;
    void OnWindowTimer() override;
    void OnContextMenuRequest() override;
    bool OnCommand(int32_t id) override;
    void OnWindowDestroyed() override;

    // For the window side and tests.
    const XAString& Url() const { return url_; }
    const XAString& StatusText() const { return statusText_; }
    const XAString& ShowName() const { return download_->ShowName(); }
    bool IsModified() const { return modified_; }
    bool LoadPending() const { return loadPending_; }
    // Installs a window made elsewhere (tests), then runs its creation.
    void AttachWindow(std::unique_ptr<ControlWindow> window);
    ControlWindow* Window() const { return window_.get(); }

    // The Url setter: closes the shows and the download, sets the ready state to 4 and starts
    // the load when the window allows it.
    void SetUrl(const XAString& url);
    void StartLoadIfReady(bool forced);
    // Makes the player in the window when there is none; false when it cannot be made.
    bool CreatePlayerWindow();

  private:
    ~CZylPlayerActiveXCtrl() override;

    // Properties (control_properties.cpp).
    HRESULT GetProperty(DISPID id, ZVariant& value);
    HRESULT SetProperty(DISPID id, const ZVariant& value);
    HRESULT CallMethod(DISPID id, ZVariant& result);
    void SetFrame(int32_t frame);
    void SetPlaying(bool playing);
    void SetStop(bool stop);
    void SetMuted(bool muted);
    void ApplyReset(int32_t reset);
    void SetReadyState(int32_t state);

    // The PARAMs (control_persistence.cpp).
    void DoPropExchange(IPropertyBag& bag);

    uint32_t count_ = 0;
    ConnectionPoint events_;
    ComPtr<IOleClientSite> site_;
    std::unique_ptr<ControlWindow> window_;
    // The player made in the window; it goes with the window.
    ControlPlayer* player_ = nullptr;
    std::unique_ptr<ControlDownload> download_;
    BandwidthLimit bandwidth_;
    int32_t frame_ = -1;
    // PARAMs that need the player (Muted) or an open show (Stop, then Playing).
    std::optional<bool> pendingMuted_;
    std::optional<bool> pendingStop_;
    std::optional<bool> pendingPlaying_;
    XAString url_;
    XAString lastUrl_;
    bool loadPending_ = false;
    XAString statusText_;
    int32_t readyState_ = kReadyStateInteractive;
    bool modified_ = false;
};

// The Loaded property: released of total bytes in percent, rounded; 100 once released reaches
// the total, 0 before anything was released.
int32_t LoadedPercent(uint32_t released, uint32_t total);
// The control module's file version for GetVersionX; the deliverable installs its version
// record, without one it reads 0.
uint64_t ControlModuleVersion();
void SetControlModuleVersion(uint64_t version);

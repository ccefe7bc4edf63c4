#include "activex/c_zyl_player_active_x_ctrl.h"

#include "activex/control_identity.h"
#include "activex/control_player.h"
#include "activex/control_type_library.h"
#include "foundation/tasks/sys_clock.h"
#include "params/beamvista_opengl_defaults.h"
#include "platform/com/module_lock.h"
#include "preview/preview_command_ids.h"
#include "shell/command_ids.h"

CZylPlayerActiveXCtrl::CZylPlayerActiveXCtrl() : CZylPlayerActiveXCtrl(CurrentControlDownloadMaker())
{
}

CZylPlayerActiveXCtrl::CZylPlayerActiveXCtrl(ControlDownloadMaker makeDownload)
    : events_(static_cast<IDispatch&>(*this), kControlEventsIid), download_(makeDownload(*this))
{
    ComModuleAddRef();
    SetBeamvistaRegistryBase(kControlApplicationName);
}

CZylPlayerActiveXCtrl::~CZylPlayerActiveXCtrl()
{
    download_->Reset();
    if (window_) {
        window_->Destroy();
        window_.reset();
    }
    player_ = nullptr;
    ComModuleRelease();
}

HRESULT CZylPlayerActiveXCtrl::QueryInterface(const IID& iid, void** object)
{
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (iid == IUnknown::kIid || iid == IDispatch::kIid || iid == kControlDispatchIid) {
        *object = static_cast<IDispatch*>(this);
    } else if (iid == IPersistPropertyBag::kIid) {
        *object = static_cast<IPersistPropertyBag*>(this);
    } else if (iid == IConnectionPointContainer::kIid) {
        *object = static_cast<IConnectionPointContainer*>(this);
    } else if (iid == IOleObject::kIid) {
        *object = static_cast<IOleObject*>(this);
    } else if (iid == IProvideClassInfo::kIid) {
        *object = static_cast<IProvideClassInfo*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

uint32_t CZylPlayerActiveXCtrl::AddRef()
{
    return ++count_;
}

uint32_t CZylPlayerActiveXCtrl::Release()
{
    const uint32_t left = --count_;
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT CZylPlayerActiveXCtrl::GetTypeInfo(ITypeInfo** info)
{
    if (info == nullptr) {
        return E_POINTER;
    }
    ComPtr<ITypeInfo> type = MakeTableTypeInfo(ControlDispatchType());
    type->AddRef();
    *info = type.Get();
    return S_OK;
}

HRESULT CZylPlayerActiveXCtrl::GetIDsOfNames(std::string_view name, DISPID* id)
{
    if (id == nullptr) {
        return E_POINTER;
    }
    const DispatchMember* member = FindDispatchMember(ControlDispatchType().members, name);
    if (member == nullptr) {
        return DISP_E_UNKNOWNNAME;
    }
    *id = member->id;
    return S_OK;
}

HRESULT CZylPlayerActiveXCtrl::Invoke(DISPID id, uint16_t flags, std::span<const ZVariant> arguments,
                                      ZVariant* result)
{
    DispatchCall call;
    HRESULT status = CheckDispatchCall(ControlDispatchType().members, id, flags, arguments, call);
    if (Failed(status)) {
        return status;
    }
    // A script may drop its last reference from inside an event this call fires.
    ComPtr<IDispatch> keepAlive(this);
    ZVariant value;
    switch (call.flags) {
    case kDispatchPropertyGet:
        status = GetProperty(id, value);
        break;
    case kDispatchPropertyPut:
        return SetProperty(id, call.arguments.front());
    default:
        status = CallMethod(id, value);
        break;
    }
    if (Succeeded(status) && result != nullptr) {
        *result = std::move(value);
    }
    return status;
}

HRESULT CZylPlayerActiveXCtrl::GetClassID(CLSID* clsid)
{
    if (clsid == nullptr) {
        return E_POINTER;
    }
    *clsid = kControlClsid;
    return S_OK;
}

HRESULT CZylPlayerActiveXCtrl::InitNew()
{
    ApplyReset(1);
    return S_OK;
}

HRESULT CZylPlayerActiveXCtrl::Load(IPropertyBag* bag)
{
    if (bag == nullptr) {
        return E_POINTER;
    }
    ComPtr<IDispatch> keepAlive(this);
    DoPropExchange(*bag);
    return S_OK;
}

HRESULT CZylPlayerActiveXCtrl::Save(IPropertyBag* bag, bool clearDirty, bool saveAll)
{
    if (clearDirty) {
        modified_ = false;
    }
    return S_OK;
}

HRESULT CZylPlayerActiveXCtrl::FindConnectionPoint(const IID& iid, IConnectionPoint** point)
{
    if (point == nullptr) {
        return E_POINTER;
    }
    *point = nullptr;
    if (iid != kControlEventsIid && iid != IDispatch::kIid) {
        return CONNECT_E_NOCONNECTION;
    }
    *point = &events_;
    events_.AddRef();
    return S_OK;
}

HRESULT CZylPlayerActiveXCtrl::SetClientSite(IOleClientSite* site)
{
    site_ = ComPtr<IOleClientSite>(site);
    return S_OK;
}

HRESULT CZylPlayerActiveXCtrl::GetMiscStatus(uint32_t* status)
{
    if (status == nullptr) {
        return E_POINTER;
    }
    *status = kControlMiscStatus;
    return S_OK;
}

HRESULT CZylPlayerActiveXCtrl::DoVerb(int32_t verb)
{
    ComPtr<IDispatch> keepAlive(this);
    switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
        if (!HasWindow()) {
            ControlWindowMaker make = CurrentControlWindowMaker();
            void* parent = nullptr;
            if (make == nullptr || !site_ || Failed(site_->GetWindow(&parent)) || parent == nullptr) {
                return E_FAIL;
            }
            std::unique_ptr<ControlWindow> window = make(parent, *this);
            if (!window) {
                return E_FAIL;
            }
            AttachWindow(std::move(window));
        }
        if (!window_->IsVisible()) {
            window_->Show(true);
            OnWindowShown(true);
        }
        return S_OK;
    case OLEIVERB_HIDE:
        if (HasWindow() && window_->IsVisible()) {
            window_->Show(false);
            OnWindowShown(false);
        }
        return S_OK;
    case OLEIVERB_PROPERTIES:
        if (!HasWindow()) {
            return E_FAIL;
        }
        window_->ShowPropertyFrame();
        return S_OK;
    default:
        return OLEOBJ_E_INVALIDVERB;
    }
}

HRESULT CZylPlayerActiveXCtrl::SetObjectRects(const ComRect& position)
{
    if (HasWindow()) {
        window_->SetRect(position);
    }
    return S_OK;
}

HRESULT CZylPlayerActiveXCtrl::Close()
{
    download_->Abandon();
    if (window_) {
        window_->Destroy();
        window_.reset();
    }
    player_ = nullptr;
    return S_OK;
}

HRESULT CZylPlayerActiveXCtrl::GetClassInfo(ITypeInfo** info)
{
    if (info == nullptr) {
        return E_POINTER;
    }
    ComPtr<ITypeInfo> type = MakeTableTypeInfo(ControlClassType());
    type->AddRef();
    *info = type.Get();
    return S_OK;
}

bool CZylPlayerActiveXCtrl::HasWindow() const
{
    return window_ && window_->Exists();
}

void CZylPlayerActiveXCtrl::StartTimer(uint32_t milliseconds)
{
    if (HasWindow()) {
        window_->StartTimer(milliseconds);
    }
}

void CZylPlayerActiveXCtrl::KillTimer()
{
    if (HasWindow()) {
        window_->KillTimer();
    }
}

void CZylPlayerActiveXCtrl::SetStatusText(const XAString& text)
{
    if (text == statusText_) {
        return;
    }
    statusText_ = text;
    if (player_ != nullptr) {
        player_->SetStatusText(statusText_);
    } else if (HasWindow()) {
        window_->Invalidate();
    }
}

std::string CZylPlayerActiveXCtrl::PageUrl() const
{
    std::string url;
    if (site_) {
        site_->GetPageUrl(&url);
    }
    return url;
}

int32_t CZylPlayerActiveXCtrl::NowCs() const
{
    return static_cast<int32_t>(static_cast<uint32_t>(GetSysTimeCs()));
}

void CZylPlayerActiveXCtrl::OnShowOpened()
{
    if (player_ == nullptr) {
        return;
    }
    if (const std::optional<bool> stop = std::exchange(pendingStop_, std::nullopt)) {
        SetStop(*stop);
    }
    if (const std::optional<bool> playing = std::exchange(pendingPlaying_, std::nullopt)) {
        SetPlaying(*playing);
    }
}

void CZylPlayerActiveXCtrl::AttachWindow(std::unique_ptr<ControlWindow> window)
{
    if (window_) {
        window_->Destroy();
    }
    player_ = nullptr;
    window_ = std::move(window);
    OnWindowCreated();
}

void CZylPlayerActiveXCtrl::OnWindowCreated()
{
    StartLoadIfReady(false);
}

void CZylPlayerActiveXCtrl::OnWindowShown(bool shown)
{
    if (shown) {
        StartLoadIfReady(true);
    }
}

void CZylPlayerActiveXCtrl::OnWindowTimer()
{
    download_->OnTimer();
}

void CZylPlayerActiveXCtrl::OnContextMenuRequest()
{
    if (player_ != nullptr && player_->HasPreviewWindow()) {
        player_->ShowContextMenu();
    } else if (HasWindow()) {
        window_->ShowFallbackMenu();
    }
}

bool CZylPlayerActiveXCtrl::OnCommand(int32_t id)
{
    ComPtr<IDispatch> keepAlive(this);
    switch (id) {
    case command_id::kAbout:
    case preview_command::kAbout:
        if (HasWindow()) {
            window_->ShowAboutBox();
        }
        return true;
    case preview_command::kClose:
    case preview_command::kCloseAll:
        SetUrl(XAString());
        return true;
    case preview_command::kStopLoading:
        download_->StopLoading();
        return true;
    case preview_command::kReload:
        SetUrl(lastUrl_);
        return true;
    default:
        return false;
    }
}

void CZylPlayerActiveXCtrl::OnWindowDestroyed()
{
    download_->Abandon();
    player_ = nullptr;
}

void CZylPlayerActiveXCtrl::SetUrl(const XAString& url)
{
    ComPtr<IDispatch> keepAlive(this);
    if (player_ != nullptr) {
        player_->CloseAll(false);
    }
    download_->Reset();
    // The player shows no progress of a download that is gone.
    SetStatusText(XAString());
    url_ = url;
    if (!url.IsEmpty()) {
        lastUrl_ = url;
    }
    loadPending_ = true;
    modified_ = true;
    StartLoadIfReady(false);
    // Fired last, once the control is consistent: a sink that sets another Url inside wins.
    SetReadyState(kReadyStateComplete);
}

void CZylPlayerActiveXCtrl::StartLoadIfReady(bool forced)
{
    if (!loadPending_ || !HasWindow() || (!forced && !window_->IsVisible())) {
        return;
    }
    if (!CreatePlayerWindow()) {
        return;
    }
    loadPending_ = false;
    player_->CloseAll(false);
    download_->Start(url_);
}

bool CZylPlayerActiveXCtrl::CreatePlayerWindow()
{
    if (player_ != nullptr) {
        return true;
    }
    if (!HasWindow()) {
        return false;
    }
    player_ = window_->CreatePlayer();
    if (player_ == nullptr) {
        return false;
    }
    player_->SetStatusText(statusText_);
    if (frame_ >= 0) {
        SetFrame(frame_);
    }
    if (const std::optional<bool> muted = std::exchange(pendingMuted_, std::nullopt)) {
        SetMuted(*muted);
    }
    return true;
}

void CZylPlayerActiveXCtrl::SetReadyState(int32_t state)
{
    if (state == readyState_) {
        return;
    }
    readyState_ = state;
    const ZVariant argument = ZVariant::FromI4(state);
    events_.Fire(DISPID_READYSTATECHANGE, std::span(&argument, 1));
}

#include "activex/test_support/control_test_fixture.h"

#include "activex/control_identity.h"

HRESULT RecordingSink::QueryInterface(const IID& iid, void** object)
{
    if (iid == IDispatch::kIid || iid == IUnknown::kIid) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT RecordingSink::Invoke(DISPID id, uint16_t, std::span<const ZVariant> arguments, ZVariant*)
{
    if (id == DISPID_READYSTATECHANGE && arguments.size() == 1) {
        readyStates.push_back(arguments[0].I4());
    }
    if (action) {
        action();
    }
    return S_OK;
}

void ControlTest::SetUp()
{
    LiveParametersTest::SetUp();
    const ControlDownloadMaker maker = DownloadMaker();
    control_ = new CZylPlayerActiveXCtrl(maker);
    download_ = maker == &MakeFakeControlDownload ? LastFakeControlDownload() : nullptr;
    dispatch_ = ComPtr<IDispatch>(control_);
}

void ControlTest::TearDown()
{
    dispatch_.Reset();
    LiveParametersTest::TearDown();
}

HRESULT ControlTest::Put(std::string_view name, const ZVariant& value)
{
    DISPID id = 0;
    const HRESULT found = dispatch_->GetIDsOfNames(name, &id);
    if (Failed(found)) {
        return found;
    }
    return dispatch_->Invoke(id, kDispatchPropertyPut, std::span(&value, 1), nullptr);
}

ZVariant ControlTest::Get(std::string_view name)
{
    DISPID id = 0;
    ZVariant value = ZVariant::FromText("<failed>");
    if (Succeeded(dispatch_->GetIDsOfNames(name, &id))) {
        dispatch_->Invoke(id, kDispatchPropertyGet | kDispatchMethod, {}, &value);
    }
    return value;
}

void ControlTest::ShowWindow()
{
    auto window = std::make_unique<FakeControlWindow>(&player_);
    window_ = window.get();
    control_->AttachWindow(std::move(window));
    window_->visible = true;
    control_->OnWindowShown(true);
}

void ControlTest::Advise(RecordingSink& sink)
{
    ComPtr<IConnectionPointContainer> container = QueryAs<IConnectionPointContainer>(dispatch_.Get());
    ASSERT_TRUE(container);
    ComPtr<IConnectionPoint> point;
    ASSERT_EQ(container->FindConnectionPoint(kControlEventsIid, reinterpret_cast<IConnectionPoint**>(point.Receive())),
              S_OK);
    uint32_t cookie = 0;
    ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);
}

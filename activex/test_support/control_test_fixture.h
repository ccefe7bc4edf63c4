// A control made with recording ports, driven through its dispatch interface as a script would,
// with the preview parameters and the settings store put back afterwards.
#pragma once

#include "activex/c_zyl_player_active_x_ctrl.h"
#include "activex/test_support/fake_control_ports.h"
#include "params/test_support/beamvista_test_util.h"

#include <functional>
#include <gtest/gtest.h>
#include <string_view>
#include <vector>

// An event sink that records what it hears and may act inside the event.
class RecordingSink final : public IDispatch
{
  public:
    HRESULT QueryInterface(const IID& iid, void** object) override;
    uint32_t AddRef() override { return ++count; }
    uint32_t Release() override { return --count; }
    HRESULT GetTypeInfo(ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(std::string_view, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    HRESULT Invoke(DISPID id, uint16_t flags, std::span<const ZVariant> arguments, ZVariant* result) override;

    uint32_t count = 0;
    std::vector<int32_t> readyStates;
    std::function<void()> action;
};

class ControlTest : public LiveParametersTest
{
  protected:
    void SetUp() override;
    void TearDown() override;
    // The control's download; with another maker than the recorder, download_ stays null.
    virtual ControlDownloadMaker DownloadMaker() const { return &MakeFakeControlDownload; }

    HRESULT Put(std::string_view name, const ZVariant& value);
    ZVariant Get(std::string_view name);
    // The control's window, shown, with the player made in it when a load is due.
    void ShowWindow();
    // Advises a sink to the control's events.
    void Advise(RecordingSink& sink);

    TemporarySettingsStore store_;
    // Sinks outlive the control, which holds them until it goes.
    RecordingSink sink_;
    RecordingSink otherSink_;
    FakeControlPlayer player_;
    FakeControlWindow* window_ = nullptr;
    FakeControlDownload* download_ = nullptr;
    CZylPlayerActiveXCtrl* control_ = nullptr;
    ComPtr<IDispatch> dispatch_;
};

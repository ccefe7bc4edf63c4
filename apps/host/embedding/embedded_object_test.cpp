#include "apps/host/embedding/embedded_object.h"

#include "platform/com/text_property_bag.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// An object that records what its container asks of it, in order.
class RecordingObject final : public IOleObject, public IPersistPropertyBag, public IConnectionPointContainer
{
  public:
    RecordingObject(std::vector<std::string>& log, uint32_t status) : log_(log), status_(status) {}

    HRESULT QueryInterface(const IID& iid, void** object) override
    {
        if (iid == IUnknown::kIid || iid == IOleObject::kIid) {
            *object = static_cast<IOleObject*>(this);
        } else if (iid == IPersistPropertyBag::kIid) {
            *object = static_cast<IPersistPropertyBag*>(this);
        } else if (iid == IConnectionPointContainer::kIid) {
            *object = static_cast<IConnectionPointContainer*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    uint32_t AddRef() override { return ++count_; }
    uint32_t Release() override
    {
        if (--count_ == 0) {
            log_.push_back("deleted");
            delete this;
            return 0;
        }
        return count_;
    }

    HRESULT SetClientSite(IOleClientSite* site) override
    {
        log_.push_back(site != nullptr ? "SetClientSite" : "SetClientSite(null)");
        return S_OK;
    }
    HRESULT GetMiscStatus(uint32_t* status) override
    {
        log_.push_back("GetMiscStatus");
        *status = status_;
        return S_OK;
    }
    HRESULT DoVerb(int32_t verb) override
    {
        log_.push_back("DoVerb " + std::to_string(verb));
        return verb == OLEIVERB_INPLACEACTIVATE && failVerb ? E_FAIL : S_OK;
    }
    HRESULT SetObjectRects(const ComRect& place) override
    {
        log_.push_back("SetObjectRects " + std::to_string(place.right) + "x" + std::to_string(place.bottom));
        return S_OK;
    }
    HRESULT Close() override
    {
        log_.push_back("Close");
        return S_OK;
    }
    HRESULT GetClassID(CLSID*) override { return E_NOTIMPL; }
    HRESULT InitNew() override { return S_OK; }
    HRESULT Load(IPropertyBag* bag) override
    {
        ZVariant url;
        bag->Read("url", ZVariantType::Text, &url);
        log_.push_back("Load " + url.Text());
        return S_OK;
    }
    HRESULT Save(IPropertyBag*, bool, bool) override { return S_OK; }
    HRESULT FindConnectionPoint(const IID& iid, IConnectionPoint** point) override
    {
        log_.push_back("FindConnectionPoint");
        *point = &events_;
        events_.AddRef();
        return S_OK;
    }
    ConnectionPoint& Events() { return events_; }

    bool failVerb = false;

  private:
    ~RecordingObject() = default;

    std::vector<std::string>& log_;
    uint32_t status_;
    uint32_t count_ = 0;
    ConnectionPoint events_{static_cast<IOleObject&>(*this), IDispatch::kIid};
};

class RecordingFactory final : public IClassFactory
{
  public:
    RecordingFactory(std::vector<std::string>& log, uint32_t status) : log_(log), status_(status) {}
    HRESULT QueryInterface(const IID&, void**) override { return E_NOINTERFACE; }
    uint32_t AddRef() override { return 1; }
    uint32_t Release() override { return 1; }
    HRESULT CreateInstance(IUnknown*, const IID& iid, void** object) override
    {
        log_.push_back("CreateInstance");
        created = new RecordingObject(log_, status_);
        created->failVerb = failVerb;
        created->AddRef();
        const HRESULT result = created->QueryInterface(iid, object);
        created->Release();
        return result;
    }
    HRESULT LockServer(bool) override { return S_OK; }

    RecordingObject* created = nullptr;
    bool failVerb = false;

  private:
    std::vector<std::string>& log_;
    uint32_t status_;
};

class NullSite final : public IOleClientSite
{
  public:
    HRESULT QueryInterface(const IID&, void**) override { return E_NOINTERFACE; }
    uint32_t AddRef() override { return 1; }
    uint32_t Release() override { return 1; }
    HRESULT GetWindow(void** window) override
    {
        *window = nullptr;
        return S_OK;
    }
    HRESULT GetPageUrl(std::string* url) override { return S_OK; }
};

// The order decides what a control sees while it loads its PARAMs: a control that asks for its
// site first gets it before Load, any other after; the verb comes last, then the place; taking it
// down closes it before the site goes.
TEST(EmbeddedObjectTest, BringsTheObjectToLifeInOrderAndTakesItDownInReverse)
{
    struct Case
    {
        uint32_t status;
        std::vector<std::string> embedding;
    };
    const Case cases[] = {
        {OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE,
         {"CreateInstance", "GetMiscStatus", "SetClientSite", "FindConnectionPoint", "Load show.zyl", "DoVerb -5",
          "SetObjectRects 320x240"}},
        {OLEMISC_ACTIVATEWHENVISIBLE,
         {"CreateInstance", "GetMiscStatus", "FindConnectionPoint", "Load show.zyl", "SetClientSite", "DoVerb -5",
          "SetObjectRects 320x240"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> log;
        RecordingFactory factory(log, c.status);
        NullSite site;
        EventPrinter printer(nullptr, [](const std::string&) {});
        TextPropertyBag params;
        params.Add("Url", "show.zyl");
        std::string error;
        {
            EmbeddedObject object;
            ASSERT_EQ(object.Embed(factory, site, &printer, params, ComRect{0, 0, 320, 240}, error), S_OK) << error;
            EXPECT_EQ(log, c.embedding);
            EXPECT_EQ(factory.created->Events().SinkCount(), 1u);
            log.clear();
            object.Unembed();
            EXPECT_EQ(log, (std::vector<std::string>{"Close", "SetClientSite(null)", "deleted"}));
        }
    }
}

TEST(EmbeddedObjectTest, AFailedVerbNamesTheStepAndLetsTheObjectGo)
{
    std::vector<std::string> log;
    RecordingFactory factory(log, OLEMISC_SETCLIENTSITEFIRST);
    factory.failVerb = true;
    NullSite site;
    TextPropertyBag params;
    std::string error;
    EmbeddedObject object;
    EXPECT_EQ(object.Embed(factory, site, nullptr, params, ComRect{}, error), E_FAIL);
    EXPECT_EQ(error, "DoVerb failed: 0x80004005");
    EXPECT_EQ(object.Object(), nullptr);
    EXPECT_EQ(log.back(), "deleted");
}

} // namespace

#include "platform/com/connection_point.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr IID kEvents{0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}};
constexpr DISPID kEvent = 7;

// An object that carries one event; it records its own end.
class Source final : public IUnknown
{
  public:
    explicit Source(bool& deleted) : point(*this, kEvents), deleted_(deleted) {}
    HRESULT QueryInterface(const IID&, void**) override { return E_NOINTERFACE; }
    uint32_t AddRef() override { return ++count_; }
    uint32_t Release() override
    {
        const uint32_t left = --count_;
        if (left == 0) {
            deleted_ = true;
            delete this;
        }
        return left;
    }

    ConnectionPoint point;

  private:
    ~Source() = default;
    uint32_t count_ = 0;
    bool& deleted_;
};

// A sink that runs an action when it hears the event.
class Sink final : public IDispatch
{
  public:
    HRESULT QueryInterface(const IID& iid, void** object) override
    {
        if (iid == IDispatch::kIid || iid == IUnknown::kIid) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    uint32_t AddRef() override { return ++count; }
    uint32_t Release() override { return --count; }
    HRESULT GetTypeInfo(ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(std::string_view, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    HRESULT Invoke(DISPID id, uint16_t flags, std::span<const ZVariant> arguments, ZVariant*) override
    {
        EXPECT_EQ(id, kEvent);
        EXPECT_EQ(flags, kDispatchMethod);
        heard.push_back(arguments.empty() ? 0 : arguments[0].I4());
        if (action) {
            action();
        }
        return S_OK;
    }

    uint32_t count = 0;
    std::vector<int32_t> heard;
    std::function<void()> action;
};

TEST(ConnectionPointTest, AdvisedSinksHearEventsUntilUnadvised)
{
    bool deleted = false;
    ComPtr<Source> source(new Source(deleted));
    Sink a;
    Sink b;
    uint32_t cookieA = 0;
    uint32_t cookieB = 0;
    ASSERT_EQ(source->point.Advise(&a, &cookieA), S_OK);
    ASSERT_EQ(source->point.Advise(&b, &cookieB), S_OK);
    EXPECT_NE(cookieA, cookieB);
    const ZVariant four = ZVariant::FromI4(4);
    source->point.Fire(kEvent, std::span(&four, 1));
    EXPECT_EQ(source->point.Unadvise(cookieA), S_OK);
    EXPECT_EQ(source->point.Unadvise(cookieA), CONNECT_E_NOCONNECTION);
    source->point.Fire(kEvent, std::span(&four, 1));
    EXPECT_EQ(a.heard, std::vector<int32_t>{4});
    EXPECT_EQ(b.heard, (std::vector<int32_t>{4, 4}));
    source->point.UnadviseAll();
    EXPECT_EQ(a.count, 0u);
    EXPECT_EQ(b.count, 0u);
}

TEST(ConnectionPointTest, ASinkMayUnadviseOthersOrReleaseTheSourceWhileItHears)
{
    bool deleted = false;
    Source* source = new Source(deleted);
    source->AddRef();
    Sink first;
    Sink second;
    uint32_t firstCookie = 0;
    uint32_t secondCookie = 0;
    source->point.Advise(&first, &firstCookie);
    source->point.Advise(&second, &secondCookie);
    // The first sink drops the second's connection and the last outside reference to the source.
    first.action = [&] {
        source->point.Unadvise(secondCookie);
        source->Release();
    };
    source->point.Fire(kEvent, {});
    // The firing worked on a copy: the second sink still heard this event.
    EXPECT_EQ(first.heard.size(), 1u);
    EXPECT_EQ(second.heard.size(), 1u);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(first.count, 0u);
    EXPECT_EQ(second.count, 0u);
}

TEST(ConnectionPointTest, RefusesASinkWithoutADispatchInterface)
{
    bool deleted = false;
    ComPtr<Source> source(new Source(deleted));
    uint32_t cookie = 0;
    EXPECT_EQ(source->point.Advise(source.Get(), &cookie), CONNECT_E_CANNOTCONNECT);
    IID iid;
    EXPECT_EQ(source->point.GetConnectionInterface(&iid), S_OK);
    EXPECT_EQ(iid, kEvents);
}

} // namespace

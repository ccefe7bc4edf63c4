// IPropertyPage: one page of an object's property sheet, shown by a container's property frame.
#pragma once

#include "platform/com/ole_object.h"

#include <cstdint>
#include <string>

struct PropertyPageInfo
{
    std::string title;
    // The page's size in pixels.
    int32_t width = 0;
    int32_t height = 0;
    std::string helpFile;
};

class IPropertyPage : public IUnknown
{
  public:
    static constexpr IID kIid{0xB196B28D, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};

    virtual HRESULT GetPageInfo(PropertyPageInfo* info) = 0;
    // The objects the page edits.
    virtual HRESULT SetObjects(IUnknown* const* objects, uint32_t count) = 0;
    // Shows the page inside parent (a wxWindow*).
    virtual HRESULT Activate(void* parent, const ComRect& rect) = 0;
    virtual HRESULT Deactivate() = 0;
    // S_OK when the page holds changes not yet applied.
    virtual HRESULT IsPageDirty() = 0;
    virtual HRESULT Apply() = 0;

  protected:
    ~IPropertyPage() = default;
};

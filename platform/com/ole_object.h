// The small part of embedding a container needs: IOleObject (the object learns its site, tells its
// status bits, runs verbs and is placed) and IOleClientSite (the container's side: the window the
// object lives in and the page it came from).
#pragma once

#include "platform/com/unknown.h"

#include <cstdint>
#include <string>

// Verbs a container runs on an object.
inline constexpr int32_t OLEIVERB_PRIMARY = 0;
inline constexpr int32_t OLEIVERB_SHOW = -1;
inline constexpr int32_t OLEIVERB_HIDE = -3;
inline constexpr int32_t OLEIVERB_INPLACEACTIVATE = -5;
inline constexpr int32_t OLEIVERB_PROPERTIES = -7;

// Status bits of an object.
inline constexpr uint32_t OLEMISC_RECOMPOSEONRESIZE = 0x1;
inline constexpr uint32_t OLEMISC_CANTLINKINSIDE = 0x10;
inline constexpr uint32_t OLEMISC_INSIDEOUT = 0x80;
inline constexpr uint32_t OLEMISC_ACTIVATEWHENVISIBLE = 0x100;
inline constexpr uint32_t OLEMISC_SETCLIENTSITEFIRST = 0x20000;

struct ComRect
{
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

class IOleClientSite : public IUnknown
{
  public:
    static constexpr IID kIid{0x00000118, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

    // The container's window that the object's window is made in (a wxWindow*).
    virtual HRESULT GetWindow(void** window) = 0;
    // The address of the page, against which relative addresses are resolved; empty when none.
    virtual HRESULT GetPageUrl(std::string* url) = 0;

  protected:
    ~IOleClientSite() = default;
};

class IOleObject : public IUnknown
{
  public:
    static constexpr IID kIid{0x00000112, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

    // The site is kept (null: the object lets go of it).
    virtual HRESULT SetClientSite(IOleClientSite* site) = 0;
    virtual HRESULT GetMiscStatus(uint32_t* status) = 0;
    // OLEOBJ_E_INVALIDVERB for a verb the object does not know.
    virtual HRESULT DoVerb(int32_t verb) = 0;
    // The object's place in the site's window.
    virtual HRESULT SetObjectRects(const ComRect& position) = 0;
    // The object leaves its site: its window goes, its connections stay.
    virtual HRESULT Close() = 0;

  protected:
    ~IOleObject() = default;
};

// The control's data path: the one transfer that fetches its Url into memory and tells the
// feeding what arrived. The real one is a UrlDownload (url_data_path.h); tests drive a fake.
//
// Contract: that of UrlDownload (platform/net/url_download.h). GUI thread only; notifications
// come from the path's own ticks, one at a time, never from inside Open, Close or Take; Close
// ends the transfer without a notification; inside a notification the listener may Close or Open
// again.
#pragma once

#include "foundation/strings/xa_string.h"
#include "platform/net/url_download.h"

class ControlDataPath
{
  public:
    virtual ~ControlDataPath() = default;

    // Closes any transfer, drops its bytes and starts fetching url (relative to base, the page).
    // A failure to start also reaches the listener, as the stop notification.
    virtual void Open(const XAString& url, const XAString& base, UrlDownloadListener& listener) = 0;
    virtual void Close() = 0;
    // The address actually fetched.
    virtual const XAString& Location() const = 0;
    // Every byte so far, shared, without a copy.
    virtual UrlDownloadBytes Take() = 0;
    // Drops the path's hold on the bytes (holders of the block keep theirs).
    virtual void ReleaseData() = 0;
};

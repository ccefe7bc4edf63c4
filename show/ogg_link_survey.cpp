#include "show/ogg_link_survey.h"

#include "show/vorbis_setup_check.h"

#include <ogg/ogg.h>
#include <vorbis/codec.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int32_t kSeekSet = 0;
constexpr long kReadBytes = 16384;
constexpr int32_t kHeaderPackets = 3;
constexpr size_t kMostStreamsPerLink = 16;

// Follows the links page by page as the library finds them: a link is a group of pages that
// begin logical streams, then pages of those streams only. Its Vorbis headers are the first
// three packets of the first stream that begins with an identification header, and they are
// tried on the library itself.
class LinkSurvey
{
  public:
    explicit LinkSurvey(int64_t start) : linkStart_(start)
    {
        ogg_stream_init(&stream_, 0);
        vorbis_info_init(&info_);
        vorbis_comment_init(&comment_);
    }

    ~LinkSurvey()
    {
        ClearHeaders();
        ogg_stream_clear(&stream_);
    }

    LinkSurvey(const LinkSurvey&) = delete;
    LinkSurvey& operator=(const LinkSurvey&) = delete;

    // False once the cut is found.
    bool Page(ogg_page& page, int64_t offset)
    {
        const int32_t serial = ogg_page_serialno(&page);
        const bool known = std::find(serials_.begin(), serials_.end(), serial) != serials_.end();
        if (ogg_page_bos(&page) != 0) {
            if (beginning_) {
                if (known || serials_.size() >= kMostStreamsPerLink)
                    return CutAt(linkStart_);
                serials_.push_back(serial);
            } else {
                if (known)
                    return CutAt(offset);
                if (!HeadersComplete())
                    return CutAt(linkStart_);
                StartLink(offset, serial);
            }
        } else {
            if (!known)
                return CutAt(HeadersComplete() ? offset : linkStart_);
            beginning_ = false;
        }
        CollectHeaders(page, serial);
        return failed_ ? CutAt(linkStart_) : true;
    }

    OggSurvey Finish()
    {
        if (cut_ == kNoOggCut && !HeadersComplete())
            cut_ = linkStart_;
        return {cut_, cut_ == linkStart_ ? refusal_ : CError()};
    }

  private:
    bool CutAt(int64_t offset)
    {
        cut_ = offset;
        return false;
    }

    bool HeadersComplete() const { return headers_ == kHeaderPackets && !failed_; }

    void StartLink(int64_t offset, int32_t serial)
    {
        linkStart_ = offset;
        serials_.assign(1, serial);
        beginning_ = true;
        chosen_ = false;
        headers_ = 0;
        ClearHeaders();
        vorbis_info_init(&info_);
        vorbis_comment_init(&comment_);
    }

    void ClearHeaders()
    {
        vorbis_comment_clear(&comment_);
        vorbis_info_clear(&info_);
    }

    void CollectHeaders(ogg_page& page, int32_t serial)
    {
        if (headers_ == kHeaderPackets || failed_)
            return;
        if (!chosen_) {
            if (ogg_page_bos(&page) == 0)
                return;
            ogg_stream_reset_serialno(&stream_, serial);
            ogg_stream_pagein(&stream_, &page);
            ogg_packet first;
            if (ogg_stream_packetout(&stream_, &first) <= 0 || vorbis_synthesis_idheader(&first) == 0)
                return;
            chosen_ = true;
            chosenSerial_ = serial;
            Accept(first);
        } else if (serial == chosenSerial_) {
            ogg_stream_pagein(&stream_, &page);
        } else {
            return;
        }
        ogg_packet packet;
        for (int result; !failed_ && headers_ < kHeaderPackets &&
                         (result = ogg_stream_packetout(&stream_, &packet)) != 0;) {
            if (result < 0)
                failed_ = true;
            else
                Accept(packet);
        }
    }

    void Accept(ogg_packet& packet)
    {
        // Ours first: the library must not build tables from a header the check refuses.
        refusal_ = CheckVorbisSetupHeader(packet.packet, static_cast<size_t>(packet.bytes));
        if (refusal_.Failed() || vorbis_synthesis_headerin(&info_, &comment_, &packet) != 0)
            failed_ = true;
        else
            ++headers_;
    }

    int64_t linkStart_;
    std::vector<int32_t> serials_;
    bool beginning_ = true;
    bool chosen_ = false;
    int32_t chosenSerial_ = 0;
    int32_t headers_ = 0;
    bool failed_ = false;
    int64_t cut_ = kNoOggCut;
    CError refusal_;
    ogg_stream_state stream_;
    vorbis_info info_;
    vorbis_comment comment_;
};

} // namespace

OggSurvey SurveyOggLinks(LOggVorbisDataInterface& source)
{
    const int64_t start = source.AudioTell();
    if (start < 0 || start > INT32_MAX || source.AudioSeek(static_cast<int32_t>(start), kSeekSet) != 0)
        return {};
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    LinkSurvey survey(start);
    int64_t offset = start;
    bool going = true;
    while (going) {
        char* into = ogg_sync_buffer(&sync, kReadBytes);
        const int64_t got = into == nullptr ? -1 : source.AudioRead(into, 1, kReadBytes);
        if (got <= 0)
            break;
        ogg_sync_wrote(&sync, static_cast<long>(got));
        ogg_page page;
        for (long n; going && (n = ogg_sync_pageseek(&sync, &page)) != 0;) {
            if (n > 0)
                going = survey.Page(page, offset);
            offset += n > 0 ? n : -n;
        }
    }
    ogg_sync_clear(&sync);
    source.AudioSeek(static_cast<int32_t>(start), kSeekSet);
    return survey.Finish();
}

#include "show/ogg_setup_guard.h"

#include "show/ogg_link_survey.h"
#include "show/vorbis_setup_check.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

namespace {

constexpr long kFetchBytes = 4096;
// Vorbis headers are the first three packets of a logical stream: identification, comments,
// setup.
constexpr int32_t kHeaderPackets = 3;
// Logical streams whose headers may arrive side by side; a sound track has one at a time.
constexpr size_t kMostBeginningStreams = 16;
constexpr int32_t kSeekCurrent = 1;
constexpr int32_t kSeekSet = 0;
constexpr int32_t kSeekEnd = 2;

constexpr char kTooManyStreamsText[] = "Ogg stream begins more than %d logical streams at once!";
constexpr char kRepeatedStartText[] = "Ogg stream begins logical stream %d again before its headers are complete!";

} // namespace

OggSetupGuard::OggSetupGuard(LOggVorbisDataInterface* source) : source_(source)
{
    ogg_sync_init(&sync_);
    if (source_ == nullptr)
        return;
    handedOffset_ = std::max<int64_t>(0, source_->AudioTell());
    const OggSurvey survey = SurveyOggLinks(*source_);
    if (survey.cut != kNoOggCut)
        viewEnd_ = survey.cut;
    // Nothing to show because the first link was refused: the refusal is the answer.
    if (survey.cut == handedOffset_)
        Refuse(survey.refusal);
}

OggSetupGuard::~OggSetupGuard()
{
    Forget();
    ogg_sync_clear(&sync_);
}

int64_t OggSetupGuard::Read(void* buffer, size_t size, size_t count)
{
    if (source_ == nullptr) {
        errno = EINVAL;
        return 0;
    }
    if (size == 0 || count == 0) {
        return 0;
    }
    for (;;) {
        const size_t items = std::min(ready_ / size, count);
        if (items > 0) {
            const size_t bytes = items * size;
            std::memcpy(buffer, held_.data() + heldStart_, bytes);
            heldStart_ += bytes;
            ready_ -= bytes;
            handedOffset_ += static_cast<int64_t>(bytes);
            if (heldStart_ > held_.size() / 2) {
                held_.erase(held_.begin(), held_.begin() + static_cast<ptrdiff_t>(heldStart_));
                heldStart_ = 0;
            }
            return static_cast<int64_t>(items);
        }
        // What came before a refused page is handed on; the refused page and all after it fail.
        if (refusal_.Failed()) {
            errno = EIO;
            return -1;
        }
        const int64_t fetched = FetchMore();
        if (fetched <= 0) {
            return fetched;
        }
    }
}

// Reads on from the source and checks every page that is now whole. The source's own result
// (and errno with it) comes back when it gave nothing.
int64_t OggSetupGuard::FetchMore()
{
    const int64_t room = std::min<int64_t>(kFetchBytes, viewEnd_ - handedOffset_ - HeldBytes());
    if (room <= 0) {
        errno = 0;
        return 0;
    }
    char* into = ogg_sync_buffer(&sync_, static_cast<long>(room));
    if (into == nullptr) {
        errno = ENOMEM;
        return -1;
    }
    const int64_t fetched = source_->AudioRead(into, 1, static_cast<size_t>(room));
    if (fetched <= 0) {
        return fetched;
    }
    const int savedErrno = errno;
    ogg_sync_wrote(&sync_, static_cast<long>(fetched));
    held_.insert(held_.end(), into, into + fetched);
    ogg_page page;
    for (long n; !refusal_.Failed() && (n = ogg_sync_pageseek(&sync_, &page)) != 0;) {
        if (n > 0) {
            InspectPage(page);
        }
        if (!refusal_.Failed()) {
            ready_ += static_cast<size_t>(n > 0 ? n : -n);
        }
    }
    errno = savedErrno;
    return fetched;
}

void OggSetupGuard::InspectPage(ogg_page& page)
{
    const int32_t serial = ogg_page_serialno(&page);
    auto found = beginning_.find(serial);
    if (ogg_page_bos(&page) != 0) {
        // The library would either start afresh or carry on with what it holds: two readings
        // that a well-formed stream never asks for.
        if (found != beginning_.end()) {
            Refuse(CError::CErrorFromText(XAString::Format(kRepeatedStartText, serial), 0));
            return;
        }
        if (beginning_.size() >= kMostBeginningStreams) {
            Refuse(CError::CErrorFromText(
                XAString::Format(kTooManyStreamsText, static_cast<int32_t>(kMostBeginningStreams)), 0));
            return;
        }
        found = beginning_.try_emplace(serial).first;
        ogg_stream_init(&found->second.stream, serial);
    }
    if (found == beginning_.end()) {
        return;
    }
    ogg_stream_pagein(&found->second.stream, &page);
    InspectPackets(found->second);
    if (found->second.packets >= kHeaderPackets || ogg_page_eos(&page) != 0) {
        ogg_stream_clear(&found->second.stream);
        beginning_.erase(found);
    }
}

void OggSetupGuard::InspectPackets(Headers& headers)
{
    ogg_packet packet;
    for (int result; headers.packets < kHeaderPackets &&
                     (result = ogg_stream_packetout(&headers.stream, &packet)) != 0;) {
        if (result < 0) {
            continue;
        }
        ++headers.packets;
        const CError check = CheckVorbisSetupHeader(packet.packet, static_cast<size_t>(packet.bytes));
        if (check.Failed()) {
            Refuse(check);
            return;
        }
    }
}

void OggSetupGuard::Refuse(const CError& error)
{
    refusal_.Copy(error);
}

int32_t OggSetupGuard::Seek(int64_t offset, int32_t whence)
{
    if (source_ == nullptr) {
        return -1;
    }
    // The source stands past the bytes held here: a move from the current offset is one from
    // the offset handed on.
    if (whence == kSeekCurrent) {
        offset += handedOffset_;
        whence = kSeekSet;
    } else if (whence == kSeekEnd && viewEnd_ != INT64_MAX) {
        offset += viewEnd_;
        whence = kSeekSet;
    }
    if (offset < std::numeric_limits<int32_t>::min() || offset > std::numeric_limits<int32_t>::max()) {
        return -1;
    }
    const int32_t result = source_->AudioSeek(static_cast<int32_t>(offset), whence);
    Forget();
    handedOffset_ = std::max<int64_t>(0, source_->AudioTell());
    return result;
}

int32_t OggSetupGuard::Close()
{
    Forget();
    handedOffset_ = 0;
    return source_ == nullptr ? -1 : source_->AudioClose();
}

int64_t OggSetupGuard::Tell()
{
    return source_ == nullptr ? -1 : handedOffset_;
}

// After a seek the library starts its framing afresh; so does the guard.
void OggSetupGuard::Forget()
{
    ogg_sync_reset(&sync_);
    held_.clear();
    heldStart_ = 0;
    ready_ = 0;
    for (auto& [serial, headers] : beginning_) {
        ogg_stream_clear(&headers.stream);
    }
    beginning_.clear();
}

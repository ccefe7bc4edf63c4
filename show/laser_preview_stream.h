#pragma once
// LLaserPreviewStream: one open show file. It reads a show from disk or from a memory buffer
// that may still be growing, and answers which frame a stream channel shows at a time and which
// sound bytes come next (as the Ogg Vorbis decoder's data source); it also records shows,
// taking frames and output parameters through its client callback.
//
// Locking: every public operation holds the stream's own recursive lock for its whole run, so
// that the sound decoder's thread may read sound while the preview reads frames or a download
// adds bytes. The one exception is the block of accessors marked below: each reads members
// without the lock. Those members change only in the calls of the thread that opens, records
// or converts the stream, which is the thread meant to use them; the decoder's thread uses the
// sound source operations alone. Holder keeps the lock over several operations.

#include "foundation/archives/archive_crypt.h"
#include "foundation/archives/archive_file.h"
#include "foundation/archives/archive_xstring.h"
#include "foundation/tasks/l_mutex.h"
#include "show/chan_out_pars.h"
#include "show/frame_codec.h"
#include "show/held_plain_data.h"
#include "show/l_laser_preview_bitmap.h"
#include "show/l_time_ramp.h"
#include "show/laser_preview_client_callback.h"
#include "show/ogg_vorbis_data_interface.h"
#include "show/show_file_format.h"
#include "show/show_index_array.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class LFrame;

// Progress of a recording, for a receiver that wants more than the console text.
class LShowRecordProgress
{
  public:
    virtual void OnRecordProgress(int64_t time, int32_t streamChannels, int32_t images, int32_t skipped,
                                  int32_t position) = 0;

  protected:
    ~LShowRecordProgress() = default;
};

class LLaserPreviewStream : public LLaserPreviewClientCallback, public LOggVorbisDataInterface
{
  public:
    using ClockSource = std::function<int64_t()>;
    // What closing a finished recording does with its file (the show converter, given by the
    // recorder: the converter reads streams itself).
    using CloseConversion = std::function<CError(const XAString& path)>;
    // Presence bytes of one server's output parameter pairs: channel x 16 + sub-channel.
    using PresenceBlock = std::array<uint8_t, LChanOutParsTable::kChannels * LChanOutParsTable::kSubChannels>;

    static constexpr int32_t kNoChannel = -1;
    static constexpr int32_t kNoRecord = -1;

    LLaserPreviewStream();
    ~LLaserPreviewStream() override;
    LLaserPreviewStream(const LLaserPreviewStream&) = delete;
    LLaserPreviewStream& operator=(const LLaserPreviewStream&) = delete;

    // ---- Opening and reading

    bool Open(const char* path);
    // Over the first length bytes of buffer (negative: all of it). A false result with needed > 0
    // and no error means: try again once that many bytes are there. clip: the data is final.
    bool OpenMemory(const XAString& buffer, int32_t length, int32_t* needed, bool clip);
    // The buffer of an open memory show has grown (it holds what was there before): takes the
    // new bytes, keeping the read position. On failure the stream is closed.
    bool ContinueFromMemory(const XAString& data, int32_t size, bool final);
    void UpdateAvailability(bool clip);

    // The frame in force on a stream channel at a time; a NIL entry gives an empty frame.
    bool ReadFrame(int32_t channel, int64_t time, LFrame& frame);
    // The body position of the record ReadFrame would read, or kNoRecord.
    int32_t FrameRecordAt(int32_t channel, int64_t time);
    // The frame record at a body position.
    bool ReadFrameRecord(int32_t position, LFrame& frame);
    // For a reader that visits records more than once: deciphers the show from its data block to
    // its end in one pass and serves later frame and sound reads from the plain bytes, when that
    // is at most mostBytes and the whole show is there. Reads give what they gave before either
    // way; false when nothing is held. Closing the stream lets go of the bytes.
    bool HoldPlainData(int64_t mostBytes);

    // Finishes a recording unless aborted (and converts it), closes and resets.
    bool Close(bool abort = false);
    CError GetError() const;

    // ---- Channel map of a recording: (server 0..31, channel 0..7) -> stream channel

    int32_t LookupChannel(int32_t server, int32_t channel) const;
    int32_t AllocateChannel(int32_t server, int32_t channel);
    void ClearChannelMap();

    // ---- Sound source

    int64_t AudioRead(void* buffer, size_t size, size_t count) override;
    int32_t AudioSeek(int32_t offset, int32_t whence) override;
    int32_t AudioClose() override;
    int64_t AudioTell() override;
    // Sound bytes at an offset, leaving the decoder's read offset alone: the bytes read, or -1.
    int32_t ReadSound(int32_t offset, void* buffer, int32_t length);

    // ---- Recording

    bool Create(const char* path);
    // Writes the prefix and the header over an open raw writer.
    bool CreateFile(LArchiveBase& raw, const char* name);

    void ResetChannel(int32_t server) override;
    bool OnParameterRecord(int32_t server, int32_t channel, int32_t subChannel,
                           const LChanOutParsPair& pair) override;
    bool OnFrame(int32_t server, int32_t channel, const LFrame* frame, int32_t sequence1,
                 int32_t sequence2) override;

    bool AddFrame(int32_t server, int32_t channel, const LFrame* frame, int32_t sequence1, int32_t sequence2);
    bool WriteFrame(int32_t server, int32_t channel, int64_t time, const LFrame* frame, int32_t sequence1,
                    int32_t sequence2);
    // Writes a frame straight to a stream channel fed by server (a converter copies channels
    // one to one, whatever their number).
    bool WriteStreamChannelFrame(int32_t streamChannel, int32_t server, int64_t time, const LFrame& frame);
    bool AddImageEntry(int32_t streamChannel, int64_t time, bool nil);
    bool StoreParameterRecord(int32_t server, int32_t channel, int32_t subChannel,
                              const LChanOutParsPair& pair);
    // slot < 0: the first free slot.
    bool AddBitmap(const LLaserPreviewBitmap& bitmap, int32_t slot);
    bool SetUserData(int32_t block, const XAString& bytes);
    bool AddSound(int32_t offset, const void* bytes, int32_t length);
    bool AddSound(const XAString& bytes);
    bool AddSoundFile(const char* path);
    void SetTimes(int64_t first, int64_t last);
    bool ShiftAllPositions(int32_t delta, int32_t low, int32_t high);
    bool FinishRecording();
    bool WriteIndex();

    // Takes over everything the index of another (read) show holds, to write it anew.
    void CopyIndexFrom(const LLaserPreviewStream& other);
    // Shares the other's output parameter tables and presence blocks.
    void ShareOutputParameters(const LLaserPreviewStream& other);
    // The other's bitmap slots and count, slot for slot.
    void CopyBitmaps(const LLaserPreviewStream& other);
    void SetHeaderPositions(int32_t indexPosition, int32_t dataStart, int32_t dataEnd, int32_t fileEnd);

    // ---- What the converter changes

    // Takes out, in one pass, the entries of a stream channel that visit drops (as
    // ShowIndexArray::Filter); visit may call the stream's operations.
    using IndexVisit = std::function<ShowIndexArray::Pass(int32_t entry, const ShowIndexEntry* lastKept)>;
    void FilterChannelIndex(int32_t channel, const IndexVisit& visit);
    // Output parameter pairs in use: none, then the pairs the frames written use.
    void ClearOutputPresence();
    void MarkOutputPresence(int32_t server, int32_t channel, int32_t subChannel);
    // Raw body bytes: n bytes at a body position into buffer; n bytes appended at the write
    // position. False on an archive error.
    bool ReadBodyBytes(int32_t position, void* buffer, int32_t n);
    bool AppendBodyBytes(const void* bytes, int32_t n);
    int32_t BodyPosition() const;

    // Test seams: the real-time clock of the recording (microseconds) and the enciphering
    // layer's start value.
    void SetClockSource(ClockSource clock);
    void SetStartValueSource(LArchiveCrypt::StartValueSource source);
    void SetRecordProgress(LShowRecordProgress* receiver, int32_t intervalCs);
    // A recording is not converted when it is closed unless its recorder gives the conversion
    // (after Create; Close forgets it).
    void SetCloseConversion(CloseConversion conversion);
    void SetChannelOffset(int32_t offset);

    // Holds the stream's lock while it lives, over several operations.
    class Holder
    {
      public:
        explicit Holder(LLaserPreviewStream& stream) : locker_(stream.lock_) {}

      private:
        LMutexLocker locker_;
    };

    // ---- What the player and the converter read: accessors without the lock (see the top)

    bool IsRecording() const { return crypt_.IsWriter(); }
    // Changes whenever the stream is opened or closed, and differs between streams, so that a
    // record position together with it names one record of one show.
    uint64_t OpenSerial() const { return openSerial_; }
    bool IsOpen() const { return crypt_.IsReader() || crypt_.IsWriter(); }
    const XAString& Name() const { return name_; }
    int64_t FirstTime() const { return firstTime_; }
    int64_t LastTime() const { return lastTime_; }
    int32_t AvailableBytes() const { return availableBytes_; }
    // 0 when the whole show is there; while it is partly there (IsIncomplete), frames at or
    // after this time are not readable yet, whatever its value (0 included).
    int64_t AvailableTimeLimit() const { return availableTimeLimit_; }
    // The last available show time as the player asks for it: the last time of a complete show
    // (available-time limit 0, "no limit"), the limit of one still arriving, and -1 ("no last
    // time known") while no stream channel has an entry.
    int64_t AvailableTimeUs() const;
    bool IsIncomplete() const { return availableBytes_ > 0; }
    float LoadedFraction() const { return loadedFraction_; }
    int32_t StreamChannelCount() const { return streamChannelCount_; }
    int32_t ChannelServer(int32_t channel) const { return channels_[channel].server; }
    bool ChannelEndsWithNil(int32_t channel) const { return channels_[channel].lastIsNil; }
    const ShowIndexArray& ChannelIndex(int32_t channel) const { return channels_[channel].index; }
    const ShowIndexArray& SoundIndex() const { return soundIndex_; }
    int32_t TotalSoundBytes() const { return totalSoundBytes_; }
    int32_t AvailableSoundBytes() const { return availableSoundBytes_; }
    // A recorder sets the codec's tables up before its first frame.
    LFrameCodec& Codec() { return codec_; }
    const LFrameCodec& Codec() const { return codec_; }
    const LChanOutParsTable* OutputParameters(int32_t server) const { return servers_[server].table.get(); }
    const PresenceBlock* OutputPresence(int32_t server) const { return servers_[server].presence.get(); }
    int32_t BitmapCount() const { return bitmapCount_; }
    const LLaserPreviewBitmap& Bitmap(int32_t slot) const { return bitmaps_[slot]; }
    const XAString& UserData(int32_t block) const { return userData_[block]; }
    int32_t OpaqueValue() const { return opaqueValue_; }
    int32_t SkippedFrames() const { return skippedFrames_; }
    int32_t ImageCount() const { return imageCount_; }

    int32_t IndexPosition() const { return indexPosition_; }
    int32_t IndexEnd() const { return indexEnd_; }
    int32_t BodyStart() const { return bodyStart_; }
    int32_t DataStart() const { return dataStart_; }
    int32_t DataEnd() const { return dataEnd_; }
    int32_t FileEnd() const { return fileEnd_; }

    // Bytes of each index section as last read or written, for statistics.
    enum IndexSection : int32_t {
        kSectionCodec,
        kSectionBitmaps,
        kSectionOutputPars,
        kSectionFrames,
        kSectionSound,
        kSectionUserData,
        kIndexSections
    };
    int32_t SectionSize(IndexSection section) const { return sectionSizes_[section]; }
    int32_t IndexSize() const { return indexSize_; }

  private:
    struct StreamChannel
    {
        ShowIndexArray index;
        int32_t server = -1; // the server that feeds it
        bool lastIsNil = true;
    };

    struct ServerPars
    {
        std::shared_ptr<LChanOutParsTable> table;
        std::shared_ptr<PresenceBlock> presence;
    };

    // name may be null (a show from memory).
    bool ReadHeader(LArchiveBase& raw, const char* name, bool continuing, int32_t* needed, bool clip);
    void Reset();
    void ResetSound();
    void ResetChannels();
    // The table and presence block of a server, created when missing (every presence byte set to
    // presence).
    void EnsureServerPars(int32_t server, uint8_t presence);
    uint32_t NowLow();

    // Reading (laser_preview_stream_read.cpp).
    bool ReadPrefix(LArchiveBase& raw);
    bool ReadHeaderParts();
    bool CheckHeaderPositions(int32_t headerEnd);
    bool ReadIndex();
    bool ReadIndexRecord(int32_t tag, int32_t limit);
    void ReadFrameIndex(int32_t tag, int32_t limit);
    void ReadOutputParsRecord();
    void ReadBitmapRecord();
    void ReadUserDataRecord();
    void ReadSoundIndex(int32_t limit);
    bool NeedsFirstSoundChunk(int32_t* needed);
    bool ReadPlainFrame(LArchiveBase& source, LFrame& frame);
    void UpdateSoundAvailability();
    // Where a chunk's record ends at the latest, from the offsets of the index.
    int64_t SoundChunkRecordEnd(int32_t entry) const;
    bool ReadSoundChunk(int32_t entry);
    // A sound record at the source's position into the chunk; the chunk is left as it was when
    // the record is none or cannot be read.
    bool ReadSoundRecord(LArchiveBase& source);
    // The record at the source's position: from the held plain bytes or through the cipher.
    bool DecodeFrameRecord(LArchiveBase& source, LFrame& frame);
    void ForgetFailedReadOfCutShow();
    int64_t ReadSoundBytes(char* buffer, int64_t want);
    bool GiveUpOpen(int32_t* needed, int64_t neededBytes, const char* error);

    // Writing (laser_preview_stream_write.cpp).
    void WriteHeaderPart1();
    void WriteHeaderPart2();
    void WriteFrameRecord(const LFrame& frame);
    void WriteNilRecord();
    void CountSequence(int32_t server, int32_t channel, int32_t sequence);
    void ReportFrameProgress(int32_t server, int32_t channel, int32_t streamChannel, int64_t time,
                             const LFrame* frame);
    // The index, one function per record type as the reader reads them.
    void WriteIndexRecords();
    void WriteOpaqueValueRecord();
    void WriteCodecRecord();
    void WriteBitmapRecord(int32_t number, const LLaserPreviewBitmap& bitmap);
    void WriteOutputParsRecord(int32_t server, int32_t channel, int32_t subChannel);
    void WriteFrameIndex(int32_t channel);
    void WriteSoundIndex();
    void WriteUserDataRecord(int32_t block);
    bool AnyUserData() const;

    mutable LMutex lock_;
    uint64_t openSerial_ = 0;
    XAString name_;

    LTimeRamp recordClock_;
    int64_t startTime_ = ShowFile::kStartTimeUs;
    int64_t firstTime_ = 0;
    int64_t lastTime_ = 0;
    int64_t lastFrameTime_ = 0;
    bool timesFixed_ = false;
    CloseConversion closeConversion_;
    int64_t lastConsoleTimeUs_ = 0;

    LArchiveFile file_;
    LArchiveXString memory_;
    LArchiveCrypt crypt_;
    HeldPlainData held_;

    int32_t headerPart1Position_ = 0;
    int32_t headerPart2Position_ = 0;
    int32_t prefixVersion_ = 0;
    int32_t bodyStart_ = 0;
    int32_t indexPosition_ = 0;
    int32_t indexEnd_ = 0;
    int32_t dataStart_ = 0;
    int32_t dataEnd_ = 0;
    int32_t fileEnd_ = 0;

    int32_t availableBytes_ = 0;
    int64_t availableTimeLimit_ = 0;
    float loadedFraction_ = 0.0f;

    std::array<int32_t, kIndexSections> sectionSizes_ = {};
    int32_t indexSize_ = 0;

    std::array<ServerPars, ShowFile::kServers> servers_;
    LFrameCodec codec_;

    std::array<StreamChannel, ShowFile::kStreamChannels> channels_;
    int32_t streamChannelCount_ = 0;
    int32_t channelOffset_ = 0;
    std::array<std::array<int8_t, ShowFile::kRecordChannels>, ShowFile::kServers> channelMap_;

    std::array<std::array<int32_t, ShowFile::kRecordChannels>, ShowFile::kServers> lastSequence_ = {};
    int32_t skippedFrames_ = 0;
    int32_t imageCount_ = 0;
    LShowRecordProgress* recordProgress_ = nullptr;
    int32_t recordProgressIntervalCs_ = 0;
    int64_t lastRecordProgressUs_ = 0;

    ShowIndexArray soundIndex_;
    int32_t totalSoundBytes_ = 0;
    int32_t availableSoundBytes_ = 0;
    int32_t soundOffset_ = 0;
    int32_t chunkOffset_ = 0;
    XAString chunk_;

    std::array<LLaserPreviewBitmap, ShowFile::kBitmapSlots> bitmaps_;
    int32_t bitmapCount_ = 0;
    int32_t opaqueValue_ = 0;
    std::array<XAString, ShowFile::kUserDataBlocks> userData_;

    ClockSource clock_;
};

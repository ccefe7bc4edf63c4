// LAviCompressOptions: one set of video compression options as parameter files carry them: the
// eleven 32-bit words of the options record and the codec's parameter block. Nothing here writes
// video; the options are kept so that a file carrying them loads whole.
#pragma once

#include "foundation/strings/xa_string.h"

#include <array>
#include <cstdint>

class LArchiveBase;

class LAviCompressOptions
{
  public:
    // The words of the stored record, in its order.
    enum Word : int32_t {
        kType,
        kHandler,
        kKeyFrameEvery,
        kQuality,
        kBytesPerSecond,
        kFlags,
        kFormatPointer,
        kFormatSize,
        kParametersPointer,
        kParametersSize,
        kInterleaveEvery,
        kWordCount,
    };
    // The record's stored size: the words, little-endian.
    static constexpr int32_t kRecordBytes = kWordCount * 4;

    LAviCompressOptions() = default;
    virtual ~LAviCompressOptions() = default;

    // Every word 0, no parameter block.
    void Clear();
    // Drops the parameter block; its size word becomes 0.
    void FreeBlock();
    // Replaces the options by the stored record; after an archive error they are clear.
    void Read(LArchiveBase& archive);

    int32_t Value(Word word) const { return words_[word]; }
    const XAString& ParameterBlock() const { return parameters_; }
    bool operator==(const LAviCompressOptions& other) const = default;

  private:
    // The two pointer words of the record stay 0: addresses from a file mean nothing here.
    std::array<int32_t, kWordCount> words_{};
    XAString parameters_;
};

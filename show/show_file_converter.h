#pragma once
// The show converter: rewrites a recorded show into its final form (duplicates dropped, frames
// thinned, sound replaced, bitmaps and user data changed, frames Huffman-coded with tables made
// for this show, frames and sound interleaved in time order) and then moves the index in front
// of the data, so that a player can start before the whole file has arrived.

#include "foundation/archives/archive_crypt.h"
#include "foundation/errors/c_error.h"
#include "show/l_laser_preview_bitmap.h"
#include "show/show_convert_progress.h"
#include "show/show_file_format.h"
#include "foundation/strings/xa_string.h"

#include <array>
#include <cstdint>
#include <vector>

struct ShowConvertOptions
{
    LShowConvertProgress* progress = nullptr;
    XAString inputPath;
    // Empty: the input path.
    XAString outputPath;
    bool compress = true;
    int32_t quality = 100;
    bool removeDuplicates = true;
    bool reduceFrameRate = false;
    // Frames per second of the frame-rate pass.
    float frameRateLimit = 20.0f;
    bool changeSound = false;
    // Empty: the sound is removed.
    XAString newSoundFile;
    bool dropBitmaps = false;
    std::vector<LLaserPreviewBitmap> bitmapsToAdd;
    bool dropUserData = false;
    // Per slot, for the first userDataSlots slots: a new block, or a delete flag.
    std::array<XAString, ShowFile::kUserDataBlocks> newUserData;
    std::array<bool, ShowFile::kUserDataBlocks> deleteUserData = {};
    int32_t userDataSlots = 0;
    // The enciphering layer's start value for the files written (empty: the system time).
    LArchiveCrypt::StartValueSource startValue;
};

CError ShowFileConverter(const ShowConvertOptions& options);

// What closing a recording does when its recorder wants the show converted
// (LLaserPreviewStream::SetCloseConversion): the converter with its defaults on the recorded file,
// whose result replaces it under its own name.
CError ConvertRecording(const XAString& path);

// Puts the index of the show at path in front of its data; the result goes to newName (null or
// empty: path itself). A show whose index already precedes its data is left as it is.
CError MakeShowStreamable(LShowConvertProgress* progress, float base, float step, const char* path,
                          const char* newName, const LArchiveCrypt::StartValueSource& startValue = {});

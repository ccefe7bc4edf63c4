#include "foundation/pictures/jpeg_reader.h"

#include "foundation/archives/archive_base.h"

#include <csetjmp>
#include <cstdio>
// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>
#include <jerror.h>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr const char* kOpenText = "Read error (jpg1)!";
constexpr const char* kMemoryText = "Read error (jpg2)!";
constexpr int kSmallestScale = 8; // libjpeg scales down to 1/8 at most
constexpr int kOutputBytes = 4;
// Progressive pictures keep every coefficient in memory; beyond this the decoder gives up
// instead of taking all the machine has.
constexpr long kDecoderMemory = 512L * 1024 * 1024;

} // namespace

// The reader itself, with the library's state, kept out of the public header so that callers
// never see libjpeg.
class LJPegReader::Decoder
{
  public:
    Decoder();
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;
    ~Decoder();

    // Releases the target, then reads from the archive when one is given, else from the named
    // file. Pass INT32_MAX for both maxima for the full size.
    CError Read(const char* fileName, LArchiveBase* archive, int32_t maxWidth, int32_t maxHeight,
                HImageRef& picture);

  private:
    struct ErrorManager
    {
        jpeg_error_mgr pub;
        std::jmp_buf jump;
    };
    // Hands libjpeg the archive's own read buffer, so that nothing is copied before decoding.
    struct ArchiveSource
    {
        jpeg_source_mgr pub;
        LArchiveBase* archive;
        size_t handedOver; // bytes of the archive's buffer given to libjpeg by the last fill
    };
    enum class Outcome { Decoded, LibraryError, OutOfMemory, TooLarge };

    void Close();
    // Everything from here on may end in the library's error exit, which jumps back into this
    // function: it and what it calls keep no object with a destructor on the stack.
    Outcome DecodeGuarded(LArchiveBase* archive, int32_t maxWidth, int32_t maxHeight);
    void UseArchive(LArchiveBase* archive);
    void StoreScanLines();

    [[noreturn]] static void ErrorExit(j_common_ptr cinfo);
    static void InitSource(j_decompress_ptr cinfo);
    static boolean FillInput(j_decompress_ptr cinfo);
    static void SkipInput(j_decompress_ptr cinfo, long n);
    static void TermSource(j_decompress_ptr cinfo);

    jpeg_decompress_struct decompress_{};
    ErrorManager error_{};
    ArchiveSource source_{};
    FILE* file_ = nullptr;
    bool started_ = false;
    bool created_ = false;
    uint8_t* row_ = nullptr;
    HMemRef pixels_;
};

LJPegReader::Decoder::Decoder()
{
    decompress_.err = jpeg_std_error(&error_.pub);
    error_.pub.error_exit = &LJPegReader::Decoder::ErrorExit;
}

LJPegReader::Decoder::~Decoder()
{
    Close();
    if (created_)
        jpeg_destroy_decompress(&decompress_);
}

void LJPegReader::Decoder::ErrorExit(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void LJPegReader::Decoder::Close()
{
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (started_) {
        jpeg_abort_decompress(&decompress_);
        started_ = false;
    }
    std::free(row_);
    row_ = nullptr;
}

void LJPegReader::Decoder::InitSource(j_decompress_ptr)
{
}

void LJPegReader::Decoder::TermSource(j_decompress_ptr)
{
}

boolean LJPegReader::Decoder::FillInput(j_decompress_ptr cinfo)
{
    auto* source = reinterpret_cast<ArchiveSource*>(cinfo->src);
    LArchiveBase* archive = source->archive;
    const auto handed = static_cast<int32_t>(source->handedOver);
    archive->Skip(handed, handed);
    source->handedOver = 0;
    int32_t held = archive->BufferedBytes();
    if (held == 0 && !archive->HasError())
        held = archive->Refill(1);
    if (held == 0 || archive->HasError()) {
        source->pub.next_input_byte = nullptr;
        source->pub.bytes_in_buffer = 0;
        ERREXIT(cinfo, JERR_FILE_READ);
    }
    source->pub.next_input_byte = archive->ReadCursor();
    source->pub.bytes_in_buffer = static_cast<size_t>(held);
    source->handedOver = static_cast<size_t>(held);
    return TRUE;
}

void LJPegReader::Decoder::SkipInput(j_decompress_ptr cinfo, long n)
{
    if (n <= 0)
        return;
    auto* source = reinterpret_cast<ArchiveSource*>(cinfo->src);
    if (static_cast<size_t>(n) <= source->pub.bytes_in_buffer) {
        source->pub.next_input_byte += n;
        source->pub.bytes_in_buffer -= static_cast<size_t>(n);
        return;
    }
    const int64_t distance = static_cast<int64_t>(n) + static_cast<int64_t>(source->handedOver) -
                             static_cast<int64_t>(source->pub.bytes_in_buffer);
    const auto skip = static_cast<int32_t>(std::min<int64_t>(distance, INT32_MAX));
    source->archive->Skip(skip, skip);
    source->pub.next_input_byte = nullptr;
    source->pub.bytes_in_buffer = 0;
    source->handedOver = 0;
    if (source->archive->HasError())
        ERREXIT(cinfo, JERR_FILE_READ);
}

void LJPegReader::Decoder::UseArchive(LArchiveBase* archive)
{
    source_ = ArchiveSource{};
    source_.pub.init_source = &LJPegReader::Decoder::InitSource;
    source_.pub.fill_input_buffer = &LJPegReader::Decoder::FillInput;
    source_.pub.skip_input_data = &LJPegReader::Decoder::SkipInput;
    source_.pub.resync_to_restart = &jpeg_resync_to_restart;
    source_.pub.term_source = &LJPegReader::Decoder::TermSource;
    source_.archive = archive;
    decompress_.src = &source_.pub;
}

void LJPegReader::Decoder::StoreScanLines()
{
    auto* pixels = pixels_.As<uint8_t>();
    const JDIMENSION width = decompress_.output_width;
    JSAMPROW rows[1] = {row_};
    while (decompress_.output_scanline < decompress_.output_height) {
        uint8_t* out = pixels + static_cast<size_t>(decompress_.output_scanline) * width * kOutputBytes;
        if (jpeg_read_scanlines(&decompress_, rows, 1) != 1)
            break;
        const uint8_t* in = row_;
        for (JDIMENSION x = 0; x < width; ++x, in += 3, out += kOutputBytes) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
            out[3] = 0;
        }
    }
}

LJPegReader::Decoder::Outcome LJPegReader::Decoder::DecodeGuarded(LArchiveBase* archive, int32_t maxWidth, int32_t maxHeight)
{
    if (setjmp(error_.jump))
        return Outcome::LibraryError;
    if (created_) {
        jpeg_destroy_decompress(&decompress_);
        created_ = false;
    }
    started_ = true;
    created_ = true;
    jpeg_create_decompress(&decompress_);
    decompress_.mem->max_memory_to_use = kDecoderMemory;
    if (archive)
        UseArchive(archive);
    else
        jpeg_stdio_src(&decompress_, file_);
    jpeg_read_header(&decompress_, TRUE);
    int denominator = 1;
    for (JDIMENSION width = decompress_.image_width, height = decompress_.image_height;
         (width > static_cast<JDIMENSION>(std::max(maxWidth, 0)) ||
          height > static_cast<JDIMENSION>(std::max(maxHeight, 0))) &&
         denominator < kSmallestScale;
         width /= 2, height /= 2)
        denominator *= 2;
    decompress_.out_color_space = JCS_RGB;
    decompress_.scale_num = 1;
    decompress_.scale_denom = static_cast<unsigned int>(denominator);
    jpeg_calc_output_dimensions(&decompress_);
    if (decompress_.output_width > kImageMaxSide || decompress_.output_height > kImageMaxSide)
        return Outcome::TooLarge;
    row_ = static_cast<uint8_t*>(
        std::malloc(static_cast<size_t>(decompress_.output_width) * decompress_.output_components));
    const auto pixelBytes =
        static_cast<int32_t>(decompress_.output_width * decompress_.output_height * kOutputBytes);
    if (!row_ || !pixels_.Alloc(pixelBytes, 0, nullptr, 0))
        return Outcome::OutOfMemory;
    jpeg_start_decompress(&decompress_);
    StoreScanLines();
    jpeg_finish_decompress(&decompress_);
    return Outcome::Decoded;
}

CError LJPegReader::Decoder::Read(const char* fileName, LArchiveBase* archive, int32_t maxWidth, int32_t maxHeight,
                         HImageRef& picture)
{
    Close();
    picture.Release();
    if (!archive) {
        file_ = fileName ? std::fopen(fileName, "rb") : nullptr;
        if (!file_)
            return CError::CErrorFromText(kOpenText, 0);
    }
    const Outcome outcome = DecodeGuarded(archive, maxWidth, maxHeight);
    CError status;
    if (outcome == Outcome::LibraryError) {
        char message[JMSG_LENGTH_MAX] = {};
        (*error_.pub.format_message)(reinterpret_cast<j_common_ptr>(&decompress_), message);
        status.SetError(XAString::Format("Read error!\nJPEG: %s", message), 0);
    } else if (outcome == Outcome::OutOfMemory) {
        status.SetError(kMemoryText, 0);
    } else if (outcome == Outcome::TooLarge) {
        status.SetError(kImageTooLargeText, 0);
    }
    const int32_t width = static_cast<int32_t>(decompress_.output_width);
    const int32_t height = static_cast<int32_t>(decompress_.output_height);
    Close();
    if (!status.Failed()) {
        picture = HImageFromParts(kHMemNoHandle, 0, width, height, 2 * width, kImageTrueColour, 0,
                                  kHMemNoHandle, pixels_.GetHandle());
        if (picture.IsEmpty())
            status.SetError(kMemoryText, 0);
    }
    pixels_.Release();
    return status;
}

LJPegReader::LJPegReader() : decoder_(std::make_unique<Decoder>())
{
}

LJPegReader::~LJPegReader() = default;

CError LJPegReader::Read(const char* fileName, LArchiveBase* archive, int32_t maxWidth, int32_t maxHeight,
                         HImageRef& picture)
{
    return decoder_->Read(fileName, archive, maxWidth, maxHeight, picture);
}

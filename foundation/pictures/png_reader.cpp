#include "foundation/pictures/png_reader.h"

#include "foundation/archives/archive_base.h"

#include <png.h>

#include <climits>
#include <csetjmp>
#include <cstdio>

namespace {

constexpr const char* kOpenText = "Read error (PNG1)!";
constexpr const char* kSignatureText = "Read error (PNG2)!";
constexpr const char* kReadStructText = "Read error! (PNG3)";
constexpr const char* kInfoStructText = "Read error! (PNG4)";
constexpr const char* kLibraryText = "Read error! (PNG5)";
constexpr const char* kMemoryText = "Read error! (PNG6)";
constexpr const char* kArchiveReadText = "Read Error";
constexpr int kSignatureBytes = 8;
constexpr int kOutputChannels = 4;
constexpr png_byte kFiller = 0;
constexpr double kBackgroundGamma = 1.0;
// The default background: blue 254, so that it differs from a white picture; for 16-bit pictures
// 65535, 65535, 65534. libpng takes a background without expansion at the output's 8 bits when
// 16-bit samples are stripped, so those are given by their high bytes.
constexpr png_uint_16 kDefaultBackground8[3] = {255, 255, 254};
constexpr png_uint_16 kDefaultBackground16[3] = {65535 >> 8, 65535 >> 8, 65534 >> 8};

// Grey levels of 1, 2 and 4 bits scaled to 0..255.
uint8_t ScaledGrey(png_uint_16 grey, int bitDepth)
{
    switch (bitDepth) {
    case 1:
        return grey ? 255 : 0;
    case 2:
        return static_cast<uint8_t>(grey * 85);
    case 4:
        return static_cast<uint8_t>(grey * 17);
    default:
        return static_cast<uint8_t>(grey);
    }
}

} // namespace

// The reader itself, with the library's state, kept out of the public header so that callers
// never see libpng.
class LPngReader::Decoder
{
  public:
    explicit Decoder(bool keepAlpha);
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;
    ~Decoder();

    // Reads from the archive when one is given, else from the named file. The picture replaces
    // the target only on success; on failure an archive's status takes over the error unless it
    // holds one already.
    CError Read(const char* fileName, LArchiveBase* archive, HImageRef& picture);

  private:
    enum class Outcome { Decoded, LibraryError, OutOfMemory };

    void Close();
    CError OpenFile(const char* fileName);
    CError CheckArchiveSignature();
    // Everything from here on may end in the library's error exit, which jumps back into this
    // function: it and what it calls keep no object with a destructor on the stack.
    Outcome DecodeGuarded();
    void ReadHeader();
    void StoreBackground();
    void RequestTransformations();
    static void ReadFromArchive(png_structp png, png_bytep data, size_t length);

    const bool keepAlpha_;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    FILE* file_ = nullptr;
    LArchiveBase* archive_ = nullptr;

    png_uint_32 width_ = 0;
    png_uint_32 height_ = 0;
    int bitDepth_ = 0;
    int colourType_ = 0;
    int interlace_ = 0;
    int compression_ = 0;
    int filter_ = 0;
    bool hasAlpha_ = false;
    bool hasBackground_ = false;
    uint8_t background_[3] = {}; // red, green, blue
    double fileGamma_ = 0.45455;
    double screenGamma_ = 2.2;
    size_t rowBytes_ = 0;
    int channels_ = 0;
    HMemRef pixels_;
};

LPngReader::Decoder::Decoder(bool keepAlpha) : keepAlpha_(keepAlpha)
{
}

LPngReader::Decoder::~Decoder()
{
    Close();
}

void LPngReader::Decoder::Close()
{
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (png_)
        png_destroy_read_struct(&png_, info_ ? &info_ : nullptr, nullptr);
    png_ = nullptr;
    info_ = nullptr;
    archive_ = nullptr;
    pixels_.Release();
}

CError LPngReader::Decoder::OpenFile(const char* fileName)
{
    file_ = fileName ? std::fopen(fileName, "rb") : nullptr;
    if (!file_)
        return CError::CErrorFromText(kOpenText, 0);
    png_byte signature[kSignatureBytes];
    if (std::fread(signature, 1, kSignatureBytes, file_) != kSignatureBytes ||
        png_sig_cmp(signature, 0, kSignatureBytes) != 0)
        return CError::CErrorFromText(kSignatureText, 0);
    return CError();
}

CError LPngReader::Decoder::CheckArchiveSignature()
{
    png_byte signature[kSignatureBytes];
    if (archive_->ReadBlock(signature, kSignatureBytes, kSignatureBytes) != kSignatureBytes ||
        archive_->HasError() || png_sig_cmp(signature, 0, kSignatureBytes) != 0)
        return CError::CErrorFromText(kOpenText, 0);
    return CError();
}

void LPngReader::Decoder::ReadFromArchive(png_structp png, png_bytep data, size_t length)
{
    auto* reader = static_cast<LPngReader::Decoder*>(png_get_io_ptr(png));
    LArchiveBase* archive = reader->archive_;
    if (length > INT32_MAX)
        png_error(png, kArchiveReadText);
    const auto n = static_cast<int32_t>(length);
    if (!archive->HasError())
        archive->ReadBlock(data, n, n);
    if (archive->HasError())
        png_error(png, kArchiveReadText);
}

void LPngReader::Decoder::ReadHeader()
{
    png_get_IHDR(png_, info_, &width_, &height_, &bitDepth_, &colourType_, &interlace_, &compression_,
                 &filter_);
}

// The background chunk's colour at 8 bits a component.
void LPngReader::Decoder::StoreBackground()
{
    png_color_16p colour = nullptr;
    if (!png_get_bKGD(png_, info_, &colour))
        return;
    if (bitDepth_ == 16) {
        background_[0] = static_cast<uint8_t>(colour->red >> 8);
        background_[1] = static_cast<uint8_t>(colour->green >> 8);
        background_[2] = static_cast<uint8_t>(colour->blue >> 8);
    } else if ((colourType_ & PNG_COLOR_MASK_COLOR) || bitDepth_ >= 8) {
        background_[0] = static_cast<uint8_t>(colour->red);
        background_[1] = static_cast<uint8_t>(colour->green);
        background_[2] = static_cast<uint8_t>(colour->blue);
    } else {
        background_[0] = background_[1] = background_[2] = ScaledGrey(colour->gray, bitDepth_);
    }
    hasBackground_ = true;
}

// Whatever the source, the rows come out as blue, green, red and a fourth byte (alpha, or 0).
void LPngReader::Decoder::RequestTransformations()
{
    hasAlpha_ = (colourType_ & PNG_COLOR_MASK_ALPHA) != 0;
    if (colourType_ == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png_);
    if (colourType_ == PNG_COLOR_TYPE_GRAY && bitDepth_ < 8)
        png_set_expand_gray_1_2_4_to_8(png_);
    if (!(colourType_ & PNG_COLOR_MASK_COLOR))
        png_set_gray_to_rgb(png_);
    if (png_get_valid(png_, info_, PNG_INFO_tRNS)) {
        png_set_tRNS_to_alpha(png_);
        hasAlpha_ = true;
    }
    if (bitDepth_ == 16)
        png_set_strip_16(png_);
    png_set_bgr(png_);
    png_set_filler(png_, kFiller, PNG_FILLER_AFTER);
    if (!keepAlpha_) {
        hasAlpha_ = false;
        png_color_16p fileBackground = nullptr;
        if (png_get_bKGD(png_, info_, &fileBackground)) {
            png_set_background(png_, fileBackground, PNG_BACKGROUND_GAMMA_FILE, 1, kBackgroundGamma);
        } else {
            const png_uint_16* rgb = bitDepth_ == 16 ? kDefaultBackground16 : kDefaultBackground8;
            png_color_16 colour{};
            colour.red = rgb[0];
            colour.green = rgb[1];
            colour.blue = rgb[2];
            png_set_background(png_, &colour, PNG_BACKGROUND_GAMMA_FILE, 0, kBackgroundGamma);
        }
    }
    double gamma = 0;
    if (png_get_gAMA(png_, info_, &gamma)) {
        fileGamma_ = gamma;
        png_set_gamma(png_, screenGamma_, fileGamma_);
    }
}

LPngReader::Decoder::Outcome LPngReader::Decoder::DecodeGuarded()
{
    if (setjmp(png_jmpbuf(png_)))
        return Outcome::LibraryError;
    if (archive_)
        png_set_read_fn(png_, this, &LPngReader::Decoder::ReadFromArchive);
    else
        png_init_io(png_, file_);
    png_set_sig_bytes(png_, kSignatureBytes);
    png_set_user_limits(png_, kImageMaxSide, kImageMaxSide);
    png_read_info(png_, info_);
    ReadHeader();
    StoreBackground();
    RequestTransformations();
    const int passes = png_set_interlace_handling(png_);
    png_read_update_info(png_, info_);
    rowBytes_ = png_get_rowbytes(png_, info_);
    channels_ = png_get_channels(png_, info_);
    if (channels_ != kOutputChannels || rowBytes_ != kOutputChannels * static_cast<size_t>(width_))
        return Outcome::LibraryError;
    auto* pixels =
        static_cast<png_bytep>(pixels_.Alloc(static_cast<int32_t>(rowBytes_ * height_), 0, nullptr, 0));
    if (!pixels)
        return Outcome::OutOfMemory;
    for (int pass = 0; pass < passes; ++pass)
        for (png_uint_32 y = 0; y < height_; ++y)
            png_read_row(png_, pixels + y * rowBytes_, nullptr);
    png_read_end(png_, nullptr);
    return Outcome::Decoded;
}

CError LPngReader::Decoder::Read(const char* fileName, LArchiveBase* archive, HImageRef& picture)
{
    Close();
    archive_ = archive;
    CError status = archive_ ? CheckArchiveSignature() : OpenFile(fileName);
    if (!status.Failed()) {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        if (!png_)
            status.SetError(kReadStructText, 0);
        else if (!(info_ = png_create_info_struct(png_)))
            status.SetError(kInfoStructText, 0);
    }
    if (!status.Failed()) {
        const Outcome outcome = DecodeGuarded();
        if (outcome == Outcome::OutOfMemory)
            status.SetError(kMemoryText, 0);
        else if (outcome == Outcome::LibraryError)
            status.SetError(kLibraryText, 0);
    }
    if (!status.Failed()) {
        const uint32_t flags = kImageTrueColour | (hasAlpha_ ? kImageAlpha : 0);
        const HImageRef image =
            HImageFromParts(kHMemNoHandle, 0, static_cast<int32_t>(width_), static_cast<int32_t>(height_),
                            2 * static_cast<int32_t>(width_), flags, 0, kHMemNoHandle, pixels_.GetHandle());
        if (image.IsEmpty())
            status.SetError(kMemoryText, 0);
        else
            picture = image;
    }
    pixels_.Release();
    if (status.Failed()) {
        if (archive)
            archive->Status().SetError(status.Message(), status.Code());
        Close();
    }
    return status;
}

LPngReader::LPngReader(bool keepAlpha) : decoder_(std::make_unique<Decoder>(keepAlpha))
{
}

LPngReader::~LPngReader() = default;

CError LPngReader::Read(const char* fileName, LArchiveBase* archive, HImageRef& picture)
{
    return decoder_->Read(fileName, archive, picture);
}

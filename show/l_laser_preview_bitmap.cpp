#include "show/l_laser_preview_bitmap.h"

#include "foundation/archives/archive_file.h"
#include "foundation/archives/archive_xstring.h"
#include "foundation/files/fs_name.h"
#include "foundation/pictures/jpeg_reader.h"
#include "foundation/pictures/png_reader.h"
#include "foundation/text/text_compare.h"

#include <climits>

namespace {

constexpr const char* kUnreadableText = "Can't read image! (invalid/unknown format)";
constexpr const char* kIncompatibleText = "Incompatible format (481)!";
constexpr int32_t kNewestVersion = 1;
constexpr int32_t kLongestName = 1024;
constexpr int32_t kTypes[] = {LLaserPreviewBitmap::kTypePng, LLaserPreviewBitmap::kTypeJpeg,
                              LLaserPreviewBitmap::kTypeBmp};

bool TypeKnown(int32_t type)
{
    return type >= LLaserPreviewBitmap::kTypePng && type <= LLaserPreviewBitmap::kTypeBmp;
}

} // namespace

LLaserPreviewBitmap::LLaserPreviewBitmap()
{
    Clear();
}

void LLaserPreviewBitmap::Clear()
{
    name_ = XAString();
    fileBytes_ = XAString();
    type_ = kTypePng;
    picture_.Release();
    parameters_.fill(0);
}

void LLaserPreviewBitmap::TypeFromName()
{
    const XAFsName extension = XAFsName(name_).Extension();
    if (StrEqualNoCase(extension.CStr(), "bmp") || StrEqualNoCase(extension.CStr(), "dib"))
        type_ = kTypeBmp;
    else if (StrEqualNoCase(extension.CStr(), "png"))
        type_ = kTypePng;
    else
        type_ = kTypeJpeg;
}

CError LLaserPreviewBitmap::Load(const char* path, const XAString* fileBytes, const Parameters& parameters)
{
    Clear();
    if (fileBytes)
        fileBytes_ = *fileBytes;
    if (fileBytes_.IsEmpty()) {
        LArchiveFile file(path, kArchiveFileRead, true);
        if (!file.HasError())
            fileBytes_ = file.ReadAll();
        if (file.HasError()) {
            Clear();
            return file.Status();
        }
    }
    name_ = XAFsName(path).FileNamePart();
    TypeFromName();
    if (Decode().IsEmpty()) {
        Clear();
        return CError::CErrorFromText(kUnreadableText, 0);
    }
    parameters_ = parameters;
    return CError();
}

HImageRef LLaserPreviewBitmap::DecodeAs(int32_t type) const
{
    LArchiveXString archive;
    HImageRef image;
    if (!archive.OpenRead(fileBytes_, -1))
        return image;
    switch (type) {
    case kTypePng:
        LPngReader(false).Read(nullptr, &archive, image);
        break;
    case kTypeJpeg:
        LJPegReader().Read(nullptr, &archive, INT32_MAX, INT32_MAX, image);
        break;
    case kTypeBmp:
        HImage::ReadBmp(image, archive, name_.CStr(), true, false);
        break;
    default:
        break;
    }
    return image;
}

const HImageRef& LLaserPreviewBitmap::Decode()
{
    if (!picture_.IsEmpty() || fileBytes_.IsEmpty())
        return picture_;
    HImageRef image = DecodeAs(type_);
    for (const int32_t other : kTypes) {
        if (!image.IsEmpty())
            break;
        if (other == type_)
            continue;
        image = DecodeAs(other);
        if (!image.IsEmpty())
            type_ = other;
    }
    if (!image.IsEmpty())
        picture_ = image->Convert();
    return picture_;
}

void LLaserPreviewBitmap::Write(LArchiveBase& archive) const
{
    const int32_t version = type_ == kTypePng ? 0 : 1;
    archive.WriteVersion(version, version);
    archive.WriteCounted(fileBytes_.CStr(), fileBytes_.Length());
    if (fileBytes_.IsEmpty())
        return;
    archive.WriteString(name_);
    if (version >= 1)
        archive.WriteCount(type_);
    for (const float parameter : parameters_)
        archive.WriteFloat(parameter);
}

void LLaserPreviewBitmap::Read(LArchiveBase& archive)
{
    Clear();
    int32_t version = 0;
    if (!archive.ReadVersion(kNewestVersion, 0, version))
        return;
    fileBytes_ = archive.ReadAString(archive.ReadCount());
    if (fileBytes_.IsEmpty())
        return;
    archive.ReadString(name_, kLongestName);
    if (version == 0) {
        TypeFromName();
    } else {
        type_ = archive.ReadCount();
        if (!TypeKnown(type_)) {
            archive.Status().SetError(kIncompatibleText, 0);
            TypeFromName();
        }
    }
    for (float& parameter : parameters_)
        parameter = archive.ReadFloat();
}

// The tagged parameter stream of parameter files and shows: a version block, one item per field
// (kind, tag, value), a terminator. Readers skip the items of tags they do not know, so streams
// of other versions of the field set stay readable.
#include "params/beamvista_pars.h"

#include <limits>

#include "foundation/archives/archive_base.h"
#include "foundation/archives/archive_xstring.h"
#include "params/beamvista_param_table.h"

namespace {

constexpr int32_t kStreamVersion = 0;
constexpr int32_t kStreamOldestReader = 0;
constexpr int32_t kTerminatorZeros = 4;
constexpr int32_t kLongestText = std::numeric_limits<int32_t>::max();
constexpr const char* kFormatErrorText = "Format error!";

enum ItemKind : int32_t {
    kItemEnd = 0,
    kItemBool = 1,
    kItemInt = 2,
    kItemReal = 3,
    kItemText = 4,
};

const BeamvistaParamDef* FindTag(int32_t tag)
{
    for (const BeamvistaParamDef& def : BeamvistaParamTable()) {
        if (def.tag == tag)
            return &def;
    }
    return nullptr;
}

} // namespace

void LBeamvistaPars::Write(LArchiveBase& archive, uint32_t mask) const
{
    archive.WriteVersion(kStreamVersion, kStreamOldestReader);
    for (const BeamvistaParamDef& def : BeamvistaParamTable()) {
        if (!SelectsBlock(mask, def.block))
            continue;
        switch (def.storage) {
        case BeamvistaStorage::Byte:
            archive.WriteCount(kItemBool);
            archive.WriteI32(def.tag);
            archive.WriteBool(this->*def.field.byteField != 0);
            break;
        case BeamvistaStorage::Int32:
            archive.WriteCount(kItemInt);
            archive.WriteI32(def.tag);
            archive.WriteI32(this->*def.field.intField);
            break;
        case BeamvistaStorage::Float:
            archive.WriteCount(kItemReal);
            archive.WriteI32(def.tag);
            archive.WriteDouble(this->*def.field.floatField);
            break;
        case BeamvistaStorage::Text:
            archive.WriteCount(kItemText);
            archive.WriteI32(def.tag);
            archive.WriteString(this->*def.field.textField);
            break;
        }
    }
    archive.WriteCount(kItemEnd);
    for (int32_t i = 0; i < kTerminatorZeros; ++i)
        archive.WriteI32(0);
}

void LBeamvistaPars::Read(LArchiveBase& archive, bool resetFirst)
{
    if (resetFirst)
        SetDefaults();
    archive.CheckVersion2(kStreamVersion, kStreamOldestReader);
    while (!archive.HasError()) {
        const int32_t kind = archive.ReadCount();
        if (kind == kItemEnd)
            break;
        const int32_t tag = archive.ReadI32();
        if (kind < kItemEnd || kind > kItemText) {
            archive.Status().SetError(kFormatErrorText, 0);
            break;
        }
        bool flag = false;
        int32_t integer = 0;
        double real = 0.0;
        XAString text;
        switch (kind) {
        case kItemBool:
            flag = archive.ReadBool();
            break;
        case kItemInt:
            integer = archive.ReadI32();
            break;
        case kItemReal:
            real = archive.ReadDouble();
            break;
        default:
            // The archive refuses a count beyond the bytes that are left before it allocates.
            archive.ReadString(text, kLongestText);
            break;
        }
        if (!archive.HasError())
            SetByTag(tag, flag, integer, real, text);
    }
    for (int32_t i = 0; i < kTerminatorZeros; ++i)
        archive.ReadI32();
    if (archive.HasError())
        SetDefaults();
}

bool LBeamvistaPars::SetByTag(int32_t tag, bool flag, int32_t integer, double real, const XAString& text)
{
    const BeamvistaParamDef* def = FindTag(tag);
    if (!def)
        return false;
    switch (def->storage) {
    case BeamvistaStorage::Byte:
        this->*def->field.byteField = flag ? 1 : 0;
        break;
    case BeamvistaStorage::Int32:
        this->*def->field.intField = integer;
        break;
    case BeamvistaStorage::Float:
        this->*def->field.floatField = NarrowToFloat(real);
        break;
    case BeamvistaStorage::Text:
        this->*def->field.textField = text;
        break;
    }
    return true;
}

bool LBeamvistaPars::FromString(const XAString& text, uint32_t mask)
{
    if (text.IsEmpty())
        return false;
    LBeamvistaPars copy(*this);
    LArchiveXString archive;
    if (!archive.OpenRead(text, -1))
        return false;
    copy.Read(archive, false);
    const bool ok = !archive.HasError();
    archive.Close();
    if (!ok)
        return false;
    Assign(copy, mask);
    return true;
}

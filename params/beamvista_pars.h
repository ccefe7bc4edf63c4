#pragma once
// LBeamvistaPars: one complete set of the 132 preview parameters as a plain record, a detached
// snapshot of the global parameter handlers that can be copied, compared, stored in parameter
// files and shows, and sent back to the handlers.
//
// The fields, one per parameter in table order, fall into five blocks. Operations that take a
// group mask work only on the blocks it selects: a block is selected when mask AND its selector
// has a bit in the low 16 bits and none in the high 16 bits.

#include <cstdint>

#include "params/beamvista_storage.h"
#include "foundation/strings/xa_string.h"

class LArchiveBase;
struct BeamvistaParamDef;

// The group masks the system passes.
inline constexpr uint32_t kBeamvistaAllGroups = 0xffff;
inline constexpr uint32_t kBeamvistaFileGroups = 0x01; // a settings file: main, simulation, backgrounds
inline constexpr uint32_t kBeamvistaShowGroups = 0x10; // a show's own settings: main, simulation

// The members of each background, in field order.
enum BeamvistaBgMember : int32_t {
    kBgSwitch,
    kBgLoad,
    kBgFilename,
    kBgIntensity,
    kBgSizeX,
    kBgSizeY,
    kBgPosX,
    kBgPosY,
};
inline constexpr int32_t kBeamvistaBackgroundCount = 4;
inline constexpr int32_t kBeamvistaBgMemberCount = 8;

class LBeamvistaPars
{
  public:
    // Every field at its parameter's default.
    LBeamvistaPars();
    // The field-by-field copies share the file-name strings.
    LBeamvistaPars(const LBeamvistaPars& other) = default;
    LBeamvistaPars& operator=(const LBeamvistaPars& other) = default;
    ~LBeamvistaPars() = default;

#define ZYL_BEAMVISTA_ROW(field, name, storage, ...) BeamvistaStorageType<BeamvistaStorage::storage> field;
#include "params/beamvista_param_list.inc"
#undef ZYL_BEAMVISTA_ROW

    static uint32_t BlockSelector(BeamvistaBlock block);
    static bool SelectsBlock(uint32_t mask, BeamvistaBlock block);

    // Member k of background n (0-3), as a row of the parameter table whose field can be taken
    // from any record; the typed accessors below reach the same fields of this record.
    static const BeamvistaParamDef& BackgroundMember(int32_t k, int32_t n);
    int32_t& BgSwitch(int32_t n);
    uint8_t& BgLoad(int32_t n);
    XAString& BgFilename(int32_t n);
    // Members kBgIntensity to kBgPosY.
    float& BgReal(int32_t k, int32_t n);

    // Every field at its default, whatever any mask says.
    void SetDefaults();

    // Fills every field from its handler's committed value.
    void ReadFromParameters();
    // Fills every field from its handler's current value: inside a value transaction the
    // pending one.
    void ReadNewFromParameters();

    // Sends the selected fields to their handlers as new values, in one value transaction with
    // the flags 0x10400 (quiet, re-clamp).
    void ApplyToParameters(uint32_t mask) const;
    // Copies the whole record into BeamvistaDefaultPars and makes its values the handlers'
    // defaults; the handlers' values stay.
    void MakeDefault() const;
    // True when the selected fields of both records are equal: integers exactly, reals nearly
    // (DoublesNearlyEqual), texts byte for byte.
    bool IsEqual(const LBeamvistaPars& other, uint32_t mask) const;
    // The selected fields of other copied into this record.
    void Assign(const LBeamvistaPars& other, uint32_t mask);
    // Each selected field that still equals the field of oldPars takes the field of newPars.
    void UpdateUnchanged(const LBeamvistaPars& oldPars, const LBeamvistaPars& newPars, uint32_t mask);

    // Appends the tagged parameter stream of the selected blocks.
    void Write(LArchiveBase& archive, uint32_t mask) const;
    // Reads one tagged parameter stream; the caller looks at the archive's status afterwards.
    // After an error every field is at its default.
    void Read(LArchiveBase& archive, bool resetFirst);
    // Stores one item into the field that owns the tag, taking the slot of the field's storage;
    // false (record unchanged) for a tag no field owns.
    bool SetByTag(int32_t tag, bool flag, int32_t integer, double real, const XAString& text);
    // Reads a stream held in a text and copies the selected blocks of the result; false, with
    // the record unchanged, for an empty text or a stream that fails.
    bool FromString(const XAString& text, uint32_t mask);

    // The six OpenGL switches stored below the registry base: true when at least the first five
    // were found.
    bool ReadOpenGlDefaults();
    bool LoadOpenGlDefaults();
    // True when all six were written.
    bool WriteOpenGlDefaults() const;
};

// The generic defaults of the preview: built with the parameter defaults on first use, changed
// only by LBeamvistaPars::MakeDefault.
LBeamvistaPars& BeamvistaDefaultPars();

// The texture factory of the preview: each kind built from its source, uploaded with the
// filtering the switches ask for, and bound by number for drawing.
#define GL_GLEXT_PROTOTYPES
#include "preview/l_beamvista.h"

#include "platform/gl/gl_surface.h"
#include "preview/beam_profile.h"
#include "preview/fog_density.h"
#include "preview/fog_noise_missing.h"
#include "preview/glow_spot.h"
#include "preview/picture_texels.h"
#include "show/laser_preview_stream.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

#include <utility>

namespace {

constexpr int32_t kStaleErrorLimit = 16;
constexpr int32_t kShowPictureKinds = 8;
constexpr int32_t kShowPictureRecords = 4;

using TexImage3D = void (*)(GLenum, GLint, GLint, GLsizei, GLsizei, GLsizei, GLint, GLenum, GLenum, const void*);

void DropStaleErrors()
{
    for (int i = 0; i < kStaleErrorLimit && glGetError() != GL_NO_ERROR; ++i) {
    }
}

struct Filters
{
    GLint magnify;
    GLint minify;
    bool mipmaps;
};

Filters FiltersFor(const LBeamvistaPars& p, bool threeD)
{
    const bool linear = p.p0x10210 != 0 || p.p0x10220 != 0;
    if (!threeD && p.p0x10230 != 0) {
        const GLint minify = p.p0x10220   ? GL_LINEAR_MIPMAP_LINEAR
                             : p.p0x10210 ? GL_NEAREST_MIPMAP_LINEAR
                                          : GL_NEAREST_MIPMAP_NEAREST;
        return {GL_LINEAR, minify, true};
    }
    const GLint filter = linear ? GL_LINEAR : GL_NEAREST;
    return {filter, filter, false};
}

struct Upload
{
    GLint internalFormat;
    GLenum format;
    int32_t width, height, depth;
    const void* texels;
};

bool Upload2D(const Upload& u, const Filters& f)
{
    DropStaleErrors();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, f.magnify);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, f.minify);
    if (f.mipmaps) {
        if (gluBuild2DMipmaps(GL_TEXTURE_2D, u.internalFormat, u.width, u.height, u.format, GL_UNSIGNED_BYTE,
                              u.texels) != 0)
            return false;
    } else {
        glTexImage2D(GL_TEXTURE_2D, 0, u.internalFormat, u.width, u.height, 0, u.format, GL_UNSIGNED_BYTE, u.texels);
    }
    return glGetError() == GL_NO_ERROR;
}

// Whether the driver takes a 2-D texture of that size, asked without uploading anything.
bool ProxyAccepts2D(GLint internalFormat, GLenum format, int32_t width, int32_t height)
{
    DropStaleErrors();
    glTexImage2D(GL_PROXY_TEXTURE_2D, 0, internalFormat, width, height, 0, format, GL_UNSIGNED_BYTE, nullptr);
    GLint w = 0;
    GLint h = 0;
    glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    return glGetError() == GL_NO_ERROR && w == width && h == height;
}

bool ProxyAccepts3D(TexImage3D texImage3D, int32_t side)
{
    DropStaleErrors();
    texImage3D(GL_PROXY_TEXTURE_3D, 0, GL_ALPHA8, side, side, side, 0, GL_ALPHA, GL_UNSIGNED_BYTE, nullptr);
    GLint w = 0;
    GLint h = 0;
    GLint d = 0;
    glGetTexLevelParameteriv(GL_PROXY_TEXTURE_3D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_PROXY_TEXTURE_3D, 0, GL_TEXTURE_HEIGHT, &h);
    glGetTexLevelParameteriv(GL_PROXY_TEXTURE_3D, 0, GL_TEXTURE_DEPTH, &d);
    return glGetError() == GL_NO_ERROR && w == side && h == side && d == side;
}

// A context that answers: the preview's tests run it over surfaces without one.
bool ContextAnswers()
{
    return glGetString(GL_VERSION) != nullptr;
}

void Record(TextureSlot& slot, const Upload& u)
{
    slot.width = slot.contentWidth = u.width;
    slot.height = slot.contentHeight = u.height;
    slot.depth = slot.contentDepth = u.depth;
}

} // namespace

void LBeamvista::BuildAllTextures()
{
    for (int32_t kind = 0; kind < kTextureCount; ++kind)
        BuildTexture(kind);
}

bool LBeamvista::BuildTexture(int32_t kind)
{
    if (kind < 0 || kind >= kTextureCount)
        return false;
    if (kind == 0)
        return true;
    // The fog's progress box lets paints and parameter changes run; they must not start the
    // fog again inside its own computation.
    if (kind == kFogTexture && fogComputing_)
        return false;
    const bool wasBuilding = std::exchange(buildingTexture_, true);
    TextureSlot& slot = textures_[static_cast<size_t>(kind)];
    if (slot.name != 0)
        glDeleteTextures(1, &slot.name);
    slot = TextureSlot{};
    bool built = false;
    if (glReady_ && kind != kReservedTexture && ContextAnswers()) {
        glGenTextures(1, &slot.name);
        slot.target = GL_TEXTURE_2D;
        built = MakeTextureContent(kind, slot);
        slot.ready = built;
    }
    buildingTexture_ = wasBuilding;
    return built;
}

bool LBeamvista::MakeTextureContent(int32_t kind, TextureSlot& slot)
{
    glBindTexture(GL_TEXTURE_2D, slot.name);
    switch (kind) {
    case kFontTexture:
        return BuildFontTexture(slot);
    case kGlowTexture:
        return BuildGlowTexture(slot);
    case kFogTexture:
        return BuildFogTexture(slot);
    case kBeamProfileTexture:
        return BuildBeamProfileTexture(slot);
    default:
        return BuildPictureTexture(kind, slot);
    }
}

bool LBeamvista::BuildGlowTexture(TextureSlot& slot)
{
    const std::vector<uint8_t> texels = GlowSpotTexels();
    if (texels.empty())
        return false;
    const Upload upload{GL_ALPHA8, GL_ALPHA, kGlowSpotSide, kGlowSpotSide, 1, texels.data()};
    Record(slot, upload);
    return Upload2D(upload, FiltersFor(livePars_, false));
}

bool LBeamvista::BuildBeamProfileTexture(TextureSlot& slot)
{
    const std::vector<uint8_t> texels = BeamProfileTexels(BeamProfileShapeOf(livePars_));
    const Upload upload{GL_ALPHA8, GL_ALPHA, kBeamProfileWidth, kBeamProfileHeight, 1, texels.data()};
    Record(slot, upload);
    return Upload2D(upload, FiltersFor(livePars_, false));
}

bool LBeamvista::BuildFogTexture(TextureSlot& slot)
{
    const LBeamvistaPars& p = livePars_;
    FogNoiseStore& store = ProcessFogNoise();
    auto texImage3D = reinterpret_cast<TexImage3D>(
        surface_ && p.o_fog_3d && !store.CubeUnavailable() ? surface_->GetProcAddress("glTexImage3D") : nullptr);
    FogNoiseRequest request = FogNoiseRequestFor(texImage3D != nullptr, p.p0x91215 != 0, p.p0x91208);
    if (texImage3D != nullptr && !ProxyAccepts3D(texImage3D, request.x)) {
        // The driver refuses the cube: flat fog, without an error.
        texImage3D = nullptr;
        request = FogNoiseRequestFor(false, false, p.p0x91208);
    }
    if (texImage3D != nullptr) {
        glBindTexture(GL_TEXTURE_2D, 0);
        slot.target = GL_TEXTURE_3D;
    }

    // The host must not close the preview while the box pumps its windows.
    const bool wasGuarded = std::exchange(openDialogActive_, true);
    fogComputing_ = true;
    const FogNoiseStore::Outcome outcome =
        store.Obtain(request, request.z > 1 ? fogProgress_ : FogNoiseStore::ProgressFactory());
    fogComputing_ = false;
    openDialogActive_ = wasGuarded;

    // The paint that follows every build (a rebuild redraws, a new context paints) sees the
    // mark and switches three-dimensional fog off, so the dialogs show it.
    if (p.o_fog_3d && (outcome == FogNoiseStore::Outcome::Missing || store.CubeUnavailable()))
        FogNoiseMissing = true;
    else if (request.z > 1)
        FogNoiseMissing = false;
    if (outcome == FogNoiseStore::Outcome::Missing)
        return false;
    if (outcome == FogNoiseStore::Outcome::ComputedCube && !rebuildingFog_)
        return RebuildFogAfterCube();

    const LPerlinNoiseUChar& noise = store.Noise();
    const int64_t count = int64_t{request.x} * request.y * request.z;
    const std::vector<uint8_t> texels = FogTexels(MakeFogDensityMap(livePars_), noise.Bytes(), count);
    const Upload upload{GL_ALPHA8, GL_ALPHA, request.x, request.y, request.z, texels.data()};
    Record(slot, upload);
    // The box's paints may have bound other textures meanwhile.
    glBindTexture(slot.target, slot.name);
    bool uploaded = false;
    if (texImage3D != nullptr) {
        const Filters f = FiltersFor(livePars_, true);
        DropStaleErrors();
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glTexParameteri(GL_TEXTURE_3D, GL_TEXTURE_MAG_FILTER, f.magnify);
        glTexParameteri(GL_TEXTURE_3D, GL_TEXTURE_MIN_FILTER, f.minify);
        texImage3D(GL_TEXTURE_3D, 0, GL_ALPHA8, request.x, request.y, request.z, 0, GL_ALPHA, GL_UNSIGNED_BYTE,
                   texels.data());
        uploaded = glGetError() == GL_NO_ERROR;
    } else {
        uploaded = Upload2D(upload, FiltersFor(livePars_, false));
        store.DropIfFromFile();
    }
    return uploaded;
}

// The cube is on disk now; the build starts again from the top with the parameters of this
// moment (the box let them change), and the cache serves it.
bool LBeamvista::RebuildFogAfterCube()
{
    if (!MakeCurrent())
        return false;
    rebuildingFog_ = true;
    const bool built = BuildTexture(kFogTexture);
    rebuildingFog_ = false;
    return built;
}

bool LBeamvista::BuildPictureTexture(int32_t kind, TextureSlot& slot)
{
    const LLaserPreviewBitmap* record = nullptr;
    if (kind >= kUserPictureTexture) {
        record = &pictures_[static_cast<size_t>(kind - kUserPictureTexture)];
    } else {
        const int32_t index = kind - kShowPictureTexture;
        const LLaserPreviewStream* stream = playback_.IsShowOpen() ? &playback_.Stream() : nullptr;
        if (stream == nullptr || index >= kShowPictureRecords || index >= stream->BitmapCount())
            return false;
        record = &stream->Bitmap(index);
    }
    // Decoding fills the record's picture once; the record stays the same otherwise.
    const HImageRef& decoded = const_cast<LLaserPreviewBitmap*>(record)->Decode();
    if (decoded.IsEmpty())
        return false;
    const HImageRef picture = decoded->Convert();
    if (picture.IsEmpty())
        return false;
    PictureTexels texels;
    const auto accepts = [](int32_t w, int32_t h) { return ProxyAccepts2D(GL_RGBA8, GL_BGRA, w, h); };
    if (!MakePictureTexels(*picture, accepts, texels))
        return false;
    glBindTexture(GL_TEXTURE_2D, slot.name);
    const Upload upload{GL_RGBA8, GL_BGRA, texels.textureWidth, texels.textureHeight, 1, texels.bgra.data()};
    Record(slot, upload);
    slot.contentWidth = texels.contentWidth;
    slot.contentHeight = texels.contentHeight;
    return Upload2D(upload, FiltersFor(livePars_, false));
}

void LBeamvista::ReloadAllBitmapTextures()
{
    for (int32_t n = 0; n < static_cast<int32_t>(pictures_.size()); ++n)
        ReloadBitmapTexture(n);
}

void LBeamvista::ReloadBitmapTexture(int32_t slot)
{
    if (slot < 0 || slot >= static_cast<int32_t>(pictures_.size()) || !glReady_ || !MakeCurrent())
        return;
    BuildTexture(kUserPictureTexture + slot);
}

void LBeamvista::BuildShowPictureTextures()
{
    if (!glReady_ || !MakeCurrent())
        return;
    for (int32_t kind = kShowPictureTexture; kind < kShowPictureTexture + kShowPictureKinds; ++kind)
        BuildTexture(kind);
}

void LBeamvista::DeleteShowPictureTextures()
{
    if (!surface_ || !MakeCurrent())
        return;
    for (int32_t kind = kShowPictureTexture; kind < kShowPictureTexture + kShowPictureKinds; ++kind) {
        TextureSlot& slot = textures_[static_cast<size_t>(kind)];
        if (slot.name != 0)
            glDeleteTextures(1, &slot.name);
        slot = TextureSlot{};
    }
}

void LBeamvista::DeleteTextures()
{
    for (TextureSlot& slot : textures_) {
        if (slot.name != 0)
            glDeleteTextures(1, &slot.name);
        slot = TextureSlot{};
    }
}

void LBeamvista::BindTexture(int32_t kind)
{
    const TextureSlot* slot =
        kind > 0 && kind < kTextureCount && textures_[static_cast<size_t>(kind)].ready ? &Texture(kind) : nullptr;
    if (slot != nullptr && slot->target == GL_TEXTURE_3D) {
        glBindTexture(GL_TEXTURE_2D, 0);
        glEnable(GL_TEXTURE_3D);
        glBindTexture(GL_TEXTURE_3D, slot->name);
        return;
    }
    glDisable(GL_TEXTURE_3D);
    glBindTexture(GL_TEXTURE_2D, slot != nullptr ? slot->name : 0);
}

bool LBeamvista::FogTextureIs2d() const
{
    return textures_[kFogTexture].target != GL_TEXTURE_3D;
}

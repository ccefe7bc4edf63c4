#include "shell/skin_placement.h"

#include "foundation/registry/reg_key.h"
#include "platform/deliverable_kind.h"

bool IsUsableStoredRect(const RasterRect& rect)
{
    const int64_t width = int64_t{rect.right} - rect.left;
    const int64_t height = int64_t{rect.bottom} - rect.top;
    return width > kMinStoredSide && height > kMinStoredSide && width <= kMaxStoredSide && height <= kMaxStoredSide;
}

const char* SkinPlacementKey()
{
    return CurrentDeliverableKind() == DeliverableKind::Control ? kControlSkinPlacementKey
                                                                : kSkinPlacementKey;
}

SkinPlacement LoadSkinPlacement()
{
    SkinPlacement placement;
    LRegKey key(SkinPlacementKey(), false);
    key.ReadBool("Maximized", placement.maximized);
    RasterRect rect;
    const bool left = key.ReadInt("Left", rect.left);
    const bool top = key.ReadInt("Top", rect.top);
    const bool right = key.ReadInt("Right", rect.right);
    const bool bottom = key.ReadInt("Bottom", rect.bottom);
    if (left && top && right && bottom) {
        key.ReadBool("SkinMin", placement.skinMin);
        if (IsUsableStoredRect(rect))
            placement.rect = rect;
    }
    return placement;
}

void SaveSkinPlacement(bool maximized, const RasterRect* rect, bool skinMin)
{
    LRegKey key(SkinPlacementKey(), true);
    key.WriteBool("Maximized", maximized);
    if (rect != nullptr) {
        key.WriteInt("Left", rect->left);
        key.WriteInt("Top", rect->top);
        key.WriteInt("Right", rect->right);
        key.WriteInt("Bottom", rect->bottom);
    }
    key.WriteBool("SkinMin", skinMin);
}

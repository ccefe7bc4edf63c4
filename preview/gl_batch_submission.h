#pragma once
// Hands recorded batches to OpenGL: one client-array draw per batch, in the order recorded,
// each after binding its texture kind. The current context must be the preview's.

#include <cstdint>
#include <functional>
#include <span>

#include "preview/render_batch.h"

using BindTextureKind = std::function<void(int32_t kind)>;

void SubmitRenderBatches(std::span<const RenderBatch> batches, const BindTextureKind& bindTexture);

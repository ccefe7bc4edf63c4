// ReadBlob: counted bytes from an archive into a counted block of their own.
#pragma once

#include "foundation/archives/archive_base.h"
#include "foundation/strings/xa_block.h"

// The block holds the bytes and keeps their number as its element count; an empty count, a
// negative one or any error leaves it null. The writer's side is LArchiveBase::WriteCounted.
void ReadBlob(XABlock& block, LArchiveBase& archive);

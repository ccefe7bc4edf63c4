#include "foundation/archives/read_blob.h"

void ReadBlob(XABlock& block, LArchiveBase& archive)
{
    const int32_t n = archive.ReadCount();
    block.Clear();
    if (n < 0)
        archive.ReadCountMinMax(nullptr, n, 0, 0, false);
    if (archive.HasError() || n <= 0 || !archive.HasBytes(n))
        return;
    void* data = block.Alloc(static_cast<size_t>(n), nullptr, n);
    if (!data) {
        archive.Status().SetError(kArchiveOutOfMemoryText, 0);
        return;
    }
    archive.ReadBlock(data, n, n);
    if (archive.HasError())
        block.Clear();
}

#include "preview/posted_frames.h"

#include "foundation/tasks/l_mutex.h"

void LPostedFrames::DropAll()
{
    const LMutexLocker lock(GlobalMutex);
    waiting_.reset();
    current_.reset();
    newFrame_ = false;
}

bool LPostedFrames::HasCurrent() const
{
    const LMutexLocker lock(GlobalMutex);
    return current_.has_value();
}

#include "preview/posted_frames.h"

#include "foundation/tasks/l_mutex.h"

void LPostedFrames::DropAll()
{
    const LMutexLocker lock(GlobalMutex);
    waiting_.reset();
    current_.reset();
    newFrame_ = false;
}

void LPostedFrames::Clear()
{
    const LMutexLocker lock(GlobalMutex);
    waiting_.reset();
    newFrame_ = true;
}

void LPostedFrames::TakeOver()
{
    const LMutexLocker lock(GlobalMutex);
    if (!newFrame_)
        return;
    current_ = std::move(waiting_);
    waiting_.reset();
    newFrame_ = false;
}

bool LPostedFrames::HasCurrent() const
{
    const LMutexLocker lock(GlobalMutex);
    return current_.has_value();
}

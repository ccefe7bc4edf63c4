#include "messaging/value_msg.h"

void LValueMsg::SetResult(const CError& result, int32_t errorPos)
{
    if (IsDone())
        return;
    const bool failed = result.Failed();
    if (result.State() == CError::kStateOk)
        return;
    const bool recordable =
        result_.State() == CError::kStateOk || (result_.State() == CError::kStateWarning && failed);
    if (recordable) {
        result_ = result;
        errorPos_ = errorPos;
    }
    if (failed)
        SetDone();
}

void LValueMsg::SetError(const XAString& text, int32_t errorPos)
{
    SetResult(MakeCErrorFromText(text, 0), errorPos);
}

#include "controls/l_bound_reference.h"

#include "messaging/value_handler.h"

void LBoundReference::Attach(const XAString& name, LMsgRegistryNode* context)
{
    ref_.Attach(this, name, context);
}

const LValue& LBoundReference::Value()
{
    return *ref_.GetHandler()->GetCurrentValue();
}

bool LBoundReference::IsAtDefault()
{
    const LValue& value = Value();
    return !value.IsDefaultMarked() || value.IsAtDefault(LValue::kItemValue);
}

bool LBoundReference::IsNumeric()
{
    const int32_t type = Value().ItemType(LValue::kItemValue);
    return type == kItemTypeInteger || type == kItemTypeReal;
}

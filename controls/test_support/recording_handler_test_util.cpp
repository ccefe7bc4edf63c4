#include "controls/test_support/recording_handler_test_util.h"

std::string DescribeModify(const std::string& name, LValueModifyMsg& msg)
{
    char code[16];
    std::snprintf(code, sizeof code, "%X", msg.flags);
    std::string line = name + " ";
    switch (msg.type) {
    case LValueModifyMsg::kTypeStepBy: {
        char steps[32];
        std::snprintf(steps, sizeof steps, "%+.2f", msg.pairSecond / 65536.0);
        return line + "step " + code + " " + steps;
    }
    case LValueModifyMsg::kTypeStepUp:
        return line + "advance " + code;
    case LValueModifyMsg::kTypeReset:
        return line + "reset " + code;
    case LValueModifyMsg::kTypeString:
        return line + "text " + code + " " + msg.GetStringA().CStr();
    case LValueModifyMsg::kTypeInt:
        return line + "int " + code + " " + std::to_string(msg.intValue);
    case LValueModifyMsg::kTypeDouble: {
        char real[32];
        std::snprintf(real, sizeof real, "%g", msg.realValue);
        return line + "double " + code + " " + real;
    }
    default:
        return line + "type " + std::to_string(msg.type) + " " + code;
    }
}

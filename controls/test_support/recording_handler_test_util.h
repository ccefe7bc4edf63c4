// Real value handlers that also write down every modify message they receive, in a shared log,
// so that tests can check what a control sent (kind, code, payload) and what the value became.
#pragma once

#include "messaging/value_double_fmt1.h"
#include "messaging/value_handler_t.h"
#include "messaging/value_int.h"
#include "messaging/value_modify_msg.h"
#include "messaging/value_string.h"

#include <cstdio>
#include <string>
#include <vector>

struct SentLog
{
    std::vector<std::string> lines;

    std::string Take()
    {
        std::string all;
        for (const std::string& line : lines)
            all += (all.empty() ? "" : " | ") + line;
        lines.clear();
        return all;
    }
};

// "<name> step 10309 +100.00" (the accumulator in units: / 65536), "advance",
// "reset", "text", "int", "double", each with the code in hexadecimal.
std::string DescribeModify(const std::string& name, LValueModifyMsg& msg);

template <class V> class RecordingHandler : public LValueHandlerT<V>
{
  public:
    RecordingHandler(const std::string& name, const V& value, SentLog& log)
        : LValueHandlerT<V>(value), name_(name), log_(log)
    {
    }

    bool Receive(LMsg& msg) override
    {
        if (auto* modify = dynamic_cast<LValueModifyMsg*>(&msg);
            modify && modify->type != LValueModifyMsg::kTypeQuery)
            log_.lines.push_back(DescribeModify(name_, *modify));
        return LValueHandlerT<V>::Receive(msg);
    }

  private:
    std::string name_;
    SentLog& log_;
};

using RecordingIntHandler = RecordingHandler<LValueInt>;
using RecordingRealHandler = RecordingHandler<LValueDoubleFmt1>;
using RecordingTextHandler = RecordingHandler<LValueString>;

#pragma once
// LValue: one parameter's data, addressed as numbered items (the value, its default, limits,
// step sizes and two switches). Values are read through the typed getters and changed only by
// modify messages, which the value decodes here once for all classes: each message is turned
// into one of the four set operations of the class, which stores, checks and writes its result
// into the message.

#include <cstdint>

#include "messaging/msg_receiver.h"
#include "messaging/value_modify_msg.h"
#include "messaging/value_modify_msg_decoder.h"
#include "foundation/strings/xa_string.h"
#include "foundation/strings/xw_string.h"

class LMsg;

// Data types of items (ItemType); any other number means the item holds no data.
enum LValueItemType : int32_t {
    kItemTypeInteger = 1,
    kItemTypeReal = 2,
    kItemTypeTextA = 5,
    kItemTypeTextW = 6,
};

class LValue : public LMsgReceiverInterface, public LValueModifyMsgDecoder
{
  public:
    // Items (the item numbers of modify messages and getters).
    static constexpr int32_t kItemValue = LValueModifyMsg::kItemValue;
    static constexpr int32_t kItemDefault = LValueModifyMsg::kItemDefault;
    static constexpr int32_t kItemMinimum = LValueModifyMsg::kItemMinimum;
    static constexpr int32_t kItemMaximum = LValueModifyMsg::kItemMaximum; // texts: maximum length
    static constexpr int32_t kItemStep = LValueModifyMsg::kItemStep;
    static constexpr int32_t kItemFineStep = LValueModifyMsg::kItemFineStep;
    static constexpr int32_t kItemDefaultMark = LValueModifyMsg::kItemDefaultMark;
    static constexpr int32_t kItemEnabled = LValueModifyMsg::kItemEnabled;

    LValue() = default;
    LValue(const LValue&) = default;
    LValue& operator=(const LValue&) = default;
    ~LValue() override = default;

    // Hands the message to the modify decoder.
    bool Receive(LMsg& msg) override;

    virtual int32_t ItemType(int32_t item) const = 0;
    // The item's place in [low, high] relative to the value's limits.
    virtual bool GetMapped(int32_t& out, int32_t low, int32_t high, int32_t item) const;
    virtual bool GetFormattedW(XWString& out, int32_t intDigits, int32_t fracDigits, int32_t width,
                               int32_t item) const;
    virtual bool GetFormattedA(XAString& out, int32_t intDigits, int32_t fracDigits, int32_t width,
                               int32_t item) const;
    // GetTextA converted to 16 bits.
    virtual bool GetTextW(XWString& out, int32_t item) const;
    virtual bool GetTextA(XAString& out, int32_t item) const;
    virtual bool GetDouble(double& out, int32_t item) const;
    // GetDouble narrowed to 32 bits.
    virtual bool GetFloat(float& out, int32_t item) const;
    virtual bool GetInt(int32_t& out, int32_t item) const;
    // GetInt not zero.
    virtual bool GetBool(bool& out, int32_t item) const;
    virtual bool IsDefaultMarked() const;
    // False unless the default is marked; then whether the value equals the default, compared
    // by the data type of the given item.
    virtual bool IsAtDefault(int32_t item) const;
    // False only when the enabled switch can be read and is off.
    virtual bool IsEnabled() const;

    // Store, check and answer; nothing in LValue, each class serves the items it has.
    virtual void SetFromInt(LValueModifyMsg& msg, int32_t value);
    virtual void SetFromDouble(LValueModifyMsg& msg, double value);
    virtual void SetFromTextA(LValueModifyMsg& msg, const XAString& text);
    virtual void SetFromTextW(LValueModifyMsg& msg, const XWString& text);

    // The item through its getter: false, 0 or 0.0 when it cannot be read.
    bool GetBool(int32_t item) const;
    int32_t GetInt(int32_t item) const;
    double GetDouble(int32_t item) const;
    XAString GetString(int32_t item) const;
    bool IsNumericItem(int32_t item) const;

  protected:
    // The modify decoder's type slots, once for every value class.
    void SetBool(LValueModifyMsg& msg) override;
    void SetInt(LValueModifyMsg& msg) override;
    void SetDouble(LValueModifyMsg& msg) override;
    void SetString(LValueModifyMsg& msg) override;
    void SetFromRange(LValueModifyMsg& msg) override;
    void StepBy(LValueModifyMsg& msg) override;
    void StepUp(LValueModifyMsg& msg) override;
    void Reset(LValueModifyMsg& msg) override;

  private:
    // A number to the item, as its data type takes it.
    void SetFromNumber(LValueModifyMsg& msg, int32_t integer, double real, bool isReal);
    void SetFromParsedText(LValueModifyMsg& msg, int32_t type);
    void StepInteger(LValueModifyMsg& msg, double step);
    void StepReal(LValueModifyMsg& msg, double step);
};

#pragma once
// LValueTxGuard: one level of a value transaction, as a stack object. The level opens with Begin
// and closes with End, or when the guard goes out of scope, also by an exception.

class LValueHandler;
class LValueMsg;
class LValueTx;

class LValueTxGuard
{
  public:
    // On the handler's transaction; the global one without a handler.
    LValueTxGuard(LValueHandler* handler, LValueMsg& msg);
    LValueTxGuard(const LValueTxGuard&) = delete;
    LValueTxGuard& operator=(const LValueTxGuard&) = delete;
    ~LValueTxGuard();

    // False when begun already or refused by the transaction.
    bool Begin();
    bool End();

    // Whether this level opened the handler's part in the transaction.
    bool IsFirst() const { return first_; }

  private:
    LValueHandler* handler_;
    LValueMsg& msg_;
    LValueTx& tx_;
    bool begun_ = false;
    bool first_ = false;
};

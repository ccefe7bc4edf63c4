#pragma once
// LRegisterValueDependantsMsgDecoder: takes register-dependants messages of exactly that class
// (a registry node implements OnRegister).

class LMsg;
class LRegisterValueDependantsMsg;

class LRegisterValueDependantsMsgDecoder
{
  public:
    virtual ~LRegisterValueDependantsMsgDecoder() = default;

    // Calls OnRegister and answers true; false for any other class.
    virtual bool Receive(LMsg& msg);
    virtual void OnRegister(LRegisterValueDependantsMsg& msg) = 0;
};

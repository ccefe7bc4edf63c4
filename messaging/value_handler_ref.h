#pragma once
// LValueHandlerRef: what the three handler references share. A reference names a handler by
// its registry key, asks the node of that key who handles it, and from then on talks to the
// handler directly. GetHandler always yields a handler to read from: the fallback handler when
// none can be found.

class LValueHandler;

class LValueHandlerRef
{
  public:
    virtual ~LValueHandlerRef() = default;

    // True when the handler is known or could be found.
    virtual bool Connect() = 0;
    // Connects when no handler is known yet.
    LValueHandler* GetHandler();
    // The handler found; null when none is known.
    LValueHandler* KnownHandler() const { return handler_; }

  protected:
    void SetHandler(LValueHandler* handler) { handler_ = handler; }

  private:
    LValueHandler* handler_ = nullptr;
};

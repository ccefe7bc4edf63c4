// The window behind a modeless message box, and the toolkit service that makes it and pumps the
// thread's messages while a caller computes. The deliverable puts the toolkit's service in place
// at start-up; without one (tests, no display) no box can be shown and pumping does nothing.
//
// Ownership: the toolkit owns the window; the sink hears when it is gone (also when the toolkit
// destroys it on its own) and never touches it afterwards.
//
// GUI thread only.
#pragma once

#include "controls/modeless_box_layout.h"

#include <cstdint>
#include <memory>
#include <string>

// The system's icon ids a box may ask for.
constexpr int32_t kHandIcon = 32513;
constexpr int32_t kQuestionIcon = 32514;
constexpr int32_t kExclamationIcon = 32515;
constexpr int32_t kAsteriskIcon = 32516;

struct ModelessBoxSpec
{
    std::string title;
    std::string text;
    ModelessBoxLabels labels; // empty: no button
    int32_t iconId = 0;       // a system icon id; one the toolkit lacks shows none
    bool closeBox = false;    // with a cancel button only
    ModelessBoxLayout layout; // client pixels
};

class ModelessBoxSink
{
  public:
    // Button 0, 1 or 2 pressed; -1 for Escape or the close box.
    virtual void OnBoxButton(int32_t index) = 0;
    virtual void OnBoxWindowGone() = 0;

  protected:
    ~ModelessBoxSink() = default;
};

class ModelessBoxWindow
{
  public:
    virtual ~ModelessBoxWindow() = default;
    // Closes the window; the sink hears OnBoxWindowGone before this returns.
    virtual void DestroyBox() = 0;
    // Disables or enables the box's owner (its parent, else the application's top window),
    // keeping the box itself enabled; false when it has none.
    virtual bool EnableOwner(bool enable) = 0;
};

class ModelessBoxService
{
  public:
    virtual ~ModelessBoxService() = default;
    // A shown box centred on its owner; null when it cannot be made.
    virtual ModelessBoxWindow* Create(const ModelessBoxSpec& spec, ModelessBoxSink& sink) = 0;
    // Handles the waiting events: user interface and input ones only, or with allWindows every
    // kind. False, handling nothing, once the application was asked to end.
    virtual bool PumpMessages(bool allWindows) = 0;
};

// The service in place; null when none is.
ModelessBoxService* CurrentModelessBoxService();
// Puts `service` in place and returns the one before; the caller keeps it alive meanwhile.
ModelessBoxService* SetModelessBoxService(ModelessBoxService* service);

class ScopedModelessBoxService
{
  public:
    explicit ScopedModelessBoxService(ModelessBoxService& service) : previous_(SetModelessBoxService(&service)) {}
    ~ScopedModelessBoxService() { SetModelessBoxService(previous_); }
    ScopedModelessBoxService(const ScopedModelessBoxService&) = delete;
    ScopedModelessBoxService& operator=(const ScopedModelessBoxService&) = delete;

  private:
    ModelessBoxService* previous_;
};

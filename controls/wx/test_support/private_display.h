// A display of the test's own: an Xvfb server found by -displayfd, with openbox managing its
// windows (focus and activation need a window manager), both ended when it goes. DISPLAY,
// GDK_BACKEND and GTK_THEME are set for the toolkit that starts after it.
#pragma once

#include <string>
#include <sys/types.h>

class PrivateDisplay
{
  public:
    PrivateDisplay();
    ~PrivateDisplay();
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    bool Running() const { return !name_.empty(); }
    const std::string& Name() const { return name_; }

  private:
    pid_t server_ = -1;
    pid_t manager_ = -1;
    std::string name_;
};

// Runs xdotool with the arguments on the private display; true when it succeeded.
bool XdoTool(const std::string& arguments);

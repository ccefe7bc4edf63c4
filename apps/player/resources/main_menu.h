// Menu resource 128: the player's main menu.
#pragma once

#include "platform/ui_menu.h"

const UiMenu& MainMenuResource();

// The resources compiled into the player and the control: menus, strings, icons and pictures,
// installed with platform/resources.h at start.
#pragma once

#include "platform/resources.h"

const ResourceTables& PlayerResourceTables();

// The player's resources: its two dialog templates, the pop-up menu, the icon and the string
// table, as the framework loads them by id.
#pragma once

#include "platform/ui/Resources.h"

extern const ResourceSet kPlayerResources;

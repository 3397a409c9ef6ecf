// The player's icon: a 32 x 32 and a 16 x 16 image in 16 colours.
#pragma once

#include "platform/ui/IconResource.h"

extern const IconResource kPlayerIcon;

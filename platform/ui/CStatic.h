// A static text or icon.
#pragma once

#include "platform/ui/CWnd.h"

class CStatic : public CWnd {};

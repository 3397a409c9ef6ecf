// A push button or a group box; its caption marks a mnemonic with '&'.
#pragma once

#include "platform/ui/CWnd.h"

class CButton : public CWnd {};

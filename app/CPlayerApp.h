// The player's application object: its InitInstance runs the whole program, start-up, the
// player window and shutdown, and returns FALSE so that no other message loop runs.
#pragma once

#include "platform/ui/CWinApp.h"

class CPlayerApp final : public CWinApp {
public:
    CPlayerApp();
    ~CPlayerApp() override = default;

    DECLARE_MESSAGE_MAP()

    BOOL InitInstance() override;
};

extern CPlayerApp theApp;

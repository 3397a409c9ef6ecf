// The application object. The program defines exactly one instance of a class derived from
// CWinApp; AfxWinMain hands control to its InitInstance once.
#pragma once

#include <string>

#include "platform/ui/Afx.h"

class CWnd;

class CWinApp {
public:
    // `appName` null: the name is the executable's file name without folder and extension.
    explicit CWinApp(const char* appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Runs the application. Returning FALSE ends the process without a message loop.
    virtual BOOL InitInstance() { return FALSE; }
    // Runs after InitInstance; its result is the process exit status.
    virtual int ExitInstance() { return 0; }

    // Gives dialogs the three-dimensional control look; Qt's styles already draw them so.
    BOOL Enable3dControls() { return TRUE; }

    // The window that owns message boxes and receives the Help command; null when none.
    CWnd* m_pMainWnd = nullptr;
    std::string m_strAppName;
    std::string m_strExePath;  // full path of the executable
};

CWinApp* AfxGetApp();

// The process entry: builds the window system's application, derives the application's
// name from the executable, installs the desktop's UiService unless one is installed
// already (tests install a scripted one), and runs the application object.
int AfxWinMain(int argc, char** argv);

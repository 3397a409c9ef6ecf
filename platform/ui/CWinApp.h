// The application object. The program defines exactly one instance of a class derived from
// CWinApp; AfxWinMain hands control to its InitInstance once.
#pragma once

#include <string>

#include "platform/ui/Afx.h"
#include "platform/ui/CCmdTarget.h"

class CWnd;

class CWinApp : public CCmdTarget {
public:
    // `appName` null: the name is the executable's file name without folder and extension.
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;

    // Runs the application. Returning FALSE ends the process without a message loop.
    virtual BOOL InitInstance() { return FALSE; }
    // Runs after InitInstance; its result is the process exit status.
    virtual int ExitInstance() { return 0; }

    // Gives dialogs the three-dimensional control look; Qt's styles already draw them so.
    BOOL Enable3dControls() { return TRUE; }

    // The default Help handler: asks the help engine for the context of the dialog that
    // holds the focus (HID_BASE_RESOURCE plus its template id) in GetHelpFilePath()'s file,
    // and says so in a box when the engine cannot start. Applications route ID_HELP here.
    void OnHelp();
    // The executable's path with its extension replaced by ".HLP" (appended when it has none).
    std::string GetHelpFilePath() const;

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

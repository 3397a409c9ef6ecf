#include "platform/ui/CWinApp.h"

#include <QApplication>
#include <QFileInfo>
#include <cassert>
#include <cstdio>

#include "platform/ui/CDialog.h"
#include "platform/ui/QtUiService.h"

namespace {
CWinApp* g_app = nullptr;

// The name the framework gives the application: the executable's file name without its
// folder and its last extension.
std::string NameFromPath(const QString& path) {
    return QFileInfo(path).completeBaseName().toStdString();
}
}  // namespace

CWinApp::CWinApp(const char* appName) {
    assert(g_app == nullptr && "only one application object may exist");
    g_app = this;
    if (appName != nullptr) {
        m_strAppName = appName;
    }
}

CWinApp::~CWinApp() {
    g_app = nullptr;
}

CWinApp* AfxGetApp() {
    return g_app;
}

std::string CWinApp::GetHelpFilePath() const {
    std::string path = m_strExePath;
    const std::size_t name = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    const std::size_t nameStart = name == std::string::npos ? 0 : name + 1;
    // A dot that starts the file name does not start an extension.
    if (dot != std::string::npos && dot > nameStart) {
        path.erase(dot);
    }
    return path + ".HLP";
}

void CWinApp::OnHelp() {
    const CDialog* dialog = CDialog::GetFocusDialog();
    const unsigned long context =
        dialog != nullptr ? HID_BASE_RESOURCE + dialog->GetTemplateID() : 0;
    if (!AfxGetUiService().ShowHelp(GetHelpFilePath(), context)) {
        AfxMessageBox("Failed to launch help.", MB_OK | MB_ICONEXCLAMATION);
    }
}

namespace {
// Qt aborts the process when it finds no window system; say so plainly instead.
bool HasWindowSystem() {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}
}  // namespace

int AfxWinMain(int argc, char** argv) {
    if (!HasWindowSystem()) {
        std::fprintf(stderr, "%s: no display to show the window on (DISPLAY is not set)\n",
                     argc > 0 ? argv[0] : "marivenn");
        return 1;
    }
    QApplication qapp(argc, argv);
    CWinApp* app = AfxGetApp();
    assert(app != nullptr && "the program defines no application object");

    // The name the program was started under; a copy or link of the executable under
    // another name titles its boxes with that name.
    const QString invoked = argc > 0 && argv[0][0] != '\0'
                                ? QString::fromLocal8Bit(argv[0])
                                : QCoreApplication::applicationFilePath();
    if (app->m_strAppName.empty()) {
        app->m_strAppName = NameFromPath(invoked);
    }
    app->m_strExePath = QFileInfo(invoked).absoluteFilePath().toStdString();
    AfxSetAppName(app->m_strAppName);

    QtUiService desktop;
    if (!AfxHasUiService()) {
        AfxSetUiService(&desktop);
    }

    if (app->InitInstance()) {
        QApplication::exec();
    }
    const int status = app->ExitInstance();
    if (&AfxGetUiService() == &desktop) {
        AfxSetUiService(nullptr);
    }
    return status;
}

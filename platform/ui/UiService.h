// The one seam between the player and the desktop's modal services: message boxes, file
// dialogs and the help engine. A real run installs the Qt implementation; tests install a
// scripted one that answers from a list and logs what was asked.
#pragma once

#include <optional>
#include <string>

#include "platform/ui/Afx.h"

struct FileDialogRequest {
    bool bOpen = true;             // Open dialog when true, Save As otherwise
    std::string defaultExtension;  // appended to a typed name without extension
    std::string proposedName;      // file name shown in the name field
    UINT flags = 0;                // OFN_ flags
    std::string filter;            // bar-separated "Description|pattern|...||"
};

class UiService {
public:
    virtual ~UiService() = default;

    // Shows a modal box with an OK button and the icon of `style`; returns IDOK.
    virtual int MessageBox(const std::string& title, const std::string& text, UINT style) = 0;

    // Runs a modal file dialog; the confirmed full path, or nothing on Cancel.
    virtual std::optional<std::string> FileDialog(const FileDialogRequest& request) = 0;

    // Asks the help engine to show `context` of `helpFile`; false when it cannot start.
    virtual bool ShowHelp(const std::string& helpFile, unsigned long context) = 0;
};

// The installed service. Installing replaces the previous one without taking ownership.
UiService& AfxGetUiService();
void AfxSetUiService(UiService* service);
bool AfxHasUiService();

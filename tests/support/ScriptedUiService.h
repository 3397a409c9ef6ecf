// The desktop-services seam for tests: logs every message box, file dialog and help request
// and answers them from a script instead of waiting for a user.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/UiService.h"

struct LoggedBox {
    std::string title;
    std::string text;
    UINT style = 0;
    bool operator==(const LoggedBox&) const = default;
};

struct LoggedHelp {
    std::string helpFile;
    unsigned long context = 0;
    bool operator==(const LoggedHelp&) const = default;
};

class ScriptedUiService final : public UiService {
public:
    // Installs itself as the process's service for its lifetime.
    ScriptedUiService();
    ~ScriptedUiService() override;

    std::vector<LoggedBox> boxes;
    std::vector<FileDialogRequest> fileDialogs;
    std::vector<LoggedHelp> helpRequests;

    // Answers for the coming file dialogs, first to last; a path confirms, nothing cancels.
    // With none left, a dialog is cancelled.
    std::deque<std::optional<std::string>> fileAnswers;
    // What ShowHelp answers.
    bool helpStarts = true;
    // Runs inside each message box, while it would be on screen.
    std::function<void(const LoggedBox&)> onBox;

    int MessageBox(const std::string& title, const std::string& text, UINT style) override;
    std::optional<std::string> FileDialog(const FileDialogRequest& request) override;
    bool ShowHelp(const std::string& helpFile, unsigned long context) override;
};

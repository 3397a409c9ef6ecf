#include "tests/support/ScriptedUiService.h"

ScriptedUiService::ScriptedUiService() {
    AfxSetUiService(this);
}
ScriptedUiService::~ScriptedUiService() {
    AfxSetUiService(nullptr);
}

int ScriptedUiService::MessageBox(const std::string& title, const std::string& text, UINT style) {
    boxes.push_back({title, text, style});
    if (onBox) {
        onBox(boxes.back());
    }
    return IDOK;
}

std::optional<std::string> ScriptedUiService::FileDialog(const FileDialogRequest& request) {
    fileDialogs.push_back(request);
    if (fileAnswers.empty()) {
        return std::nullopt;
    }
    std::optional<std::string> answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

bool ScriptedUiService::ShowHelp(const std::string& helpFile, unsigned long context) {
    helpRequests.push_back({helpFile, context});
    return helpStarts;
}

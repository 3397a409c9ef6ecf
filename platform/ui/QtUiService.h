// The desktop's modal services on Qt: QMessageBox, QFileDialog and the help engine.
#pragma once

#include <QStringList>

#include "platform/ui/UiService.h"

class QtUiService final : public UiService {
public:
    int MessageBox(const std::string& title, const std::string& text, UINT style) override;
    std::optional<std::string> FileDialog(const FileDialogRequest& request) override;
    bool ShowHelp(const std::string& helpFile, unsigned long context) override;
};

// Qt name filters for a bar-separated filter, "Description|pattern;pattern|...||".
QStringList QtNameFilters(const std::string& filter);

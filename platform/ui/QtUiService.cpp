#include "platform/ui/QtUiService.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace {
// Boxes belong to the window the user works in: the dialog that runs modally, else the
// active window. Without one (during start-up) the box stands alone.
QWidget* Owner() {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    return QApplication::activeWindow();
}

QMessageBox::Icon IconOf(UINT style) {
    switch (style & MB_ICONMASK) {
        case MB_ICONSTOP:
            return QMessageBox::Critical;
        case MB_ICONEXCLAMATION:
            return QMessageBox::Warning;
        default:
            return QMessageBox::NoIcon;
    }
}
}  // namespace

int QtUiService::MessageBox(const std::string& title, const std::string& text, UINT style) {
    QMessageBox box(IconOf(style), QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::Ok, Owner());
    box.exec();
    return IDOK;
}

std::optional<std::string> QtUiService::FileDialog(const FileDialogRequest&) {
    // FIXME: file dialogs arrive with the Save and Open commands.
    return std::nullopt;
}

bool QtUiService::ShowHelp(const std::string&, unsigned long) {
    // FIXME: the help engine arrives with the Help command.
    return false;
}

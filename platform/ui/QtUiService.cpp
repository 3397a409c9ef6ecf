#include "platform/ui/QtUiService.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <QUrl>
#include <QWidget>

#include "platform/ui/CFileDialog.h"
#include "platform/ui/HelpDocument.h"

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

std::optional<std::string> QtUiService::FileDialog(const FileDialogRequest& request) {
    QFileDialog dialog(Owner());
    dialog.setAcceptMode(request.bOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.bOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // Qt's own dialog behaves the same on every desktop and under test drivers.
    QFileDialog::Options options = QFileDialog::DontUseNativeDialog;
    if ((request.flags & OFN_OVERWRITEPROMPT) == 0) {
        options |= QFileDialog::DontConfirmOverwrite;
    }
    options |= QFileDialog::HideNameFilterDetails;
    dialog.setOptions(options);
    const QStringList filters = QtNameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
    }
    if (!request.defaultExtension.empty()) {
        dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    }
    if (!request.proposedName.empty()) {
        dialog.selectFile(QString::fromStdString(request.proposedName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst().toStdString();
}

bool QtUiService::ShowHelp(const std::string& helpFile, unsigned long context) {
    const std::optional<std::string> page = FindHelpDocument(helpFile);
    if (!page) {
        return false;
    }
    QUrl url = QUrl::fromLocalFile(QString::fromStdString(*page));
    url.setFragment(QString::fromStdString(HelpAnchor(context)));
    return QDesktopServices::openUrl(url);
}

QStringList QtNameFilters(const std::string& filter) {
    // "Description|pattern|...||": pairs of fields, ended by an empty field.
    QStringList fields = QString::fromStdString(filter).split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
        if (fields[i].isEmpty()) {
            break;
        }
        QStringList patterns = fields[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            // "*.*" means every file; on this system it would hide names without a dot.
            if (pattern.trimmed() == u"*.*") {
                pattern = QStringLiteral("*");
            }
        }
        // Qt reads the patterns from the last parentheses and, with the details hidden,
        // shows the description as it stands.
        filters << fields[i] + QStringLiteral(" (") + patterns.join(u' ') + QLatin1Char(')');
    }
    return filters;
}

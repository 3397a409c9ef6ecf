// Conversions between the framework's values and Qt's: texts and icon handles.
#pragma once

#include <QIcon>
#include <QString>
#include <string>

#include "platform/ui/CWnd.h"

// The Qt side of an icon handle.
struct IconHandle {
    QIcon icon;
};

// Texts cross into Qt as UTF-8 where they are valid UTF-8, else as Latin-1 bytes (titles in
// an archive may come from an 8-bit code page).
QString ToQt(const std::string& text);
std::string FromQt(const QString& text);

// A static text's caption as shown: without SS_NOPREFIX "&&" is a literal '&' and a single
// '&' marks a mnemonic, which a static does not underline.
QString StaticCaption(const std::string& text, DWORD dwStyle);

QIcon IconOf(HICON hIcon);

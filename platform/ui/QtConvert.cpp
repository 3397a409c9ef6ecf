#include "platform/ui/QtConvert.h"

#include <QStringDecoder>

QString ToQt(const std::string& text) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    if (utf8.hasError()) {
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    }
    return decoded;
}

std::string FromQt(const QString& text) {
    return text.toStdString();
}

QString StaticCaption(const std::string& text, DWORD dwStyle) {
    const QString caption = ToQt(text);
    if ((dwStyle & SS_NOPREFIX) != 0) {
        return caption;
    }
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size()) {
            ++i;
        }
        shown += caption[i];
    }
    return shown;
}

QIcon IconOf(HICON hIcon) {
    return hIcon != nullptr ? hIcon->icon : QIcon();
}

// Writes the player's icon into an icon-theme folder: OUTPUT/<n>x<n>/apps/marivenn.png.
#include <cstdio>

#include <QDir>
#include <QString>

#include "platform/ui/QtIcon.h"
#include "ui/PlayerIcon.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: marivenn-icon OUTPUT_FOLDER\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (const IconImage* image : {&kPlayerIcon.big, &kPlayerIcon.small}) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(image->nSize);
        const QString file = folder + QStringLiteral("/marivenn.png");
        if (!QDir().mkpath(folder) || !QtIconImage(kPlayerIcon, *image).save(file, "PNG")) {
            std::fprintf(stderr, "marivenn-icon: could not write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}

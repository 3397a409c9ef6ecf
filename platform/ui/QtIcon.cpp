#include "platform/ui/QtIcon.h"

#include <QPixmap>

QImage QtIconImage(const IconResource& icon, const IconImage& image) {
    QImage result(image.nSize, image.nSize, QImage::Format_ARGB32);
    result.fill(Qt::transparent);
    for (int y = 0; y < image.nSize; ++y) {
        const char* row = image.ppszRows[y];
        for (int x = 0; x < image.nSize && row[x] != '\0'; ++x) {
            const int index = IconPaletteIndex(row[x]);
            if (index >= 0) {
                result.setPixel(x, y, 0xFF000000u | icon.palette[index]);
            }
        }
    }
    return result;
}

QIcon QtIconOf(const IconResource& icon) {
    QIcon result;
    for (const IconImage* image : {&icon.big, &icon.small}) {
        if (image->nSize > 0) {
            result.addPixmap(QPixmap::fromImage(QtIconImage(icon, *image)));
        }
    }
    return result;
}

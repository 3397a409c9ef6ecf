#include "platform/ui/DialogUnits.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

namespace {
// The letters whose average width is the horizontal dialog base unit.
constexpr char kAverageLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kLetterCount = 52;
}  // namespace

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) {
        return -1;
    }
    const long long product = static_cast<long long>(number) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

QFont DialogFontOf(const DialogTemplate& tmpl) {
    const int points = tmpl.nPointSize > 0 ? tmpl.nPointSize : 8;
    if (tmpl.pszFont != nullptr) {
        QFont font(QString::fromLatin1(tmpl.pszFont), points);
        if (QFontInfo(font).family().compare(font.family(), Qt::CaseInsensitive) == 0) {
            return font;
        }
    }
    QFont sans = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    sans.setPointSize(points);
    return sans;
}

DialogUnits DialogUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(QString::fromLatin1(kAverageLetters));
    return {(width + kLetterCount / 2) / kLetterCount, metrics.height()};
}

QRect DialogRectToPixels(const DialogUnits& units, int x, int y, int cx, int cy) {
    return {MulDiv(x, units.baseX, 4), MulDiv(y, units.baseY, 8), MulDiv(cx, units.baseX, 4),
            MulDiv(cy, units.baseY, 8)};
}

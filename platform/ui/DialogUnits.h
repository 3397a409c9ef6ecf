// Dialog units: template coordinates scaled by the dialog font's average character size.
#pragma once

#include <QFont>
#include <QRect>

#include "platform/ui/Resources.h"

// number * numerator / denominator, rounded half away from zero; -1 for a zero denominator.
int MulDiv(int number, int numerator, int denominator);

// Dialog base units: the average width of the dialog font's letters and its height.
struct DialogUnits {
    int baseX = 0;
    int baseY = 0;
};
// The template's font, or the desktop's sans font at the template's size when the face is
// not installed.
QFont DialogFontOf(const DialogTemplate& tmpl);
DialogUnits DialogUnitsOf(const QFont& font);
// A rectangle of dialog units in pixels: x and width scale by baseX / 4, y and height by
// baseY / 8.
QRect DialogRectToPixels(const DialogUnits& units, int x, int y, int cx, int cy);

#include "widgets/style.h"

#include <QLocale>

namespace expans::ui {

QRect twipsRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

QFont sansFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QFont heavyItalicFont(int pixelSize) {
    QFont font = sansFont(pixelSize, true);
    font.setWeight(QFont::Black);
    font.setItalic(true);
    return font;
}

char decimalSeparator() {
    const QString point = QLocale().decimalPoint();
    return point == QStringLiteral(".") ? '.' : ',';
}

}  // namespace expans::ui

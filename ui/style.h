#pragma once

// What both windows share of their look: the twip grid the layout is designed in, the fonts
// that stand in for the designed ones, colours, and the bridge between core texts and Qt.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <string>

namespace expans::ui {

constexpr int kTwipsPerPixel = 15;  // at 96 dots per inch

constexpr int px(int twips) {
    return twips / kTwipsPerPixel;
}
QRect twipsRect(int left, int top, int width, int height);

// Sizes are set in pixels (8.25 pt at 96 dpi = 11 px) so the layout does not depend on the
// screen's reported resolution. Liberation Sans is metric-compatible with Arial and no wider
// than the designed sans serif, so no caption grows past its label.
QFont sansFont(int pixelSize = 11, bool bold = false);
QFont heavyItalicFont(int pixelSize);  // the web-address line

inline const QColor kLightYellow{0xFF, 0xFF, 0x80};
inline const QColor kPanelGrey{0xE0, 0xE0, 0xE0};
inline const QColor kAmber{0xFF, 0xBF, 0x00};

// The user's decimal separator (QLocale's default, which tests pin to Hungarian).
char decimalSeparator();

inline QString qs(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string ss(const QString& text) {
    return text.toStdString();
}

}  // namespace expans::ui

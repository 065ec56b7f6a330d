#pragma once

// What both windows share of their look: the twip grid the layout is designed in, the fonts
// that stand in for the designed ones, colours, and the bridge between core texts and Qt.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <string>

#include "io/utf8.h"

namespace expans::ui {

constexpr int kTwipsPerPixel = 15;  // at 96 dots per inch

constexpr int px(int twips) {
    return twips / kTwipsPerPixel;
}
QRect twipsRect(int left, int top, int width, int height);

// Sizes are set in pixels so the layout does not depend on the screen's reported resolution.
// Liberation Sans at 11 px (8.25 pt) runs wider than the designed face: "Hideg (feltöltési)
// hőmérséklet [°C]:" would wrap inside its label. One pixel smaller, every caption fits.
constexpr int kBodyPixels = 10;     // 8.25 pt captions, boxes and lists
constexpr int kHeadingPixels = 13;  // 9.75 pt
constexpr int kTotalPixels = 16;    // 12 pt
QFont sansFont(int pixelSize = kBodyPixels, bool bold = false);
QFont heavyItalicFont(int pixelSize);  // the web-address line

inline const QColor kLightYellow{0xFF, 0xFF, 0x80};
inline const QColor kOrange{0xFF, 0x80, 0x00};  // the main window's ground
inline const QColor kPanelGrey{0xE0, 0xE0, 0xE0};
inline const QColor kAmber{0xFF, 0xBF, 0x00};

// The user's decimal separator (QLocale's default, which tests pin to Hungarian).
char decimalSeparator();

inline QString qs(const std::string& text) {
    return textFromUtf8(text);
}
inline std::string ss(const QString& text) {
    return text.toStdString();
}

}  // namespace expans::ui

#pragma once

// The operating-state panel as designed: where its pictures, bars and captions stand, in twips of
// the panel's ground, and their colours. The main window lays the panel out from this table and
// the printed report draws the panel's upper part from it again.

#include <QColor>

namespace expans::ui::panelgeo {

struct TwipBox {
    int left;
    int top;
    int width;
    int height;
};

inline constexpr int kWidth = 5910;        // the panel's frame
inline constexpr int kHeight = 4140;       // with the sliders
inline constexpr int kUpperHeight = 2340;  // the gauge, the valve and the vessel
inline constexpr int kCornerRadius = 90;   // of the frame as the report draws it

inline constexpr TwipBox kGauge{225, 675, 1455, 1575};          // the dial; its needle inside
inline constexpr TwipBox kValveClosed{1710, 585, 1815, 1530};   // Picture5
inline constexpr TwipBox kValveBlowing{1710, 585, 1815, 1575};  // Picture6, behind it
inline constexpr TwipBox kVessel{3870, 225, 1815, 2100};        // the outline, over the bars
inline constexpr TwipBox kFluidBar{3960, 315, 1635, 1905};      // Shape1, stands still
inline constexpr TwipBox kGasBar{3960, 1530, 1635, 735};        // Shape2; top and height move

inline constexpr TwipBox kPressureCaption{45, 45, 1560, 255};  // "Rendszernyomás"
inline constexpr TwipBox kValveCaption{1665, 45, 1425, 255};   // "Biztonsági szelep"
inline constexpr TwipBox kVesselCaption{4095, 45, 1425, 255};  // "Membrán állapota"
inline constexpr TwipBox kPressureText{270, 315, 570, 285};    // Text10, the gauge pressure
inline constexpr TwipBox kPressureUnit{855, 315, 345, 255};    // "bar"
inline constexpr TwipBox kValveSetting{1590, 315, 1605, 255};  // "nyitó nyomása: pmax"

inline const QColor kFluidColour{0xFF, 0x00, 0x00};
inline const QColor kGasColour{0x00, 0xC0, 0xC0};
inline const QColor kNeedleColour{0xFF, 0x00, 0x00};
inline constexpr int kNeedlePixels = 2;  // pen width

}  // namespace expans::ui::panelgeo

#pragma once

// Small drawing widgets of the main window. Geometry that the operating-state panel moves at run
// time (the gas-cushion bar, the gauge needle) is kept in twips as single-precision numbers, the
// way the panel computes it, and drawn at that sub-pixel position.

#include <QColor>
#include <QPixmap>
#include <QScrollBar>
#include <QWidget>
#include <optional>

#include "widgets/pictures.h"

namespace expans::ui {

// A picture box's ground: a background colour (none: transparent) and a picture drawn unscaled
// from the top left corner, cut off at the right and bottom.
class PictureGround : public QWidget {
    Q_OBJECT
public:
    PictureGround(QWidget* parent, std::optional<Picture> picture, QColor background);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<Picture> m_picture;
    QColor m_background;
};

// A horizontal temperature slider on a flat ground. A new value repaints only where the handle
// was and where it is now: the groove and the arrows look the same at every value in between.
// A value at either end repaints the whole bar, as a style may draw the arrow there differently.
// It lays the ground's colour under the style's drawing, so nothing behind it needs repainting.
class TemperatureSlider : public QScrollBar {
    Q_OBJECT
public:
    TemperatureSlider(QWidget* parent, QColor ground);

protected:
    bool event(QEvent* event) override;
    void sliderChange(SliderChange change) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QRect handleRect() const;

    QColor m_ground;
    QRect m_handle;     // where the handle is drawn, or has been asked to be drawn
    int m_handleValue;  // the value it stands for
};

// A rounded rectangle with a thin black border. Its position is in twips of the parent.
// Smoothing the outline is what costs, and a bar repaints whenever a neighbour moves over it: a
// bar that stands still on a flat ground is drawn once into a see-through pixmap and copied from
// there, which gives the same pixels. A bar that moves is drawn directly, as it changes at every
// step anyway, and a copy laid over another bar's edge could differ there by one colour level.
class RoundedBar : public QWidget {
    Q_OBJECT
public:
    enum class Motion { StandsStill, Moves };
    RoundedBar(QWidget* parent, QColor fill, Motion motion);

    void setTwips(float left, float top, float width, float height);
    // Part of the run-time state. The panel sets the height first, then the top, both in one
    // call, so that a step asks for one repaint of the rows that changed.
    void setHeightTwips(float height);
    void setTopTwips(float top);
    void setHeightAndTopTwips(float height, float top);

    float leftTwips() const { return m_left; }
    float topTwips() const { return m_top; }
    float widthTwips() const { return m_width; }
    float heightTwips() const { return m_height; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF outline() const;
    static qreal radius(const QRectF& outline);
    QRect box() const;
    void place(const QRectF& before);
    void drawBar(QPainter& painter) const;

    QColor m_fill;
    bool m_standsStill;
    QPixmap m_drawn;  // a still bar as drawn, until it is placed anew
    float m_left = 0;
    float m_top = 0;
    float m_width = 0;
    float m_height = 0;
};

// A straight line between two points given in twips of the parent; it covers the parent and
// lets every mouse event through.
class TwipLine : public QWidget {
    Q_OBJECT
public:
    TwipLine(QWidget* parent, QColor colour, qreal penWidthPixels, bool smooth);

    // Repaints only the strip around the line where it was and where it is now.
    void setEnds(float x1, float y1, float x2, float y2);
    float x1() const { return m_x1; }
    float y1() const { return m_y1; }
    float x2() const { return m_x2; }
    float y2() const { return m_y2; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect bounds() const;

    QColor m_colour;
    qreal m_penWidth;
    bool m_smooth;
    float m_x1 = 0;
    float m_y1 = 0;
    float m_x2 = 0;
    float m_y2 = 0;
};

}  // namespace expans::ui

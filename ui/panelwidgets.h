#pragma once

// Small drawing widgets of the main window. Geometry that the operating-state panel moves at run
// time (the gas-cushion bar, the gauge needle) is kept in twips as single-precision numbers, the
// way the panel computes it, and drawn at that sub-pixel position.

#include <QColor>
#include <QPixmap>
#include <QWidget>
#include <optional>

#include "pictures.h"

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

// A rounded rectangle with a thin black border. Its position is in twips of the parent.
class RoundedBar : public QWidget {
    Q_OBJECT
public:
    RoundedBar(QWidget* parent, QColor fill);

    void setTwips(float left, float top, float width, float height);
    // Part of the run-time state: the bar's height first, then its top, as the panel sets them.
    void setHeightTwips(float height);
    void setTopTwips(float top);

    float leftTwips() const { return m_left; }
    float topTwips() const { return m_top; }
    float widthTwips() const { return m_width; }
    float heightTwips() const { return m_height; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void place();

    QColor m_fill;
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

    void setEnds(float x1, float y1, float x2, float y2);
    float x1() const { return m_x1; }
    float y1() const { return m_y1; }
    float x2() const { return m_x2; }
    float y2() const { return m_y2; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour;
    qreal m_penWidth;
    bool m_smooth;
    float m_x1 = 0;
    float m_y1 = 0;
    float m_x2 = 0;
    float m_y2 = 0;
};

}  // namespace expans::ui

#pragma once

// Building a window as designed, shared by both windows: each control's name and place in twips,
// plain grounds, stacking and the Tab key's order.

#include <QColor>
#include <QString>
#include <initializer_list>

class QWidget;

namespace expans::ui {

// The control's designed name (its objectName) and its place in twips of its parent's designed
// area, which starts `inset` pixels inside the parent (a panel's border).
void placeNamed(QWidget* widget, const QString& name, int left, int top, int width, int height,
                int inset = 0);

// A flat ground in the colour. With `boxes`, the widget's own text and list boxes fill with it
// too; without, its children keep their own.
void setGround(QWidget* widget, const QColor& colour, bool boxes = true);

// Controls listed front to back: the first one ends on top.
void stackFrontToBack(std::initializer_list<QWidget*> frontToBack);

// The Tab key goes through the controls in the order listed (Qt skips disabled and hidden ones).
void setTabChain(std::initializer_list<QWidget*> order);

}  // namespace expans::ui

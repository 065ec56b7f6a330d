#include "widgets/layout.h"

#include <QPalette>
#include <QWidget>
#include <vector>

#include "widgets/style.h"

namespace expans::ui {

void placeNamed(QWidget* widget, const QString& name, int left, int top, int width, int height,
                int inset) {
    widget->setObjectName(name);
    widget->setGeometry(twipsRect(left, top, width, height).translated(inset, inset));
}

void setGround(QWidget* widget, const QColor& colour, bool boxes) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    if (boxes) palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void stackFrontToBack(std::initializer_list<QWidget*> frontToBack) {
    std::vector<QWidget*> order(frontToBack);
    for (auto it = order.rbegin(); it != order.rend(); ++it) (*it)->raise();
}

void setTabChain(std::initializer_list<QWidget*> order) {
    QWidget* previous = nullptr;
    for (QWidget* widget : order) {
        if (previous) QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

}  // namespace expans::ui

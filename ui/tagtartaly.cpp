#include "tagtartaly.h"

#include <QLineEdit>

#include "rendszerterfogat.h"
#include "style.h"

namespace expans::ui {

Tagtartaly::Tagtartaly(QWidget* parent) : QWidget(parent) {
    setFixedSize(877, 527);
    Picture4 = new QWidget(this);
    Picture4->setObjectName(QStringLiteral("Picture4"));
    Picture4->hide();
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text11 = new QLineEdit(this);
    Text11->setObjectName(QStringLiteral("Text11"));
}

Tagtartaly::~Tagtartaly() = default;

void Tagtartaly::Form_Load() {
    m_volume = std::make_unique<Rendszerterfogat>(*this);
    m_volume->Form_Load();
}

void Tagtartaly::reactivate() {
    if (!isVisible()) return;
    activateWindow();
}

}  // namespace expans::ui

#include "rendszerterfogat.h"

#include <QCloseEvent>
#include <QPainter>

#include "tagtartaly.h"

namespace expans::ui {

Rendszerterfogat::Rendszerterfogat(Tagtartaly& main) : QWidget(nullptr), m_main(main) {
    setObjectName(QStringLiteral("Rendszerterfogat"));
}

Rendszerterfogat::~Rendszerterfogat() = default;

void Rendszerterfogat::Form_Load() {}
void Rendszerterfogat::showModeless() {
    show();
    raise();
    activateWindow();
}
void Rendszerterfogat::Command1_Click() {}
void Rendszerterfogat::Command2_Click() {
    hide();
    if (m_main.Picture4) m_main.Picture4->hide();
    m_main.setEnabled(true);
    m_main.reactivate();
}
void Rendszerterfogat::Combo1_Click() {}
void Rendszerterfogat::Combo2_Click() {}
void Rendszerterfogat::Combo3_Click() {}
void Rendszerterfogat::Combo4_Click() {}
void Rendszerterfogat::Combo5_Click() {}
void Rendszerterfogat::Combo6_Click() {}
void Rendszerterfogat::Combo7_Click() {}
void Rendszerterfogat::Combo8_Click() {}
void Rendszerterfogat::Combo9_Click() {}
void Rendszerterfogat::Text1_Change() {
    Command1_Click();
}
void Rendszerterfogat::Text2_Change() {
    Command1_Click();
}
void Rendszerterfogat::Text3_Change() {
    Command1_Click();
}
void Rendszerterfogat::Text4_Change() {
    Command1_Click();
}
void Rendszerterfogat::Text5_Change() {
    Command1_Click();
}
void Rendszerterfogat::Text6_Change() {
    Command1_Click();
}
void Rendszerterfogat::Text8_Change() {
    Command1_Click();
}
void Rendszerterfogat::Text9_Change() {
    Command1_Click();
}
void Rendszerterfogat::Text10_Change() {
    Command1_Click();
}
void Rendszerterfogat::Text12_Change() {
    Command1_Click();
}
void Rendszerterfogat::Text13_Change() {
    Command1_Click();
}
void Rendszerterfogat::Text14_Change() {
    Command1_Click();
}
void Rendszerterfogat::Text15_Change() {
    Command1_Click();
}
void Rendszerterfogat::Text16_Change() {
    Command1_Click();
}
void Rendszerterfogat::Text17_Change() {
    Command1_Click();
}
void Rendszerterfogat::Text18_Change() {
    Command1_Click();
}

void Rendszerterfogat::buildLayout() {}
void Rendszerterfogat::wireEvents() {}

void Rendszerterfogat::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
}

void Rendszerterfogat::closeEvent(QCloseEvent* event) {
    event->ignore();
    Command2_Click();
}

}  // namespace expans::ui

#include "windows/rendszerterfogat.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <utility>

#include "numtext.h"
#include "summation.h"
#include "widgets/messagebox.h"
#include "widgets/pictures.h"
#include "widgets/style.h"

namespace expans::ui {

namespace {

const QColor kWindowGreen{0x00, 0x80, 0x00};  // shows only where the background picture ends

constexpr std::size_t slot(VolumeList list) {
    return static_cast<std::size_t>(list);
}

}  // namespace

Rendszerterfogat::Rendszerterfogat(VolumeHost& host) : QWidget(nullptr), m_host(host) {
    setObjectName(QStringLiteral("Rendszerterfogat"));
    buildLayout();
    wireEvents();
}

Rendszerterfogat::~Rendszerterfogat() = default;

void Rendszerterfogat::wireEvents() {
    const std::pair<QLineEdit*, void (Rendszerterfogat::*)()> changes[] = {
        {Text1, &Rendszerterfogat::Text1_Change},   {Text2, &Rendszerterfogat::Text2_Change},
        {Text3, &Rendszerterfogat::Text3_Change},   {Text4, &Rendszerterfogat::Text4_Change},
        {Text5, &Rendszerterfogat::Text5_Change},   {Text6, &Rendszerterfogat::Text6_Change},
        {Text8, &Rendszerterfogat::Text8_Change},   {Text9, &Rendszerterfogat::Text9_Change},
        {Text10, &Rendszerterfogat::Text10_Change}, {Text12, &Rendszerterfogat::Text12_Change},
        {Text13, &Rendszerterfogat::Text13_Change}, {Text14, &Rendszerterfogat::Text14_Change},
        {Text15, &Rendszerterfogat::Text15_Change}, {Text16, &Rendszerterfogat::Text16_Change},
        {Text17, &Rendszerterfogat::Text17_Change}, {Text18, &Rendszerterfogat::Text18_Change},
    };
    for (const auto& [box, handler] : changes) {
        connect(box, &QLineEdit::textChanged, this, handler);
    }

    const std::pair<VolumeList, void (Rendszerterfogat::*)()> clicks[] = {
        {VolumeList::Combo1, &Rendszerterfogat::Combo1_Click},
        {VolumeList::Combo2, &Rendszerterfogat::Combo2_Click},
        {VolumeList::Combo3, &Rendszerterfogat::Combo3_Click},
        {VolumeList::Combo4, &Rendszerterfogat::Combo4_Click},
        {VolumeList::Combo5, &Rendszerterfogat::Combo5_Click},
        {VolumeList::Combo6, &Rendszerterfogat::Combo6_Click},
        {VolumeList::Combo7, &Rendszerterfogat::Combo7_Click},
        {VolumeList::Combo8, &Rendszerterfogat::Combo8_Click},
        {VolumeList::Combo9, &Rendszerterfogat::Combo9_Click},
    };
    for (const auto& [which, handler] : clicks) {
        QComboBox* combo = list(which);
        // A new index, whether picked or set from code, raises Click at once.
        connect(combo, &QComboBox::currentIndexChanged, this, [this, which, handler](int) {
            m_clickRanForChange[slot(which)] = true;
            (this->*handler)();
        });
        // Picking the entry that is already chosen raises Click as well; a pick that changed
        // the index has already run it above.
        connect(combo, &QComboBox::activated, this, [this, which, handler](int) {
            if (std::exchange(m_clickRanForChange[slot(which)], false)) return;
            (this->*handler)();
        });
    }

    connect(Command1, &QPushButton::clicked, this, &Rendszerterfogat::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Rendszerterfogat::Command2_Click);
}

void Rendszerterfogat::Form_Load() {
    m_host.hostWindow().setEnabled(false);
    const VolumeList loadOrder[] = {VolumeList::Combo4, VolumeList::Combo5, VolumeList::Combo1,
                                    VolumeList::Combo2, VolumeList::Combo3, VolumeList::Combo6,
                                    VolumeList::Combo7, VolumeList::Combo8, VolumeList::Combo9};
    for (VolumeList which : loadOrder) {
        for (VolumeBox disabled : boxesDisabledAtLoad(which)) setEnabled(disabled, false);
        QComboBox* combo = list(which);
        {
            // Filling an empty list would report index 0 before the start entry is chosen.
            const QSignalBlocker blocker(combo);
            combo->clear();
            for (const std::string& entry : listEntries(which)) combo->addItem(qs(entry));
            combo->setCurrentIndex(startIndex(which));
        }
        comboClick(which);
    }
    Command1_Click();
    Command2_Click();
}

void Rendszerterfogat::showModeless() {
    if (!m_shownBefore) {
        m_shownBefore = true;
        const QWidget& main = m_host.hostWindow();
        if (const QScreen* screen =
                main.screen() ? main.screen() : QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    show();
    raise();
    activateWindow();
    Command2->setFocus(Qt::ActiveWindowFocusReason);
}

void Rendszerterfogat::Command1_Click() {
    m_totalsValid = calculate(m_state, *this, decimalSeparator());
}

void Rendszerterfogat::Command2_Click() {
    // A figure that cannot be counted goes back to the last counted one, so the totals are
    // valid here; should they not be, the user is told that the main window keeps its figures.
    if (m_totalsValid) {
        const HandBack values = handBack(m_state, decimalSeparator());
        m_host.takeVolumes(qs(values.systemVolumeText), qs(values.collectorVolumeText));
    } else if (isVisible()) {
        showMessage(kOutOfRangeMessage);
    }
    hide();
    m_host.setCovered(false);
    m_host.hostWindow().setEnabled(true);
    m_host.reactivate();
}

void Rendszerterfogat::comboClick(VolumeList which) {
    select(which, m_state, *this, decimalSeparator());
}

void Rendszerterfogat::Combo1_Click() {
    comboClick(VolumeList::Combo1);
}
void Rendszerterfogat::Combo2_Click() {
    comboClick(VolumeList::Combo2);
}
void Rendszerterfogat::Combo3_Click() {
    comboClick(VolumeList::Combo3);
}
void Rendszerterfogat::Combo4_Click() {
    comboClick(VolumeList::Combo4);
}
void Rendszerterfogat::Combo5_Click() {
    comboClick(VolumeList::Combo5);
}
void Rendszerterfogat::Combo6_Click() {
    comboClick(VolumeList::Combo6);
}
void Rendszerterfogat::Combo7_Click() {
    comboClick(VolumeList::Combo7);
}
void Rendszerterfogat::Combo8_Click() {
    comboClick(VolumeList::Combo8);
}
void Rendszerterfogat::Combo9_Click() {
    comboClick(VolumeList::Combo9);
}

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

QLineEdit* Rendszerterfogat::box(VolumeBox which) const {
    switch (which) {
        case VolumeBox::Text1:
            return Text1;
        case VolumeBox::Text2:
            return Text2;
        case VolumeBox::Text3:
            return Text3;
        case VolumeBox::Text4:
            return Text4;
        case VolumeBox::Text5:
            return Text5;
        case VolumeBox::Text6:
            return Text6;
        case VolumeBox::Text8:
            return Text8;
        case VolumeBox::Text9:
            return Text9;
        case VolumeBox::Text10:
            return Text10;
        case VolumeBox::Text12:
            return Text12;
        case VolumeBox::Text13:
            return Text13;
        case VolumeBox::Text14:
            return Text14;
        case VolumeBox::Text15:
            return Text15;
        case VolumeBox::Text16:
            return Text16;
        case VolumeBox::Text17:
            return Text17;
        case VolumeBox::Text18:
            return Text18;
    }
    return nullptr;
}

QComboBox* Rendszerterfogat::list(VolumeList which) const {
    switch (which) {
        case VolumeList::Combo1:
            return Combo1;
        case VolumeList::Combo2:
            return Combo2;
        case VolumeList::Combo3:
            return Combo3;
        case VolumeList::Combo4:
            return Combo4;
        case VolumeList::Combo5:
            return Combo5;
        case VolumeList::Combo6:
            return Combo6;
        case VolumeList::Combo7:
            return Combo7;
        case VolumeList::Combo8:
            return Combo8;
        case VolumeList::Combo9:
            return Combo9;
    }
    return nullptr;
}

QLabel* Rendszerterfogat::label(VolumeLabel which) const {
    switch (which) {
        case VolumeLabel::Label9:
            return Label9;
        case VolumeLabel::Label10:
            return Label10;
        case VolumeLabel::Label13:
            return Label13;
        case VolumeLabel::Label14:
            return Label14;
        case VolumeLabel::Label16:
            return Label16;
    }
    return nullptr;
}

QString Rendszerterfogat::boxText(VolumeBox which) const {
    return box(which)->text();
}

std::string Rendszerterfogat::text(VolumeBox which) const {
    return ss(box(which)->text());
}

// Raises the box's Change (textChanged) at once when the text differs.
void Rendszerterfogat::setText(VolumeBox which, const std::string& text) {
    box(which)->setText(qs(text));
}

void Rendszerterfogat::setEnabled(VolumeBox which, bool enabled) {
    box(which)->setEnabled(enabled);
}

bool Rendszerterfogat::isEnabled(VolumeBox which) const {
    return box(which)->isEnabled();
}

int Rendszerterfogat::listIndex(VolumeList which) const {
    return list(which)->currentIndex();
}

void Rendszerterfogat::restoreListIndex(VolumeList which, int index) {
    const QSignalBlocker blocker(list(which));
    list(which)->setCurrentIndex(index);
}

void Rendszerterfogat::showMessage(const std::string& message) {
    showError(this, qs(message));
    // Without a window manager nothing gives the window back its focus once the box is closed.
    if (isVisible()) activateWindow();
}

void Rendszerterfogat::setLabel(VolumeLabel which, const std::string& text) {
    label(which)->setText(qs(text));
}

void Rendszerterfogat::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kWindowGreen);
    drawPicture(painter, Picture::Background, devicePixelRatioF());
}

// The title bar's close box acts like the return command, so the main window is never left
// covered; a close from code (when the window is already hidden) is let through.
void Rendszerterfogat::closeEvent(QCloseEvent* event) {
    if (!isVisible()) {
        event->accept();
        return;
    }
    event->ignore();
    Command2_Click();
}

}  // namespace expans::ui

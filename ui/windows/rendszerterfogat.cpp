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
#include <memory>
#include <utility>
#include <vector>

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

// The order in which Load fills the lists.
constexpr VolumeList kLoadOrder[] = {VolumeList::Combo4, VolumeList::Combo5, VolumeList::Combo1,
                                     VolumeList::Combo2, VolumeList::Combo3, VolumeList::Combo6,
                                     VolumeList::Combo7, VolumeList::Combo8, VolumeList::Combo9};

}  // namespace

Rendszerterfogat::Rendszerterfogat(VolumeHost& host) : QWidget(nullptr), m_host(host) {
    setObjectName(QStringLiteral("Rendszerterfogat"));
    buildLayout();
    m_boxes = {Text1,  Text2,  Text3,  Text4,  Text5,  Text6,  Text8,  Text9,
               Text10, Text12, Text13, Text14, Text15, Text16, Text17, Text18};
    m_lists = {Combo1, Combo2, Combo3, Combo4, Combo5, Combo6, Combo7, Combo8, Combo9};
    m_labels = {Label9, Label10, Label13, Label14, Label16};
    wireEvents();
}

Rendszerterfogat::~Rendszerterfogat() = default;

void Rendszerterfogat::wireEvents() {
    for (std::size_t i = 0; i < kVolumeBoxCount; ++i) {
        const auto which = static_cast<VolumeBox>(i);
        connect(m_boxes[i], &QLineEdit::textChanged, this, [this, which] { Text_Change(which); });
    }
    for (std::size_t i = 0; i < kVolumeListCount; ++i) {
        const auto which = static_cast<VolumeList>(i);
        QComboBox* combo = m_lists[i];
        // A new index, whether picked or set from code, raises Click at once.
        connect(combo, &QComboBox::currentIndexChanged, this, [this, which](int) {
            m_clickRanForChange[slot(which)] = true;
            Combo_Click(which);
        });
        // Picking the entry that is already chosen raises Click as well; a pick that changed
        // the index has already run it above.
        connect(combo, &QComboBox::activated, this, [this, which](int) {
            if (std::exchange(m_clickRanForChange[slot(which)], false)) return;
            Combo_Click(which);
        });
    }

    connect(Command1, &QPushButton::clicked, this, &Rendszerterfogat::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Rendszerterfogat::Command2_Click);
}

void Rendszerterfogat::Form_Load() {
    m_host.hostWindow().setEnabled(false);
    for (VolumeList which : kLoadOrder) {
        for (VolumeBox disabled : boxesDisabledAtLoad(which)) setEnabled(disabled, false);
        QComboBox* combo = list(which);
        {
            // Filling an empty list would report index 0 before the start entry is chosen.
            const QSignalBlocker blocker(combo);
            combo->clear();
            for (const std::string& entry : listEntries(which)) combo->addItem(qs(entry));
            combo->setCurrentIndex(startIndex(which));
        }
        Combo_Click(which);
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

void Rendszerterfogat::Combo_Click(VolumeList which) {
    select(which, m_state, *this, decimalSeparator());
}

void Rendszerterfogat::Text_Change(VolumeBox) {
    Command1_Click();
}

void Rendszerterfogat::enterJob(const Job& job) {
    {
        std::vector<std::unique_ptr<QSignalBlocker>> quiet;
        for (QLineEdit* box : m_boxes) quiet.push_back(std::make_unique<QSignalBlocker>(box));
        for (std::size_t i = 0; i < kVolumeListCount; ++i) {
            const QSignalBlocker blocker(m_lists[i]);
            m_lists[i]->setCurrentIndex(job.volumeLists[i]);
            Combo_Click(static_cast<VolumeList>(i));  // the row's enabling and figures, not counted
        }
        for (std::size_t i = 0; i < kVolumeBoxCount; ++i)
            m_boxes[i]->setText(qs(job.volumeBoxes[i]));
    }
    Command1_Click();
}

QLineEdit* Rendszerterfogat::box(VolumeBox which) const {
    return m_boxes[static_cast<std::size_t>(which)];
}

QComboBox* Rendszerterfogat::list(VolumeList which) const {
    return m_lists[slot(which)];
}

QLabel* Rendszerterfogat::label(VolumeLabel which) const {
    return m_labels[static_cast<std::size_t>(which)];
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

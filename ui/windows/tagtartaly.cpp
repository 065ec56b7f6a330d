#include "windows/tagtartaly.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

#include "io/report.h"
#include "opstate.h"
#include "sizing.h"
#include "tables.h"
#include "validation.h"
#include "widgets/messagebox.h"
#include "widgets/panelwidgets.h"
#include "widgets/pictures.h"
#include "widgets/style.h"
#include "windows/mainmenu.h"
#include "windows/rendszerterfogat.h"

namespace expans::ui {

namespace {

constexpr int kStartMeanTemperature = 60;  // °C, HScroll1 after start-up

// Shows or hides a control of the slider panel. Qt posts the first repaint of a control that
// appears behind the repaint already asked for; it is taken at once here, so one slider step
// stays one paint pass.
void setShown(QWidget* control, bool shown) {
    control->setVisible(shown);
    if (shown) QCoreApplication::sendPostedEvents(control, QEvent::UpdateLater);
}

QStringList listEntries(const std::vector<std::string>& names) {
    QStringList entries;
    for (const std::string& name : names) entries << qs(name);
    return entries;
}

}  // namespace

Tagtartaly::Tagtartaly(QWidget* parent)
    : QWidget(parent), m_quit([] { QCoreApplication::exit(0); }) {
    buildLayout();
    setTabOrder();
    connectHandlers();
    setWindowIcon(emblemIcon());
    for (QLineEdit* field : {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text10, Text11}) {
        m_designTexts.emplace_back(field, field->text());
    }
    m_menu = new MainMenu(*this);
}

Tagtartaly::~Tagtartaly() {
    // The menu watches controls that go away with this window; it goes first.
    m_mayEnd = {};
    m_coverWatch = {};
    delete std::exchange(m_menu, nullptr);
    m_queue.clear();
    m_ended = true;
}

void Tagtartaly::connectHandlers() {
    // Lost focus and got focus come from the focus events of the controls that have handlers.
    for (QWidget* field : std::initializer_list<QWidget*>{Text1, Text2, Text3, Text4, Text5, Text6,
                                                          Text7, Command2}) {
        field->installEventFilter(this);
    }
    // An access key clicks its button; like a mouse click it first takes the focus, so the
    // field being left is checked before the click runs.
    Command1->installEventFilter(this);
    Command3->installEventFilter(this);
    // The menu follows the cover, however it is shown or hidden.
    Picture4->installEventFilter(this);

    auto clickOf = [this](QPushButton* button, void (Tagtartaly::*handler)()) {
        connect(button, &QPushButton::clicked, this, [this, button, handler] {
            m_queue.post([this, handler] { (this->*handler)(); },
                         [this, button] { return focusWidget() == button; });
        });
    };
    clickOf(Command1, &Tagtartaly::Command1_Click);
    clickOf(Command2, &Tagtartaly::Command2_Click);
    clickOf(Command3, &Tagtartaly::Command3_Click);

    // User actions only: a value set from code runs the handler through the setters below.
    connect(Check1, &QCheckBox::clicked, this,
            [this] { m_queue.post([this] { Check1_Click(); }); });
    connect(Combo1, &QComboBox::activated, this,
            [this] { m_queue.post([this] { Combo1_Click(); }); });
    connect(m_vesselList, &QComboBox::activated, this,
            [this] { m_queue.post([this] { Tagtartaly_Click(); }); });
    connect(HScroll1, &QScrollBar::valueChanged, this, [this] {
        m_queue.post([this] { HScroll1->isSliderDown() ? HScroll1_Scroll() : HScroll1_Change(); });
    });
    connect(HScroll2, &QScrollBar::valueChanged, this, [this] {
        m_queue.post([this] { HScroll2->isSliderDown() ? HScroll2_Scroll() : HScroll2_Change(); });
    });

    // Every change of Text1, typed or written by code, is checked at once and nested.
    connect(Text1, &QLineEdit::textChanged, this,
            [this] { m_queue.runNow([this] { Text1_Change(); }); });
}

bool Tagtartaly::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == Picture4 && (type == QEvent::Show || type == QEvent::Hide)) {
        if (m_coverWatch) m_coverWatch(type == QEvent::Show);
        return QWidget::eventFilter(watched, event);
    }
    if (type == QEvent::Shortcut && !m_ended) {
        if (auto* button = qobject_cast<QPushButton*>(watched)) {
            button->setFocus(Qt::ShortcutFocusReason);
        }
        return QWidget::eventFilter(watched, event);
    }
    if (m_ended || (type != QEvent::FocusIn && type != QEvent::FocusOut)) {
        return QWidget::eventFilter(watched, event);
    }
    // Switching windows and opening popups (a list, a context menu, a message box's own
    // activation) are not a move of the focus inside this window.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) {
        return QWidget::eventFilter(watched, event);
    }
    if (type == QEvent::FocusIn) {
        // Its recalculation may open a box; it waits for the mouse release like a check does,
        // so the click that gave the focus still reaches the button.
        if (watched == Command2) {
            m_queue.post([this] { Command2_GotFocus(); },
                         [this] { return focusWidget() == Command2; },
                         HandlerQueue::Timing::AfterMouseRelease);
        }
        return QWidget::eventFilter(watched, event);
    }
    if (const auto lostFocus = lostFocusOf(watched)) {
        m_queue.post([this, lostFocus] { (this->*lostFocus)(); }, {},
                     HandlerQueue::Timing::AfterMouseRelease);
    }
    return QWidget::eventFilter(watched, event);
}

void Tagtartaly::calculateForReport() {
    // A menu command leaves the focus where it is, so the field's check has not run yet.
    if (const auto lostFocus = lostFocusOf(focusWidget())) (this->*lostFocus)();
    Command1_Click();
}

void Tagtartaly::paintReport(QPagedPaintDevice& device, const QString& jobFileName) const {
    expans::ui::paintReport(device, reportSource(), jobFileName);
}

bool Tagtartaly::writeReportPdf(const QString& path, const QString& jobFileName,
                                QString* error) const {
    return expans::ui::writeReportPdf(path, reportSource(), jobFileName, error);
}

QWidget* Tagtartaly::volumeWidget() const {
    return m_volume.get();
}

void Tagtartaly::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kOrange);
    drawPicture(painter, Picture::Background, devicePixelRatioF());
}

void Tagtartaly::closeEvent(QCloseEvent* event) {
    // The frame's close box ends the application like the exit command; the user may still
    // cancel it when asked to save a changed job.
    if (!m_ended) Command3_Click();
    if (m_ended) {
        event->accept();
    } else {
        event->ignore();
    }
}

void Tagtartaly::message(const std::string& text) {
    // Qt leaves no window active after a modal box closes unless a window manager steps in;
    // give the activation back to whichever window had it.
    QWidget* active = QApplication::activeWindow();
    showError(this, qs(text));
    if (active && active->isVisible() && QApplication::activeWindow() != active) {
        active->activateWindow();
    }
}

void Tagtartaly::setListIndex(QComboBox* list, int index, void (Tagtartaly::*handler)()) {
    // Setting the index from code runs the list's Click handler nested when the index changes.
    const int before = list->currentIndex();
    {
        const QSignalBlocker blocker(list);
        list->setCurrentIndex(index);
    }
    if (list->currentIndex() != before) (this->*handler)();
}

void Tagtartaly::setScrollValue(QScrollBar* bar, int value, void (Tagtartaly::*handler)()) {
    const int clamped = std::clamp(value, bar->minimum(), bar->maximum());
    if (bar->value() == clamped) return;
    {
        const QSignalBlocker blocker(bar);
        bar->setValue(clamped);
    }
    (this->*handler)();
}

void Tagtartaly::setChecked(bool checked) {
    if (Check1->isChecked() == checked) return;
    {
        const QSignalBlocker blocker(Check1);
        Check1->setChecked(checked);
    }
    Check1_Click();
}

void Tagtartaly::Form_Load() {
    setCovered(false);
    m_state = startState();

    m_volume = std::make_unique<Rendszerterfogat>(*this);
    m_volume->Form_Load();

    {
        const QSignalBlocker blocker(m_vesselList);
        m_vesselList->addItems(listEntries(vesselNames()));
        m_vesselList->setCurrentIndex(-1);
    }
    setListIndex(m_vesselList, kStartVesselIndex, &Tagtartaly::Tagtartaly_Click);
    applyVessel(m_state, m_vesselList->currentIndex());

    setScrollValue(HScroll1, kStartMeanTemperature, &Tagtartaly::HScroll1_Change);
    Label11->setText(qs(degreesText(HScroll1->value())));

    setChecked(true);

    {
        const QSignalBlocker blocker(Combo1);
        Combo1->addItems(listEntries(fluidNames()));
        Combo1->setCurrentIndex(-1);
    }
    setListIndex(Combo1, kStartFluidIndex, &Tagtartaly::Combo1_Click);

    Command1_Click();
    HScroll1_Change();
}

void Tagtartaly::showAtStart() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    Command1->setFocus(Qt::OtherFocusReason);
    show();
    raise();
    activateWindow();
}

void Tagtartaly::reactivate() {
    if (!isVisible() || m_ended) return;
    raise();
    activateWindow();
    // The focus comes back with the activation, which Qt reports as a window switch; the
    // got-focus handler of the control that kept the focus runs here.
    if (focusWidget() == Command2) {
        m_queue.run([this] { Command2_GotFocus(); }, [this] { return focusWidget() == Command2; });
    }
}

void Tagtartaly::takeVolumes(const QString& systemVolume, const QString& collectorVolume) {
    Text1->setText(systemVolume);
    Text11->setText(collectorVolume);
}

void Tagtartaly::setCovered(bool covered) {
    Picture4->setVisible(covered);
    if (covered) Picture4->raise();
}

void Tagtartaly::Command1_Click() {
    const SizingOutcome outcome = expans::size(m_state, Check1->isChecked(), ss(Text11->text()),
                                               ss(Text7->text()), decimalSeparator());
    m_state = outcome.state;
    for (const std::string& text : outcome.messages) message(text);
    if (outcome.collectorVolumeRestoreText)
        Text11->setText(qs(*outcome.collectorVolumeRestoreText));

    const bool evaporation = outcome.evaporationPanel;
    HScroll2->setEnabled(evaporation);
    for (QLabel* line : {Label25, Label34, Label35, Label26}) line->setVisible(evaporation);

    if (outcome.labels) {
        Label29->setText(qs(outcome.labels->expansionVolumeText));
        Label28->setText(qs(outcome.labels->hotVolumeText));
        Label27->setText(qs(outcome.labels->minVesselVolumeText));
        Label16->setText(qs(outcome.labels->concentrateText));
    }
    HScroll2_Change();
}

void Tagtartaly::Combo1_Click() {
    applyFluid(m_state, Combo1->currentIndex());
    Command1_Click();
    HScroll2_Change();
}

void Tagtartaly::Check1_Click() {
    showEvaporationChoice();
    Command1_Click();
    HScroll2_Change();
}

void Tagtartaly::showEvaporationChoice() {
    const bool checked = Check1->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*>{Label17, Label36, Text11, Text7}) {
        control->setEnabled(checked);
    }
    Label7->setText(
        checked ? QStringLiteral("Térfogat változás Tmeleg-re melegedés és elgőzölgés esetén "
                                 "[liter]:")
                : QStringLiteral("Térfogat változás Tmeleg-re melegedés esetén [liter]:"));
}

void Tagtartaly::Tagtartaly_Click() {
    applyVessel(m_state, m_vesselList->currentIndex());
    // The cold temperature to the nearest degree, ties to even; a slider that cannot reach it
    // stops at its nearest end.
    const double cold = std::nearbyint(m_state.ColdTemperature.toDouble());
    const auto position = [&cold](const QScrollBar* bar) {
        return static_cast<int>(std::clamp(cold, static_cast<double>(bar->minimum()),
                                           static_cast<double>(bar->maximum())));
    };
    setScrollValue(HScroll2, position(HScroll2), &Tagtartaly::HScroll2_Change);
    setScrollValue(HScroll1, position(HScroll1), &Tagtartaly::HScroll1_Change);
    HScroll2_Change();
    Command1_Click();
}

void Tagtartaly::Command2_GotFocus() {
    Command1_Click();
    HScroll1_Change();
}

void Tagtartaly::Command2_Click() {
    if (!m_volume) return;
    setCovered(true);
    m_volume->showModeless();
}

void Tagtartaly::Command3_Click() {
    if (m_ended) return;
    if (m_mayEnd && !m_mayEnd()) return;
    m_ended = true;
    m_queue.clear();
    m_volume.reset();
    hide();
    m_quit();
}

void Tagtartaly::applyFieldCheck(QLineEdit* field, const FieldCheck& check) {
    // Stored before the boxes: a change that arrives while a box is open is then not undone.
    m_state = check.state;
    for (const std::string& text : check.messages) message(text);
    if (check.restoreText) field->setText(qs(*check.restoreText));
}

void Tagtartaly::Text1_Change() {
    checkField(MainField::Text1);
}

void Tagtartaly::Text1_LostFocus() {
    Text1_Change();
}
void Tagtartaly::Text2_LostFocus() {
    checkField(MainField::Text2);
}
void Tagtartaly::Text3_LostFocus() {
    checkField(MainField::Text3);
}
void Tagtartaly::Text4_LostFocus() {
    checkField(MainField::Text4);
}
void Tagtartaly::Text5_LostFocus() {
    checkField(MainField::Text5);
}
void Tagtartaly::Text6_LostFocus() {
    checkField(MainField::Text6);
}
void Tagtartaly::Text7_LostFocus() {
    checkField(MainField::Text7);
}

void Tagtartaly::HScroll1_Change() {
    meanSliderMoved();
}
void Tagtartaly::HScroll1_Scroll() {
    meanSliderMoved();
}
void Tagtartaly::HScroll2_Change() {
    recomputePanel();
}
void Tagtartaly::HScroll2_Scroll() {
    recomputePanel();
}

void Tagtartaly::meanSliderMoved() {
    const MeanSliderStep step = meanSlider(m_state, HScroll1->value());
    setScrollValue(HScroll2, step.collectorTemperature, &Tagtartaly::HScroll2_Change);
    Label11->setText(qs(step.meanTemperatureText));
    HScroll2_Change();
}

void Tagtartaly::recomputePanel() {
    const OperatingOutcome outcome =
        recompute(m_state, HScroll2->value(), ss(Text11->text()), decimalSeparator());
    const PanelDisplay& display = outcome.display;
    Label34->setText(qs(display.collectorTemperatureText));
    if (!outcome.ok) {
        if (!std::exchange(m_panelFault, true)) {
            // A box opened while a slider is held would take the button's release away from it,
            // and the slider would go on stepping by itself: the report waits for the release.
            if (QGuiApplication::mouseButtons() == Qt::NoButton) {
                message(outcome.message);
            } else {
                m_queue.post([this, text = outcome.message] { message(text); }, {},
                             HandlerQueue::Timing::AfterMouseRelease);
            }
        }
        return;
    }
    m_panelFault = false;
    m_state = outcome.state;
    if (display.vapourLabelsVisible) {
        setShown(Label39, *display.vapourLabelsVisible);
        setShown(Label40, *display.vapourLabelsVisible);
    }
    Label40->setText(qs(display.vapourShareText));
    setShown(Picture5, display.closedValveVisible);
    Text10->setText(qs(display.gaugePressureText));
    Shape2->setHeightAndTopTwips(display.gasBar.height, display.gasBar.top);
    Line4->setEnds(display.needle.x1, display.needle.y1, display.needle.x2, display.needle.y2);
    Label26->setText(qs(display.boilingPointText));
}

}  // namespace expans::ui

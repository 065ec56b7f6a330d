// The main window's side of job files: reading both windows into a job, entering a job the way a
// user would, and going back to the start-up state.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "catalogue.h"
#include "io/report_data.h"
#include "numtext.h"
#include "opstate.h"
#include "tables.h"
#include "validation.h"
#include "widgets/panelwidgets.h"
#include "widgets/style.h"
#include "windows/rendszerterfogat.h"
#include "windows/tagtartaly.h"

namespace expans::ui {

namespace {

using Check = FieldCheck (*)(const MainState&, std::string_view, char);

// Each input field's check, by MainField; the collector volume (Text11) is checked by the sizing.
constexpr std::array<Check, kMainFieldCount> kChecks = {&checkText1, &checkText2, &checkText3,
                                                        &checkText4, &checkText5, &checkText6,
                                                        &checkText7, nullptr};

Check checkOf(MainField field) {
    return kChecks[static_cast<std::size_t>(field)];
}

// Fields whose checks compare with each other's stored values. Entered in the order typing
// would (Tab order) unless another order passes every check: a valid job then goes in without a
// box, whatever the window held before (e.g. a pre-pressure above the old fill pressure).
template <std::size_t N>
std::array<MainField, N> cleanOrder(std::array<MainField, N> fields, const MainState& state,
                                    const Job& job, char separator) {
    const std::array<MainField, N> typed = fields;
    std::sort(fields.begin(), fields.end());
    do {
        MainState trial = state;
        bool clean = true;
        for (const MainField f : fields) {
            const FieldCheck result = checkOf(f)(trial, job.field(f), separator);
            if (!result.messages.empty() || result.restoreText) {
                clean = false;
                break;
            }
            trial = result.state;
        }
        if (clean) return fields;
    } while (std::next_permutation(fields.begin(), fields.end()));
    return typed;
}

}  // namespace

void Tagtartaly::checkField(MainField field) {
    QLineEdit* box = fieldBox(field);
    applyFieldCheck(box, checkOf(field)(m_state, ss(box->text()), decimalSeparator()));
}

Tagtartaly::FieldHandler Tagtartaly::lostFocusOf(const QObject* widget) const {
    // By MainField; leaving the collector volume (Text11) runs no handler.
    static constexpr FieldHandler kLostFocus[] = {
        &Tagtartaly::Text1_LostFocus, &Tagtartaly::Text2_LostFocus, &Tagtartaly::Text3_LostFocus,
        &Tagtartaly::Text4_LostFocus, &Tagtartaly::Text5_LostFocus, &Tagtartaly::Text6_LostFocus,
        &Tagtartaly::Text7_LostFocus};
    if (widget == nullptr) return nullptr;
    for (std::size_t i = 0; i < std::size(kLostFocus); ++i) {
        if (widget == fieldBox(static_cast<MainField>(i))) return kLostFocus[i];
    }
    return nullptr;
}

QLineEdit* Tagtartaly::fieldBox(MainField field) const {
    const std::array<QLineEdit*, kMainFieldCount> boxes = {Text1, Text2, Text3, Text4,
                                                           Text5, Text6, Text7, Text11};
    return boxes[static_cast<std::size_t>(field)];
}

Job Tagtartaly::job() const {
    Job job;
    for (std::size_t i = 0; i < kMainFieldCount; ++i) {
        job.mainFields[i] = ss(fieldBox(static_cast<MainField>(i))->text());
    }
    job.fluidIndex = Combo1->currentIndex();
    job.evaporation = Check1->isChecked();
    job.vesselIndex = m_vesselList->currentIndex();
    job.meanTemperature = HScroll1->value();
    job.collectorTemperature = HScroll2->value();
    job.staticHeight = m_state.StaticHeight;
    job.steamPipeVolume = m_steamPipeVolume;
    job.valvePressure = m_valvePressure;
    if (m_volume) {
        for (std::size_t i = 0; i < kVolumeListCount; ++i) {
            job.volumeLists[i] = m_volume->selectedIndex(static_cast<VolumeList>(i));
        }
        for (std::size_t i = 0; i < kVolumeBoxCount; ++i) {
            job.volumeBoxes[i] = ss(m_volume->boxText(static_cast<VolumeBox>(i)));
        }
    }
    return job;
}

void Tagtartaly::setCheckInputs(const std::string& steamPipeVolume,
                                const std::string& valvePressure) {
    m_steamPipeVolume = steamPipeVolume;
    m_valvePressure = valvePressure;
}

ReportSource Tagtartaly::reportSource() const {
    ReportSource source;
    source.main = m_state;
    if (m_volume) source.volume = m_volume->state();
    source.job = job();
    source.results = {ss(Label29->text()), ss(Label28->text()), ss(Label27->text()),
                      ss(Label16->text())};
    PanelDisplay& panel = source.panel;
    panel.collectorTemperatureText = ss(Label34->text());
    panel.vapourLabelsVisible = !Label40->isHidden();
    panel.vapourShareText = ss(Label40->text());
    panel.closedValveVisible = !Picture5->isHidden();
    panel.gaugePressureText = ss(Text10->text());
    panel.gasBar = {Shape2->heightTwips(), Shape2->topTwips()};
    panel.needle = {Line4->x1(), Line4->y1(), Line4->x2(), Line4->y2()};
    panel.boilingPointText = ss(Label26->text());
    return source;
}

void Tagtartaly::applyJob(const Job& job) {
    if (m_ended) return;
    // From the start-up state, as "Új" gives it: nothing of the job on screen before reaches
    // this one, so a job opens to the same figures whatever was open before.
    restart();
    if (!m_volume) return;
    const char separator = decimalSeparator();
    // The reader has checked them as the check's dialog would.
    m_steamPipeVolume = job.steamPipeVolume;
    m_valvePressure = job.valvePressure;

    // The volume window: its lists and boxes all go in before its one summation, so no figure of
    // the job is counted against a start-up figure. The summation's checks report a rejected
    // figure once and reset it; its hand-back writes Text1 and Text11, as returning from it does.
    m_volume->enterJob(job);
    m_volume->Command2_Click();

    // The panel's height, before Text7's check, which restores a rejected height to it.
    if (job.staticHeight) {
        m_state.StaticHeight = *job.staticHeight;
    } else if (const CurrencyParse height = parseCurrency(job.field(MainField::Text7));
               height.status == ParseStatus::Ok) {
        m_state.StaticHeight = height.value;
    }

    // The main window's fields, each through its own check.
    Text1->setText(qs(job.field(MainField::Text1)));
    const std::array<MainField, 3> pressures = {MainField::Text2, MainField::Text4,
                                                MainField::Text3};
    const std::array<MainField, 2> temperatures = {MainField::Text5, MainField::Text6};
    // Typed into the field, then checked as leaving it would.
    auto enter = [this](MainField field, const std::string& text) {
        QLineEdit* box = fieldBox(field);
        box->setText(qs(text));
        if (const auto lostFocus = lostFocusOf(box)) (this->*lostFocus)();
    };
    for (const MainField f : cleanOrder(pressures, m_state, job, separator)) {
        enter(f, job.field(f));
    }
    for (const MainField f : cleanOrder(temperatures, m_state, job, separator)) {
        enter(f, job.field(f));
    }
    enter(MainField::Text7, job.field(MainField::Text7));
    // Checked by the sizing, like a typed collector volume.
    Text11->setText(qs(job.field(MainField::Text11)));

    // The selections and the sliders with what their handlers store, then one sizing and one
    // panel run: a figure the sizing rejects is reported once, not once per selection.
    {
        const QSignalBlocker blocker(Combo1);
        Combo1->setCurrentIndex(job.fluidIndex);
    }
    applyFluid(m_state, Combo1->currentIndex());
    {
        const QSignalBlocker blocker(Check1);
        Check1->setChecked(job.evaporation);
    }
    showEvaporationChoice();
    {
        const QSignalBlocker blocker(m_vesselList);
        m_vesselList->setCurrentIndex(job.vesselIndex);
    }
    applyVessel(m_state, m_vesselList->currentIndex());
    for (const auto& [bar, value] : {std::pair{HScroll1, job.meanTemperature},
                                     std::pair{HScroll2, job.collectorTemperature}}) {
        const QSignalBlocker blocker(bar);
        bar->setValue(value);
    }
    Label11->setText(qs(meanSlider(m_state, HScroll1->value()).meanTemperatureText));
    Command1_Click();
}

void Tagtartaly::restart() {
    if (m_ended) return;
    // Every control back as built, the volume window gone: then start-up runs as it does at
    // program start.
    m_queue.clear();
    m_volume.reset();
    for (const auto& [field, text] : m_designTexts) {
        const QSignalBlocker blocker(field);
        field->setText(text);
    }
    for (QComboBox* list : {Combo1, m_vesselList}) {
        const QSignalBlocker blocker(list);
        list->clear();
    }
    for (QScrollBar* bar : {HScroll1, HScroll2}) {
        const QSignalBlocker blocker(bar);
        bar->setValue(0);
    }
    {
        const QSignalBlocker blocker(Check1);
        Check1->setChecked(false);
    }
    m_panelFault = false;
    m_steamPipeVolume = kStartSteamPipeVolumeText;
    m_valvePressure.clear();
    Form_Load();
    Command1->setFocus(Qt::OtherFocusReason);
}

}  // namespace expans::ui

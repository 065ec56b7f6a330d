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

struct CheckedField {
    MainField field;
    Check check;
};

// Fields whose checks compare with each other's stored values. Entered in the order typing
// would (Tab order) unless another order passes every check: a valid job then goes in without a
// box, whatever the window held before (e.g. a pre-pressure above the old fill pressure).
template <std::size_t N>
std::array<CheckedField, N> cleanOrder(std::array<CheckedField, N> fields, const MainState& state,
                                       const Job& job, char separator) {
    const std::array<CheckedField, N> typed = fields;
    auto byField = [](const CheckedField& a, const CheckedField& b) { return a.field < b.field; };
    std::sort(fields.begin(), fields.end(), byField);
    do {
        MainState trial = state;
        bool clean = true;
        for (const CheckedField& f : fields) {
            const FieldCheck result = f.check(trial, job.field(f.field), separator);
            if (!result.messages.empty() || result.restoreText) {
                clean = false;
                break;
            }
            trial = result.state;
        }
        if (clean) return fields;
    } while (std::next_permutation(fields.begin(), fields.end(), byField));
    return typed;
}

}  // namespace

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

ReportSource Tagtartaly::reportSource() const {
    ReportSource source;
    source.main = m_state;
    if (m_volume) source.volume = m_volume->state();
    source.job = job();
    source.results = {ss(Label29->text()), ss(Label28->text()), ss(Label27->text()),
                      ss(Label16->text())};
    PanelDisplay& panel = source.panel;
    panel.label34 = ss(Label34->text());
    panel.vapourLabelsVisible = !Label40->isHidden();
    panel.label40 = ss(Label40->text());
    panel.picture5Visible = !Picture5->isHidden();
    panel.text10 = ss(Text10->text());
    panel.shape2 = {Shape2->heightTwips(), Shape2->topTwips()};
    panel.line4 = {Line4->x1(), Line4->y1(), Line4->x2(), Line4->y2()};
    panel.label26 = ss(Label26->text());
    return source;
}

void Tagtartaly::applyJob(const Job& job) {
    if (m_ended) return;
    // From the start-up state, as "Új" gives it: nothing of the job on screen before reaches
    // this one, so a job opens to the same figures whatever was open before.
    restart();
    if (!m_volume) return;
    const char separator = decimalSeparator();

    // The volume window: its lists and boxes all go in before its one summation, so no figure of
    // the job is counted against a start-up figure. The summation's checks report a rejected
    // figure once and reset it; its hand-back writes Text1 and Text11, as returning from it does.
    Rendszerterfogat& volume = *m_volume;
    const std::pair<QComboBox*, void (Rendszerterfogat::*)()> lists[kVolumeListCount] = {
        {volume.Combo1, &Rendszerterfogat::Combo1_Click},
        {volume.Combo2, &Rendszerterfogat::Combo2_Click},
        {volume.Combo3, &Rendszerterfogat::Combo3_Click},
        {volume.Combo4, &Rendszerterfogat::Combo4_Click},
        {volume.Combo5, &Rendszerterfogat::Combo5_Click},
        {volume.Combo6, &Rendszerterfogat::Combo6_Click},
        {volume.Combo7, &Rendszerterfogat::Combo7_Click},
        {volume.Combo8, &Rendszerterfogat::Combo8_Click},
        {volume.Combo9, &Rendszerterfogat::Combo9_Click}};
    const std::array<QLineEdit*, kVolumeBoxCount> boxes = {
        volume.Text1,  volume.Text2,  volume.Text3,  volume.Text4,  volume.Text5,  volume.Text6,
        volume.Text8,  volume.Text9,  volume.Text10, volume.Text12, volume.Text13, volume.Text14,
        volume.Text15, volume.Text16, volume.Text17, volume.Text18};
    {
        std::vector<std::unique_ptr<QSignalBlocker>> quiet;
        for (QLineEdit* box : boxes) quiet.push_back(std::make_unique<QSignalBlocker>(box));
        for (std::size_t i = 0; i < kVolumeListCount; ++i) {
            const auto& [combo, click] = lists[i];
            const QSignalBlocker blocker(combo);
            combo->setCurrentIndex(job.volumeLists[i]);
            (volume.*click)();  // the row's enabling and catalogue figures, nothing counted
        }
        for (std::size_t i = 0; i < kVolumeBoxCount; ++i) boxes[i]->setText(qs(job.volumeBoxes[i]));
    }
    volume.Command1_Click();
    volume.Command2_Click();

    // The panel's height, before Text7's check, which restores a rejected height to it.
    if (job.staticHeight) {
        m_state.StaticHeight = *job.staticHeight;
    } else if (const CurrencyParse height = parseCurrency(job.field(MainField::Text7));
               height.status == ParseStatus::Ok) {
        m_state.StaticHeight = height.value;
    }

    // The main window's fields, each through its own check.
    Text1->setText(qs(job.field(MainField::Text1)));
    const std::array<CheckedField, 3> pressures = {CheckedField{MainField::Text2, &checkText2},
                                                   CheckedField{MainField::Text4, &checkText4},
                                                   CheckedField{MainField::Text3, &checkText3}};
    const std::array<CheckedField, 2> temperatures = {CheckedField{MainField::Text5, &checkText5},
                                                      CheckedField{MainField::Text6, &checkText6}};
    // Typed into the field, then checked as leaving it would.
    auto enter = [this](MainField field, const std::string& text) {
        QLineEdit* box = fieldBox(field);
        box->setText(qs(text));
        if (const auto lostFocus = lostFocusOf(box)) (this->*lostFocus)();
    };
    for (const CheckedField& f : cleanOrder(pressures, m_state, job, separator)) {
        enter(f.field, job.field(f.field));
    }
    for (const CheckedField& f : cleanOrder(temperatures, m_state, job, separator)) {
        enter(f.field, job.field(f.field));
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
    Label11->setText(qs(meanSlider(m_state, HScroll1->value()).label11));
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
    Form_Load();
    Command1->setFocus(Qt::OtherFocusReason);
}

}  // namespace expans::ui

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

#include "catalogue.h"
#include "io/report_data.h"
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
    if (!m_volume || m_ended) return;
    const char separator = decimalSeparator();

    // The volume window: its lists, in the order its Load fills them, then its boxes. A changed
    // list runs its Click and each changed box its Change, which recompute the totals.
    Rendszerterfogat& volume = *m_volume;
    const std::pair<VolumeList, QComboBox*> lists[] = {
        {VolumeList::Combo4, volume.Combo4}, {VolumeList::Combo5, volume.Combo5},
        {VolumeList::Combo1, volume.Combo1}, {VolumeList::Combo2, volume.Combo2},
        {VolumeList::Combo3, volume.Combo3}, {VolumeList::Combo6, volume.Combo6},
        {VolumeList::Combo7, volume.Combo7}, {VolumeList::Combo8, volume.Combo8},
        {VolumeList::Combo9, volume.Combo9}};
    for (const auto& [which, combo] : lists) {
        combo->setCurrentIndex(job.volumeLists[static_cast<std::size_t>(which)]);
    }
    const std::array<QLineEdit*, kVolumeBoxCount> boxes = {
        volume.Text1,  volume.Text2,  volume.Text3,  volume.Text4,  volume.Text5,  volume.Text6,
        volume.Text8,  volume.Text9,  volume.Text10, volume.Text12, volume.Text13, volume.Text14,
        volume.Text15, volume.Text16, volume.Text17, volume.Text18};
    for (std::size_t i = 0; i < kVolumeBoxCount; ++i) boxes[i]->setText(qs(job.volumeBoxes[i]));
    // Its hand-back writes the totals into Text1 and Text11, as returning from it does.
    volume.Command2_Click();

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

    // The selections, each running its handler when it changes; then the sizing and the panel.
    setListIndex(Combo1, job.fluidIndex, &Tagtartaly::Combo1_Click);
    setChecked(job.evaporation);
    setListIndex(m_vesselList, job.vesselIndex, &Tagtartaly::Tagtartaly_Click);
    Command1_Click();
    setScrollValue(HScroll1, job.meanTemperature, &Tagtartaly::HScroll1_Change);
    setScrollValue(HScroll2, job.collectorTemperature, &Tagtartaly::HScroll2_Change);
    HScroll2_Change();
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

#include "windows/ellenorzes.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "numtext.h"
#include "units.h"
#include "widgets/messagebox.h"
#include "widgets/style.h"
#include "windows/menuhost.h"

namespace expans::ui {

namespace {

QLabel* label(const QString& text, QWidget* parent, const char* name = nullptr) {
    auto* l = new QLabel(text, parent);
    if (name) l->setObjectName(QString::fromLatin1(name));
    return l;
}

}  // namespace

Ellenorzes::Ellenorzes(MenuHost& host, QWidget* parent)
    : QDialog(parent), m_host(host), m_source(host.reportSource()) {
    setObjectName(QStringLiteral("Ellenorzes"));
    setWindowTitle(QStringLiteral("Ellenőrzés az MSZ EN 12828 szerint"));
    m_steamPipeText = m_source.job.steamPipeVolume;
    m_valveText = m_source.job.valvePressure;

    auto* layout = new QVBoxLayout(this);

    auto* inputs =
        new QGroupBox(QStringLiteral("A szabvány szerinti ellenőrzés bemenő adatai"), this);
    auto* inputGrid = new QGridLayout(inputs);
    Text1 = new QLineEdit(qs(m_steamPipeText), inputs);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text2 = new QLineEdit(inputs);
    Text2->setObjectName(QStringLiteral("Text2"));
    for (QLineEdit* box : {Text1, Text2}) {
        box->setMaximumWidth(90);
        box->setAlignment(Qt::AlignRight);
    }
    auto* steamCaption =
        label(QStringLiteral("A csővezeték gőzzel elérhető térfogata (V_&P):"), inputs);
    steamCaption->setBuddy(Text1);
    auto* valveCaption = label(QStringLiteral("A biztonsági szelep nyitónyomása (p_&SV):"), inputs);
    valveCaption->setBuddy(Text2);
    m_valveNote = label({}, inputs, "ValveNote");
    inputGrid->addWidget(steamCaption, 0, 0);
    inputGrid->addWidget(Text1, 0, 1);
    inputGrid->addWidget(label(QStringLiteral("liter"), inputs), 0, 2);
    inputGrid->addWidget(valveCaption, 1, 0);
    inputGrid->addWidget(Text2, 1, 1);
    inputGrid->addWidget(label(QStringLiteral("bar"), inputs), 1, 2);
    inputGrid->addWidget(m_valveNote, 1, 3);
    inputGrid->setColumnStretch(3, 1);
    layout->addWidget(inputs);

    auto* figures = new QGroupBox(QStringLiteral("Számított értékek"), this);
    auto* figureGrid = new QGridLayout(figures);
    m_check = checkVessel(m_source.main, m_source.job, decimalSeparator());
    for (std::size_t i = 0; i < m_check.figures.size(); ++i) {
        const int row = static_cast<int>(i);
        figureGrid->addWidget(label(qs(m_check.figures[i].caption) + QLatin1Char(':'), figures),
                              row, 0);
        QLabel* value = label({}, figures, nullptr);
        value->setObjectName(QStringLiteral("Figure%1").arg(i));
        value->setWordWrap(true);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        QLabel* unit = label({}, figures);
        figureGrid->addWidget(value, row, 1);
        figureGrid->addWidget(unit, row, 2);
        m_figureValues.push_back(value);
        m_figureUnits.push_back(unit);
    }
    figureGrid->setColumnStretch(1, 1);
    layout->addWidget(figures);

    auto* verdicts = new QGroupBox(QStringLiteral("Értékelés"), this);
    auto* verdictLayout = new QVBoxLayout(verdicts);
    m_verdicts = label({}, verdicts, "Verdicts");
    m_verdicts->setWordWrap(true);
    m_verdicts->setTextInteractionFlags(Qt::TextSelectableByMouse);
    verdictLayout->addWidget(m_verdicts);
    layout->addWidget(verdicts);

    auto* compare = new QGroupBox(QStringLiteral("Összevetés a program saját méretezésével"), this);
    auto* compareGrid = new QGridLayout(compare);
    m_ownMinimum = label({}, compare, "OwnMinimum");
    m_standardMinimum = label({}, compare, "StandardMinimum");
    for (QLabel* l : {m_ownMinimum, m_standardMinimum}) l->setAlignment(Qt::AlignRight);
    compareGrid->addWidget(
        label(QStringLiteral("Tágulási tartály minimális mérete a program szerint:"), compare), 0,
        0);
    compareGrid->addWidget(m_ownMinimum, 0, 1);
    compareGrid->addWidget(label(QStringLiteral("liter"), compare), 0, 2);
    compareGrid->addWidget(
        label(QStringLiteral("Legkisebb névleges térfogat az MSZ EN 12828 szerint:"), compare), 1,
        0);
    compareGrid->addWidget(m_standardMinimum, 1, 1);
    compareGrid->addWidget(label(QStringLiteral("liter"), compare), 1, 2);
    m_difference = label({}, compare, "Difference");
    m_difference->setWordWrap(true);
    compareGrid->addWidget(m_difference, 2, 0, 1, 3);
    layout->addWidget(compare);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close =
        buttons->addButton(QStringLiteral("&Bezárás"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("Close"));
    close->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    // Typing a figure the check accepts updates at once; leaving a field checks what it holds.
    connect(Text1, &QLineEdit::textEdited, this, &Ellenorzes::update);
    connect(Text2, &QLineEdit::textEdited, this, [this] {
        if (!followsMaximum()) m_valveNote->clear();
        update();
    });
    connect(Text1, &QLineEdit::editingFinished, this, &Ellenorzes::steamPipeLeft);
    connect(Text2, &QLineEdit::editingFinished, this, &Ellenorzes::valveLeft);

    showValve();
    update();
    setMinimumWidth(620);
}

void Ellenorzes::showValve() {
    if (m_valveText.empty()) {
        const Currency maximum = m_source.main.MaxPressureAbs - kGaugeToAbsolute;
        Text2->setText(qs(currencyText(maximum, decimalSeparator())));
        m_valveNote->setText(QStringLiteral("(a maximális rendszernyomás)"));
    } else {
        Text2->setText(qs(m_valveText));
        m_valveNote->clear();
    }
}

bool Ellenorzes::followsMaximum() const {
    return Text2->text().trimmed().isEmpty() || (m_valveText.empty() && !Text2->isModified());
}

void Ellenorzes::steamPipeLeft() {
    if (m_reporting) return;
    const std::string text = ss(Text1->text());
    if (const CheckInputRead read = readSteamPipeVolume(text); read.message) {
        m_reporting = true;
        showError(this, qs(*read.message));
        Text1->setText(qs(m_steamPipeText));
        m_reporting = false;
    } else {
        m_steamPipeText = text;
    }
    m_host.setCheckInputs(m_steamPipeText, m_valveText);
    update();
}

void Ellenorzes::valveLeft() {
    if (m_reporting) return;
    const std::string text = ss(Text2->text());
    if (followsMaximum()) {
        // Untouched or emptied: the opening pressure follows the maximum system pressure.
        m_valveText.clear();
    } else if (const CheckInputRead read = readValvePressure(text); read.message) {
        m_reporting = true;
        showError(this, qs(*read.message));
        m_reporting = false;
    } else {
        m_valveText = text;
    }
    showValve();
    Text2->setModified(false);
    m_host.setCheckInputs(m_steamPipeText, m_valveText);
    update();
}

void Ellenorzes::reject() {
    // Esc leaves no field: keep what passes, drop what does not, without a message.
    if (!readSteamPipeVolume(ss(Text1->text())).message) m_steamPipeText = ss(Text1->text());
    if (followsMaximum()) {
        m_valveText.clear();
    } else if (!readValvePressure(ss(Text2->text())).message) {
        m_valveText = ss(Text2->text());
    }
    m_host.setCheckInputs(m_steamPipeText, m_valveText);
    QDialog::reject();
}

void Ellenorzes::update() {
    // While typing, a figure its check accepts already counts.
    const std::string steam = ss(Text1->text());
    const std::string valve = ss(Text2->text());
    m_source.job.steamPipeVolume = readSteamPipeVolume(steam).message ? m_steamPipeText : steam;
    m_source.job.valvePressure = followsMaximum()                   ? std::string()
                                 : readValvePressure(valve).message ? m_valveText
                                                                    : valve;
    m_check = checkVessel(m_source.main, m_source.job, decimalSeparator());
    for (std::size_t i = 0; i < m_check.figures.size() && i < m_figureValues.size(); ++i) {
        const CheckFigure& f = m_check.figures[i];
        m_figureValues[i]->setText(qs(f.text));
        m_figureValues[i]->setAlignment(f.value ? Qt::AlignRight | Qt::AlignVCenter
                                                : Qt::AlignLeft | Qt::AlignVCenter);
        m_figureUnits[i]->setText(qs(f.unit));
    }
    QStringList lines;
    for (const std::string& v : m_check.verdicts) lines << QStringLiteral("• ") + qs(v);
    m_verdicts->setText(lines.join(QLatin1Char('\n')));
    m_ownMinimum->setText(qs(m_check.ownMinimumText));
    m_standardMinimum->setText(qs(m_check.standardMinimumText));
    m_difference->setText(qs(m_check.differenceNote));
}

}  // namespace expans::ui

#include "io/report_data.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "catalogue.h"
#include "numtext.h"
#include "panel.h"
#include "standard_check.h"
#include "summation.h"
#include "tables.h"
#include "units.h"
#include "version.h"
#include "widgets/style.h"

namespace expans::ui {

namespace {

// The table's temperatures: from the cold temperature in tens up to the collector slider's top.
constexpr int kTableLast = kCollectorSliderMax;  // °C
constexpr int kTableStep = 10;                   // °C

const std::vector<Caption> kMainWindowCaptions = {
    {"Label1", "A napkollektoros rendszer teljes térfogata, [liter]:"},
    {"Label23", "A napkollektor köri hőátadó folyadék típusa:"},
    {"Label2", "Levegő oldali előnyomás [bar]:"},
    {"Label4", "Feltöltési (hideg) nyomás [bar]:"},
    {"Label3", "Maximális rendszernyomás [bar]:"},
    {"Label5", "Hideg (feltöltési) hőmérséklet [°C]:"},
    {"Label6", "A tartáy méretezésnél figyelembe vett maximális, átlagos hőmérséklet [°C]:"},
    {"Label13", "Kollektorokban való gőzképződés figyelembevétele:"},
    {"Label17", "Napkollektorok térfogata (gőzképződés térfogata) [liter]:"},
    {"Label36", "A napkollektorok és a tágulási tartály közötti szintkülönbség [m]:"},
    {"Label7", "Térfogat változás Tmeleg-re melegedés és elgőzölgés esetén [liter]:",
     "Térfogat változás Tmeleg-re melegedés esetén [liter]:"},
    {"Label8", "Térfogat melegen [liter]:"},
    {"Label9", "Tágulási tartály minimális mérete [liter]: "},
    {"Label24", "Fagyálló folyadék koncentrátum szükséglet, [liter]:"},
    {"Label10", "Választott tágulási tartály:"},
};

// The volume window's caption of its total.
const char* const kSystemVolumeCaption = "A rendszer térfogata (liter)";

// A window caption without its trailing unit and colon: "Feltöltési (hideg) nyomás [bar]:"
// gives "Feltöltési (hideg) nyomás".
QString captionOf(const char* control, bool evaporation) {
    for (const Caption& c : kMainWindowCaptions) {
        if (std::strcmp(c.control, control) != 0) continue;
        QString caption =
            QString::fromUtf8(!evaporation && c.withoutEvaporation ? c.withoutEvaporation : c.text)
                .simplified();
        static const QRegularExpression tail(QStringLiteral("[\\s,]*(\\[[^\\]]*\\])?[\\s,:]*$"));
        caption.remove(tail);
        return caption;
    }
    return {};
}

// A list's entry, or nothing for no choice.
QString entry(const std::vector<std::string>& entries, int index) {
    return index >= 0 && index < static_cast<int>(entries.size())
               ? qs(entries[static_cast<std::size_t>(index)])
               : QString();
}

QString field(const Job& job, MainField which) {
    return qs(job.field(which));
}

void collectInputs(const Job& job, ReportData& data) {
    const bool evaporation = job.evaporation;
    // Pressures are shown as typed: gauge pressure.
    const QString gauge = QStringLiteral("bar (túlnyomás)");
    const auto input = [&](const char* caption, const QString& value, const QString& unit) {
        data.inputs.push_back({{captionOf(caption, evaporation), value, unit}});
    };
    input("Label1", field(job, MainField::Text1), QStringLiteral("liter"));
    input("Label23", entry(fluidNames(), job.fluidIndex), {});
    input("Label2", field(job, MainField::Text2), gauge);
    input("Label4", field(job, MainField::Text4), gauge);
    input("Label3", field(job, MainField::Text3), gauge);
    input("Label5", field(job, MainField::Text5), QStringLiteral("°C"));
    input("Label6", field(job, MainField::Text6), QStringLiteral("°C"));
    input("Label13", evaporation ? QStringLiteral("igen") : QStringLiteral("nem"), {});
    // Without the option the sizing reads neither box.
    if (evaporation) {
        input("Label17", field(job, MainField::Text11), QStringLiteral("liter"));
        input("Label36", field(job, MainField::Text7), QStringLiteral("m"));
    }
}

// One row of the volume window: its list, the per-unit figure's box and the amount's box.
struct CircuitRow {
    QString element;
    VolumeList list;
    VolumeBox unitBox;
    QString unit;
    std::optional<VolumeBox> amountBox;
    QString amountUnit;
    std::optional<Currency> volume;  // empty when the product leaves the stored range
};

void collectCircuit(const VolumeState& s, const Job& job, ReportData& data) {
    const char sep = decimalSeparator();
    const QString perPiece = QStringLiteral("liter/db");
    const QString perMetre = QStringLiteral("liter/m");
    const QString litre = QStringLiteral("liter");
    using B = VolumeBox;
    using L = VolumeList;
    const auto boxText = [&job](VolumeBox box) {
        return qs(job.volumeBoxes[static_cast<std::size_t>(box)]);
    };
    const auto total = [&s, sep](VolumeLabel label) { return qs(volumeLabelText(s, label, sep)); };
    const auto row = [&](const QString& element, L list, B unitBox, const QString& unit,
                         std::optional<B> amountBox, const QString& amountUnit, Currency a,
                         Currency b = Currency::fromInt(1)) {
        // The same product the summation forms; the last successful sum held it, so it fits.
        std::optional<Currency> sum;
        try {
            sum = a * b;
        } catch (const ArithmeticFault&) {
        }
        return CircuitRow{element, list, unitBox, unit, amountBox, amountUnit, sum};
    };
    const auto group = [&](std::initializer_list<CircuitRow> rows, const QString& subtotalCaption,
                           VolumeLabel subtotal) {
        for (const CircuitRow& r : rows) {
            const int index = job.volumeLists[static_cast<std::size_t>(r.list)];
            const std::vector<std::string> entries = listEntries(r.list);
            const bool hasNone = !entries.empty() && entries.front() == kNoneEntry;
            if (index < 0 || (hasNone && index == 0)) continue;  // row switched off
            const QString amount = r.amountBox
                                       ? boxText(*r.amountBox) + QLatin1Char(' ') + r.amountUnit
                                       : QStringLiteral("–");
            data.circuit.push_back(
                {{r.element, entry(entries, index), boxText(r.unitBox) + QLatin1Char(' ') + r.unit,
                  amount, r.volume ? qs(currencyText(*r.volume, sep)) : QStringLiteral("–")}});
        }
        data.circuit.push_back(
            {{subtotalCaption, {}, {}, {}, total(subtotal)}, RowStyle::Subtotal});
    };

    group({row(QStringLiteral("Napkollektor, 1. sor"), L::Combo4, B::Text1, perPiece, B::Text2,
               QStringLiteral("db"), s.CollectorUnitVolume1, s.CollectorCount1),
           row(QStringLiteral("Napkollektor, 2. sor"), L::Combo5, B::Text13, perPiece, B::Text14,
               QStringLiteral("db"), s.CollectorUnitVolume2, s.CollectorCount2)},
          QStringLiteral("Napkollektorok összesen"), VolumeLabel::Label9);
    group({row(QStringLiteral("Cső, 1. szakasz"), L::Combo6, B::Text15, perMetre, B::Text3,
               QStringLiteral("m"), s.PipeLitresPerMetre1, s.PipeLength1),
           row(QStringLiteral("Cső, 2. szakasz"), L::Combo7, B::Text16, perMetre, B::Text4,
               QStringLiteral("m"), s.PipeLitresPerMetre2, s.PipeLength2),
           row(QStringLiteral("Cső, 3. szakasz"), L::Combo8, B::Text17, perMetre, B::Text5,
               QStringLiteral("m"), s.PipeLitresPerMetre3, s.PipeLength3),
           row(QStringLiteral("Cső, 4. szakasz"), L::Combo9, B::Text18, perMetre, B::Text6,
               QStringLiteral("m"), s.PipeLitresPerMetre4, s.PipeLength4)},
          QStringLiteral("Csővezeték rendszer összesen"), VolumeLabel::Label10);
    group({row(QStringLiteral("Hőcserélő 1."), L::Combo1, B::Text8, litre, std::nullopt, {},
               s.ExchangerVolume1),
           row(QStringLiteral("Hőcserélő 2."), L::Combo2, B::Text9, litre, std::nullopt, {},
               s.ExchangerVolume2),
           row(QStringLiteral("Hőcserélő 3."), L::Combo3, B::Text10, litre, std::nullopt, {},
               s.ExchangerVolume3)},
          QStringLiteral("Hőcserélők összesen"), VolumeLabel::Label13);
    data.circuit.push_back({{QStringLiteral("Egyéb szerelvények"),
                             {},
                             boxText(B::Text12) + QLatin1Char(' ') + litre,
                             QStringLiteral("–"),
                             total(VolumeLabel::Label16)},
                            RowStyle::Subtotal});
    data.circuit.push_back(
        {{QString::fromUtf8(kSystemVolumeCaption), {}, {}, {}, total(VolumeLabel::Label14)},
         RowStyle::Total});
}

void collectResults(const ReportSource& source, ReportData& data) {
    const char sep = decimalSeparator();
    const MainState& s = source.main;
    const SizingLabels& shown = source.results;
    const bool evaporation = source.job.evaporation;
    const QString litre = QStringLiteral("liter");
    const auto caption = [evaporation](const char* control) {
        return captionOf(control, evaporation);
    };
    data.results = {
        {{caption("Label7"), qs(shown.expansionVolumeText), litre}},
        {{caption("Label8"), qs(shown.hotVolumeText), litre}},
        {{caption("Label9"), qs(shown.minVesselVolumeText), litre}, RowStyle::Subtotal},
        {{caption("Label24"), qs(shown.concentrateText), litre}},
        {{caption("Label10"), entry(vesselNames(), source.job.vesselIndex), {}},
         RowStyle::Subtotal},
        {{QStringLiteral("A választott tartály folyadéktartaléka feltöltési nyomáson"),
          qs(resultText(s.VesselWaterReserve, sep)), litre}},
    };
    if (Currency::fromInt(s.SelectedVesselVolume) < s.MinVesselVolume) {
        data.resultsNote =
            QStringLiteral("Figyelem: a választott tartály kisebb a számított minimális méretnél.");
    }
}

void collectOperatingState(const ReportSource& source, ReportData& data) {
    const char sep = decimalSeparator();
    const MainState& s = source.main;
    const PanelDisplay& shown = source.panel;
    // Without the evaporation option the panel hides the collector temperature and boiling point.
    const bool evaporation = source.job.evaporation;
    const bool vapourShown = shown.vapourLabelsVisible.value_or(true);

    PanelView& panel = data.panel;
    panel.needle = shown.needle;
    panel.gas = shown.gasBar;
    panel.valveBlows = !shown.closedValveVisible;
    panel.pressure = qs(shown.gaugePressureText);

    const auto line = [&data](const QString& caption, const QString& value) {
        data.operating.push_back({{caption, value}});
    };
    line(QStringLiteral("Átlagos folyadékhőmérséklet"),
         qs(degreesText(source.job.meanTemperature)));
    if (evaporation)
        line(QStringLiteral("Kollektorhőmérséklet"), qs(shown.collectorTemperatureText));
    line(QStringLiteral("Rendszernyomás"), panel.pressure + QStringLiteral(" bar"));
    line(QStringLiteral("Gáztérfogat a tartályban"),
         qs(resultText(s.GasVolume, sep)) + QStringLiteral(" liter"));
    if (evaporation)
        line(QStringLiteral("Forráspont a kollektoroknál"), qs(shown.boilingPointText));
    line(QStringLiteral("Gőzképződés"),
         vapourShown ? qs(shown.vapourShareText) : QStringLiteral("nincs"));
    line(QStringLiteral("Biztonsági szelep"),
         panel.valveBlows ? QStringLiteral("lefúj") : QStringLiteral("zárva"));
}

// Each row is the slider panel's own recomputation at that collector temperature: the window's
// stored values, the collector-volume box as it stands, and the slider position.
void collectTable(const ReportSource& source, ReportData& data) {
    const char sep = decimalSeparator();
    const MainState& s = source.main;
    const std::string& text11 = source.job.field(MainField::Text11);
    const int current = source.job.collectorTemperature;

    data.tableIntro = QStringLiteral(
                          "Átlagos folyadékhőmérséklet: %1. Minden sor azt mutatja, amit az "
                          "üzemállapot-panel az adott kollektorhőmérsékletnél.")
                          .arg(qs(degreesText(s.MeanTemperature)));

    // The first row is the cold temperature as the slider takes it (to the nearest degree), then
    // the round tens above it up to 200 °C.
    const double cold = std::nearbyint(s.ColdTemperature.toDouble());
    if (cold > kTableLast) {
        data.tableNote =
            QStringLiteral("A hideg hőmérséklet (%1 °C) 200 °C fölött van: nincs táblázat.")
                .arg(qs(currencyText(s.ColdTemperature, sep)));
        return;
    }
    std::vector<int> temperatures;
    const int first = static_cast<int>(std::max(cold, double{kCollectorSliderMin}));
    temperatures.push_back(first);
    for (int t = (first >= 0 ? first / kTableStep + 1 : first / kTableStep) * kTableStep;
         t <= kTableLast; t += kTableStep) {
        if (t > first) temperatures.push_back(t);
    }

    for (const int t : temperatures) {
        const OperatingOutcome outcome = recompute(s, t, text11, sep);
        const RowStyle style = t == current ? RowStyle::Marked : RowStyle::Plain;
        if (!outcome.ok) {
            data.table.push_back({{qs(outcome.display.collectorTemperatureText),
                                   QStringLiteral("–"), QStringLiteral("–"), QStringLiteral("–"),
                                   QStringLiteral("–"), QStringLiteral("–")},
                                  style});
            data.tableNote = qs(outcome.message);
            continue;
        }
        const PanelDisplay& d = outcome.display;
        // The panel hides the vapour share while nothing boils.
        const bool vapourShown = d.vapourLabelsVisible.value_or(true);
        data.table.push_back(
            {{qs(d.collectorTemperatureText), qs(d.gaugePressureText),
              qs(resultText(outcome.state.GasVolume, sep)), qs(d.boilingPointText),
              vapourShown ? qs(d.vapourShareText) : QStringLiteral("–"),
              outcome.valveBlowsOff ? QStringLiteral("igen") : QStringLiteral("nem")},
             style});
    }
}

void collectCheck(const ReportSource& source, ReportData& data) {
    const StandardCheck c = checkVessel(source.main, source.job, decimalSeparator());
    for (const CheckFigure& f : c.figures) {
        data.check.push_back({{qs(f.caption), qs(f.text), qs(f.unit)}});
    }
    for (const std::string& v : c.verdicts) data.checkVerdicts.push_back({{qs(v)}});
    const QString litre = QStringLiteral("liter");
    data.checkCompare = {
        {{QStringLiteral("Tágulási tartály minimális mérete a program szerint"),
          qs(c.ownMinimumText), litre}},
        {{QStringLiteral("Legkisebb névleges térfogat az MSZ EN 12828 szerint"),
          qs(c.standardMinimumText), litre},
         RowStyle::Subtotal},
    };
    data.checkNote = qs(c.differenceNote);
}

// The commissioning sheet. The pressures over the mean temperature are the slider panel's own
// recomputation with the collectors kCollectorAboveMean above the mean, as the sliders couple.
void collectCommissioning(const ReportSource& source, ReportData& data) {
    const char sep = decimalSeparator();
    const MainState& s = source.main;
    const Job& job = source.job;
    const QString bar = QStringLiteral("bar (túlnyomás)");
    const CheckInputs inputs = checkInputsOf(job);
    const Currency valve = inputs.valvePressure.value_or(s.MaxPressureAbs - kGaugeToAbsolute);
    data.commissioning = {
        {{QStringLiteral("A tartály előnyomása feltöltés előtt, üres folyadék oldallal"),
          qs(currencyText(s.PrePressureAbs - kGaugeToAbsolute, sep)), bar},
         RowStyle::Subtotal},
        {{QStringLiteral("Feltöltési nyomás hideg állapotban (%1 °C)")
              .arg(qs(currencyText(s.ColdTemperature, sep))),
          qs(currencyText(s.FillPressureAbs - kGaugeToAbsolute, sep)), bar},
         RowStyle::Subtotal},
        {{QStringLiteral("Hőátadó folyadék"), entry(fluidNames(), job.fluidIndex), {}}},
        {{QStringLiteral("Bekeverendő fagyálló koncentrátum"), qs(source.results.concentrateText),
          QStringLiteral("liter")}},
        {{inputs.valvePressure
              ? QStringLiteral("A biztonsági szelep nyitónyomása")
              : QStringLiteral("A biztonsági szelep nyitónyomása (a maximális rendszernyomás)"),
          qs(currencyText(valve, sep)), bar}},
        {{QStringLiteral("Választott tágulási tartály"),
          entry(vesselNames(), job.vesselIndex),
          {}}},
    };

    // From the cold temperature (as the slider takes it) in steps of 20 °C up to the maximum
    // mean temperature, which closes the table.
    const int cold = static_cast<int>(std::nearbyint(s.ColdTemperature.toDouble()));
    const int hottest = static_cast<int>(std::floor(s.MaxMeanTemperature.toDouble()));
    const int first = std::clamp(cold, kMeanSliderMin, kMeanSliderMax);
    const int last = std::clamp(hottest, first, kMeanSliderMax);
    std::vector<int> temperatures{first};
    for (int t = (first / 20 + (first >= 0 ? 1 : 0)) * 20; t < last; t += 20) {
        if (t > first) temperatures.push_back(t);
    }
    if (last > first) temperatures.push_back(last);
    const std::string& text11 = job.field(MainField::Text11);
    for (const int t : temperatures) {
        MainState step = s;
        const MeanSliderStep mean = meanSlider(step, t);
        const OperatingOutcome outcome = recompute(step, mean.collectorTemperature, text11, sep);
        if (!outcome.ok) {
            data.pressureSteps.push_back(
                {{qs(mean.meanTemperatureText), qs(degreesText(mean.collectorTemperature)),
                  QStringLiteral("–"), QStringLiteral("–")}});
            data.pressureNote = qs(outcome.message);
            continue;
        }
        data.pressureSteps.push_back(
            {{qs(mean.meanTemperatureText), qs(outcome.display.collectorTemperatureText),
              qs(outcome.display.gaugePressureText),
              outcome.valveBlowsOff ? QStringLiteral("igen") : QStringLiteral("nem")}});
    }
    if (data.pressureNote.isEmpty()) {
        data.pressureNote = QStringLiteral(
            "Ha az ellenőrzéskor a nyomás ugyanazon a hőmérsékleten jóval kisebb, a tartály "
            "gázpárnája fogyott el vagy a kör folyadékot vesztett.");
    }
}

}  // namespace

const std::vector<Caption>& mainWindowCaptions() {
    return kMainWindowCaptions;
}

ReportData reportData(const ReportSource& source, const QString& jobFileName) {
    ReportData data;
    data.version = QCoreApplication::applicationVersion();
    if (data.version.isEmpty()) data.version = QString::fromLatin1(kProgramVersion);
    const QLocale hungarian(QLocale::Hungarian, QLocale::Hungary);
    data.date =
        hungarian.toString(QDateTime::currentDateTime(), QStringLiteral("yyyy. MMMM d. HH:mm"));
    data.jobName = jobFileName.isEmpty() ? QStringLiteral("(nincs mentve)")
                                         : QFileInfo(jobFileName).fileName();
    collectInputs(source.job, data);
    if (source.volume) collectCircuit(*source.volume, source.job, data);
    collectResults(source, data);
    collectOperatingState(source, data);
    collectTable(source, data);
    collectCheck(source, data);
    collectCommissioning(source, data);
    return data;
}

}  // namespace expans::ui

#include "io/jobfile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <cmath>
#include <utility>

#include "io/savefile.h"
#include "io/utf8.h"
#include "numtext.h"
#include "standard_check.h"

namespace expans::ui {

namespace {

const QString kFormatName = QStringLiteral("orvenda-expans-job");

// Keys are the controls' names; the two sections are named after their windows.
const char* const kMainSection = "Tagtartaly";
const char* const kVolumeSection = "Rendszerterfogat";
const char* const kMainFieldKeys[kMainFieldCount] = {"Text1", "Text2", "Text3", "Text4",
                                                     "Text5", "Text6", "Text7", "Text11"};
const char* const kVolumeListKeys[kVolumeListCount] = {
    "Combo1", "Combo2", "Combo3", "Combo4", "Combo5", "Combo6", "Combo7", "Combo8", "Combo9"};
// In the order of VolumeBox.
const char* const kVolumeBoxKeys[kVolumeBoxCount] = {
    "Text1",  "Text2",  "Text3",  "Text4",  "Text5",  "Text6",  "Text8",  "Text9",
    "Text10", "Text12", "Text13", "Text14", "Text15", "Text16", "Text17", "Text18"};

QString key(const char* name) {
    return QString::fromLatin1(name);
}

QString qs(const std::string& text) {
    return textFromUtf8(text);
}

// Characters (code points) of a text: what a user counts, one for each, however many UTF-16
// units it takes.
qsizetype characterCount(const QString& text) {
    qsizetype count = text.size();
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && text.at(i + 1).isLowSurrogate()) --count, ++i;
    }
    return count;
}

bool textFits(const QString& text) {
    return characterCount(text) <= kMaxJobTextLength;
}

// Reads one section's values; the first fault ends the reading with its message.
class SectionReader {
public:
    SectionReader(const QJsonObject& section, const char* sectionName)
        : m_section(section), m_sectionName(key(sectionName)) {}

    const QString& error() const { return m_error; }

    std::string text(const char* name) {
        const QJsonValue value = find(name);
        if (value.isUndefined()) return {};
        if (!value.isString()) return fail(name, wrongType()), std::string();
        const QString text = value.toString();
        if (!textFits(text)) {
            return fail(name, QStringLiteral("A(z) „%1” szövege túl hosszú.")), std::string();
        }
        return text.toStdString();
    }

    // An index or slider position: a whole number within [minimum, maximum].
    int number(const char* name, int minimum, int maximum) {
        const QJsonValue value = find(name);
        if (value.isUndefined()) return minimum;
        if (!value.isDouble()) return fail(name, wrongType()), minimum;
        const double number = value.toDouble();
        if (!std::isfinite(number) || number != std::floor(number) || number < minimum ||
            number > maximum) {
            return fail(name, QStringLiteral("A(z) „%1” értéke érvénytelen.")), minimum;
        }
        return static_cast<int>(number);
    }

    // A stored figure, written with a decimal point; it may be missing.
    std::optional<Currency> figure(const char* name) {
        if (!m_error.isEmpty() || !m_section.contains(key(name))) return std::nullopt;
        const QJsonValue value = m_section.value(key(name));
        if (!value.isString()) return fail(name, wrongType()), std::nullopt;
        const CurrencyParse parsed = parseCurrency(value.toString().toStdString());
        if (parsed.status != ParseStatus::Ok) {
            return fail(name, QStringLiteral("A(z) „%1” értéke érvénytelen.")), std::nullopt;
        }
        return parsed.value;
    }

    bool flag(const char* name) {
        const QJsonValue value = find(name);
        if (value.isUndefined()) return false;
        if (!value.isBool()) return fail(name, wrongType()), false;
        return value.toBool();
    }

private:
    static QString wrongType() { return QStringLiteral("A(z) „%1” adat típusa hibás."); }

    QJsonValue find(const char* name) {
        if (!m_error.isEmpty()) return QJsonValue(QJsonValue::Undefined);
        const auto it = m_section.constFind(key(name));
        if (it == m_section.constEnd()) {
            fail(name, QStringLiteral("Hiányzik belőle a(z) „%1” adat."));
            return QJsonValue(QJsonValue::Undefined);
        }
        return it.value();
    }

    void fail(const char* name, const QString& pattern) {
        if (m_error.isEmpty()) m_error = pattern.arg(m_sectionName + QLatin1Char('.') + key(name));
    }

    QJsonObject m_section;
    QString m_sectionName;
    QString m_error;
};

JobRead failure(const QString& error) {
    return {std::nullopt, error};
}

}  // namespace

QByteArray jobToJson(const Job& job) {
    QJsonObject main;
    for (std::size_t i = 0; i < kMainFieldCount; ++i) {
        main.insert(key(kMainFieldKeys[i]), qs(job.mainFields[i]));
    }
    main.insert(QStringLiteral("Combo1"), job.fluidIndex);
    main.insert(QStringLiteral("Check1"), job.evaporation);
    main.insert(QStringLiteral("Tagtartaly"), job.vesselIndex);
    main.insert(QStringLiteral("HScroll1"), job.meanTemperature);
    main.insert(QStringLiteral("HScroll2"), job.collectorTemperature);
    if (job.staticHeight) {
        main.insert(QStringLiteral("StaticHeight"), qs(currencyText(*job.staticHeight, '.')));
    }
    main.insert(QStringLiteral("SteamPipeVolume"), qs(job.steamPipeVolume));
    main.insert(QStringLiteral("ValveOpeningPressure"), qs(job.valvePressure));

    QJsonObject volume;
    for (std::size_t i = 0; i < kVolumeListCount; ++i) {
        volume.insert(key(kVolumeListKeys[i]), job.volumeLists[i]);
    }
    for (std::size_t i = 0; i < kVolumeBoxCount; ++i) {
        volume.insert(key(kVolumeBoxKeys[i]), qs(job.volumeBoxes[i]));
    }

    QJsonObject root;
    root.insert(QStringLiteral("format"), kFormatName);
    root.insert(QStringLiteral("version"), kJobFormatVersion);
    root.insert(key(kMainSection), main);
    root.insert(key(kVolumeSection), volume);
    // Qt's JSON reader drops a U+FEFF that starts a string as if it were a byte-order mark, but
    // keeps an escaped one; escaped anywhere, the character reads back as it was written.
    return QJsonDocument(root).toJson(QJsonDocument::Indented).replace("\xEF\xBB\xBF", "\\ufeff");
}

JobRead jobFromJson(const QByteArray& bytes) {
    if (bytes.size() > kMaxJobFileBytes) {
        return failure(QStringLiteral("A fájl túl nagy: egy munkafájl legfeljebb 1 MB lehet."));
    }
    if (bytes.trimmed().isEmpty()) return failure(QStringLiteral("A fájl üres."));
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        return failure(QStringLiteral("A fájl sérült vagy csonka: a(z) %1. bájtnál hibás a "
                                      "JSON-szerkezet.")
                           .arg(parseError.offset + 1));
    }
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value(QStringLiteral("format")).toString() != kFormatName) {
        return failure(QStringLiteral("Ez nem Orvenda-Expans munkafájl."));
    }
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (!version.isDouble()) {
        return failure(QStringLiteral("A munkafájl változatszáma hiányzik vagy hibás."));
    }
    const double versionNumber = version.toDouble();
    if (versionNumber != 1 && versionNumber != 2 && versionNumber != kJobFormatVersion) {
        return failure(QStringLiteral("A munkafájl ismeretlen változatú (%1); ez a program az "
                                      "1–%2. változatot olvassa.")
                           .arg(version.toDouble())
                           .arg(kJobFormatVersion));
    }
    for (const char* section : {kMainSection, kVolumeSection}) {
        if (!root.value(key(section)).isObject()) {
            return failure(QStringLiteral("Hiányzik belőle a(z) „%1” rész, vagy hibás a típusa.")
                               .arg(key(section)));
        }
    }

    Job job;
    SectionReader main(root.value(key(kMainSection)).toObject(), kMainSection);
    for (std::size_t i = 0; i < kMainFieldCount; ++i) {
        job.mainFields[i] = main.text(kMainFieldKeys[i]);
    }
    job.fluidIndex = main.number("Combo1", 0, fluidCount() - 1);
    job.evaporation = main.flag("Check1");
    job.vesselIndex = main.number("Tagtartaly", 0, vesselCount() - 1);
    job.meanTemperature = main.number("HScroll1", kMeanSliderMin, kMeanSliderMax);
    job.collectorTemperature = main.number("HScroll2", kCollectorSliderMin, kCollectorSliderMax);
    job.staticHeight = main.figure("StaticHeight");
    // Older files hold neither: the check's defaults stay.
    if (versionNumber >= 3) {
        job.steamPipeVolume = main.text("SteamPipeVolume");
        job.valvePressure = main.text("ValveOpeningPressure");
    }
    if (!main.error().isEmpty()) return failure(main.error());

    SectionReader volume(root.value(key(kVolumeSection)).toObject(), kVolumeSection);
    for (std::size_t i = 0; i < kVolumeListCount; ++i) {
        job.volumeLists[i] = volume.number(kVolumeListKeys[i], 0, volumeListCount(i) - 1);
    }
    for (std::size_t i = 0; i < kVolumeBoxCount; ++i) {
        job.volumeBoxes[i] = volume.text(kVolumeBoxKeys[i]);
    }
    if (!volume.error().isEmpty()) return failure(volume.error());
    if (const std::optional<std::string> fault = ruleFault(job)) return failure(qs(*fault));
    if (const std::optional<std::string> fault = checkInputFault(job)) return failure(qs(*fault));
    return {job, {}};
}

JobRead readJobFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return failure(QStringLiteral("A fájl nem olvasható (%1).").arg(file.errorString()));
    }
    // Read one byte past the limit, so an oversized file is told apart without reading it all.
    const QByteArray bytes = file.read(kMaxJobFileBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        return failure(QStringLiteral("A fájl nem olvasható (%1).").arg(file.errorString()));
    }
    return jobFromJson(bytes);
}

QString unwritableReason(const Job& job) {
    const auto tooLong = [](const char* section, const char* name, const std::string& text) {
        const QString value = qs(text);
        if (textFits(value)) return QString();
        return QStringLiteral(
                   "A(z) „%1.%2” szövege %3 karakter, de egy szöveg legfeljebb %4 "
                   "karakter lehet.")
            .arg(key(section), key(name))
            .arg(characterCount(value))
            .arg(kMaxJobTextLength);
    };
    for (std::size_t i = 0; i < kMainFieldCount; ++i) {
        if (QString reason = tooLong(kMainSection, kMainFieldKeys[i], job.mainFields[i]);
            !reason.isEmpty()) {
            return reason;
        }
    }
    for (std::size_t i = 0; i < kVolumeBoxCount; ++i) {
        if (QString reason = tooLong(kVolumeSection, kVolumeBoxKeys[i], job.volumeBoxes[i]);
            !reason.isEmpty()) {
            return reason;
        }
    }
    for (const auto& [name, text] : {std::pair{"SteamPipeVolume", &job.steamPipeVolume},
                                     std::pair{"ValveOpeningPressure", &job.valvePressure}}) {
        if (QString reason = tooLong(kMainSection, name, *text); !reason.isEmpty()) return reason;
    }
    return {};
}

bool writeJobFile(const QString& path, const Job& job, QString* error) {
    if (QString reason = unwritableReason(job); !reason.isEmpty()) {
        if (error) *error = reason;
        return false;
    }
    return writeFileWhole(path, jobToJson(job), error);
}

QString openErrorMessage(const QString& path, const QString& reason) {
    return QStringLiteral("A(z) „%1” fájl nem nyitható meg.\n%2")
        .arg(QFileInfo(path).fileName(), reason);
}

QString unwritableMessage(const QString& path, const QString& reason) {
    return QStringLiteral(
               "A(z) „%1” fájl nem menthető.\n%2\nRövidítse a szöveget, majd mentse "
               "újra; a munka nem veszett el.")
        .arg(QFileInfo(path).fileName(), reason);
}

QString saveErrorMessage(const QString& path, const QString& reason) {
    return QStringLiteral(
               "A(z) „%1” fájl mentése nem sikerült (%2).\nA munka nem veszett el; "
               "mentse más helyre vagy más néven.")
        .arg(QFileInfo(path).fileName(), reason);
}

}  // namespace expans::ui

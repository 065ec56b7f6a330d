// Job file reader. An input that starts like a file ('{', a blank or a byte-order mark) is read
// as it stands; any other input is a recipe of changes to a sound job: values of the wrong type,
// dropped and repeated keys, deep nesting, huge numbers, 1 MB texts, invalid UTF-8, a leading
// byte-order mark, another version (1 to 3 are read). Properties: a rejected file gets one
// message (one line); an accepted job keeps the window's own rules and the check's input ranges,
// and the writer's bytes read back to the same job and write out again byte for byte.
#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "catalogue.h"
#include "fuzz_check.h"
#include "io/jobfile.h"
#include "job.h"
#include "standard_check.h"

namespace {

using expans::Job;
using expans::MainField;

class Recipe {
public:
    Recipe(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool more() const { return m_size > 0; }
    unsigned next() {
        if (m_size == 0) return 0;
        --m_size;
        return *m_data++;
    }
    unsigned below(unsigned n) { return next() % n; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};

// The start-up job, as the program saves it.
Job soundJob() {
    Job job;
    const char* const fields[] = {"18,3", "3,5", "6", "4", "20", "140", "7", "4,71"};
    for (std::size_t i = 0; i < expans::kMainFieldCount; ++i) job.mainFields[i] = fields[i];
    job.fluidIndex = 4;
    job.vesselIndex = 3;
    job.meanTemperature = 60;
    job.collectorTemperature = 70;
    job.staticHeight = expans::Currency::fromInt(7);
    for (std::size_t i = 0; i < expans::kVolumeListCount; ++i) {
        const auto list = static_cast<expans::VolumeList>(i);
        job.volumeLists[i] = expans::startIndex(list);
        for (const expans::FixedBox& fixed : expans::fixedBoxes(list, job.volumeLists[i], ',')) {
            job.volumeBoxes[static_cast<std::size_t>(fixed.box)] = fixed.text;
        }
    }
    for (std::string& text : job.volumeBoxes) {
        if (text.empty()) text = "2";
    }
    return job;
}

QString text(Recipe& recipe) {
    static const char* const kEdge[] = {"",
                                        "0",
                                        "-5",
                                        "3,5",
                                        "0.201",
                                        "abc",
                                        "1e5",
                                        " 4 ",
                                        ",",
                                        "-0",
                                        "1,5",
                                        "300",
                                        "50000000",
                                        "922337203685477,5807",
                                        ("\xEF\xBB\xBF"
                                         "3")};
    if (recipe.below(2) == 0) return QString::fromUtf8(kEdge[recipe.below(std::size(kEdge))]);
    std::string bytes(recipe.below(16), '\0');
    for (char& c : bytes) c = static_cast<char>(recipe.next());
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QJsonValue nested(unsigned depth, bool arrays) {
    QJsonValue value = QStringLiteral("1");
    for (unsigned i = 0; i < depth; ++i) {
        if (arrays) {
            value = QJsonArray{value};
        } else {
            value = QJsonObject{{QStringLiteral("a"), value}};
        }
    }
    return value;
}

QJsonValue value(Recipe& recipe) {
    switch (recipe.below(11)) {
        case 0:
            return static_cast<int>(recipe.next()) - 40;
        case 1: {
            const double huge[] = {1e308, -1e308, 9.3e18, 2147483648.0, 1e-320, 4503599627370497.0};
            return huge[recipe.below(std::size(huge))];
        }
        case 2:
            return -0.0;
        case 3:
            return 0.5 + recipe.below(3);
        case 4:
            return recipe.below(2) == 1;
        case 5:
            return QJsonValue(QJsonValue::Null);
        case 6:
            return QJsonArray{text(recipe)};
        case 7:
            return nested(1 + recipe.next() * 8, recipe.below(2) == 0);
        case 8:
            // Costly to build and to read, so only now and then: about the file's whole limit.
            if (recipe.below(16) == 0) {
                return QString(1024 * 1024 + static_cast<int>(recipe.below(3)) - 1, u'7');
            }
            return QString(static_cast<int>(990 + recipe.below(20)), u'7');
        default:
            return text(recipe);
    }
}

const QStringList& keys(int section) {
    static const QStringList main = {
        QStringLiteral("Text1"),           QStringLiteral("Text2"),
        QStringLiteral("Text3"),           QStringLiteral("Text4"),
        QStringLiteral("Text5"),           QStringLiteral("Text6"),
        QStringLiteral("Text7"),           QStringLiteral("Text11"),
        QStringLiteral("Combo1"),          QStringLiteral("Check1"),
        QStringLiteral("Tagtartaly"),      QStringLiteral("HScroll1"),
        QStringLiteral("HScroll2"),        QStringLiteral("StaticHeight"),
        QStringLiteral("SteamPipeVolume"), QStringLiteral("ValveOpeningPressure")};
    static const QStringList volume = [] {
        QStringList names;
        for (int i = 0; i < 16; ++i) {
            names << QString::fromLatin1(expans::boxName(static_cast<expans::VolumeBox>(i)));
        }
        for (int i = 0; i < 9; ++i) {
            names << QString::fromLatin1(expans::listName(static_cast<expans::VolumeList>(i)));
        }
        return names;
    }();
    static const QStringList root = {QStringLiteral("format"), QStringLiteral("version"),
                                     QStringLiteral("Tagtartaly"),
                                     QStringLiteral("Rendszerterfogat")};
    return section == 0 ? main : section == 1 ? volume : root;
}

// Changes to the sound job's bytes that a JSON object cannot hold: the same key twice, bytes that
// are not UTF-8 inside a text, a byte-order mark in front.
struct ByteChange {
    enum Kind { Repeat, Invalid, Mark } kind;
    QByteArray key;
    QByteArray bytes;
};

QByteArray mutated(Recipe& recipe) {
    QJsonObject root = QJsonDocument::fromJson(expans::ui::jobToJson(soundJob())).object();
    QJsonObject sections[2] = {root.value(QStringLiteral("Tagtartaly")).toObject(),
                               root.value(QStringLiteral("Rendszerterfogat")).toObject()};
    std::vector<ByteChange> changes;
    bool sectionTaken[2] = {false, false};  // a section itself replaced or dropped
    for (int step = 0; step < 12 && recipe.more(); ++step) {
        const unsigned op = recipe.below(7);
        const int section = static_cast<int>(recipe.below(3));
        const QString key = keys(
            section)[static_cast<int>(recipe.below(static_cast<unsigned>(keys(section).size())))];
        QJsonObject& target = section == 2 ? root : sections[section];
        if (section == 2 && (op <= 2) && keys(2).indexOf(key) >= 2) {
            sectionTaken[keys(2).indexOf(key) - 2] = true;
        }
        switch (op) {
            case 0:
            case 1:
                target.insert(key, value(recipe));
                break;
            case 2:
                target.remove(key);
                break;
            case 3: {
                QJsonObject holder{{QStringLiteral("v"), value(recipe)}};
                QByteArray one = QJsonDocument(holder).toJson(QJsonDocument::Compact);
                changes.push_back({ByteChange::Repeat, key.toUtf8(), one.mid(5, one.size() - 6)});
                break;
            }
            case 4: {
                QByteArray bytes(static_cast<qsizetype>(1 + recipe.below(4)), '\0');
                for (char& c : bytes) c = static_cast<char>(0x80 + recipe.below(0x80));
                changes.push_back({ByteChange::Invalid, key.toUtf8(), bytes});
                break;
            }
            case 5:
                changes.push_back({ByteChange::Mark, {}, {}});
                break;
            default:
                root.insert(QStringLiteral("version"), static_cast<int>(recipe.below(4)));
                break;
        }
    }
    for (int i = 0; i < 2; ++i) {
        if (!sectionTaken[i]) root.insert(keys(2)[2 + i], sections[i]);
    }
    QByteArray bytes = QJsonDocument(root).toJson(recipe.below(2) ? QJsonDocument::Indented
                                                                  : QJsonDocument::Compact);
    for (const ByteChange& change : changes) {
        const QByteArray quoted = '"' + change.key + "\":";
        const qsizetype at = bytes.indexOf(quoted);
        switch (change.kind) {
            case ByteChange::Repeat:
                if (at >= 0) bytes.insert(at, quoted + change.bytes + ',');
                break;
            case ByteChange::Invalid:
                if (at >= 0) {
                    const qsizetype open = bytes.indexOf('"', at + quoted.size());
                    if (open >= 0) bytes.insert(open + 1, change.bytes);
                }
                break;
            case ByteChange::Mark:
                bytes.prepend("\xEF\xBB\xBF");
                break;
        }
    }
    return bytes;
}

bool inRange(const Job& job) {
    if (job.fluidIndex < 0 || job.fluidIndex >= expans::fluidCount()) return false;
    if (job.vesselIndex < 0 || job.vesselIndex >= expans::vesselCount()) return false;
    for (std::size_t i = 0; i < expans::kVolumeListCount; ++i) {
        if (job.volumeLists[i] < 0 || job.volumeLists[i] >= expans::volumeListCount(i))
            return false;
    }
    return job.meanTemperature >= expans::kMeanSliderMin &&
           job.meanTemperature <= expans::kMeanSliderMax &&
           job.collectorTemperature >= expans::kCollectorSliderMin &&
           job.collectorTemperature <= expans::kCollectorSliderMax;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const bool asFile = size > 0 && (data[0] == '{' || data[0] == ' ' || data[0] == '\n' ||
                                     data[0] == '\t' || data[0] == 0xEF);
    Recipe recipe(data, size);
    const QByteArray bytes =
        asFile ? QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size))
               : mutated(recipe);

    const expans::ui::JobRead read = expans::ui::jobFromJson(bytes);
    if (!read.job) {
        FUZZ_CHECK(!read.error.isEmpty(), "a refused file without a message");
        FUZZ_CHECK(!read.error.contains(QLatin1Char('\n')), read.error.toStdString());
        return 0;
    }
    FUZZ_CHECK(read.error.isEmpty(), read.error.toStdString());
    const Job& job = *read.job;
    FUZZ_CHECK(inRange(job), "an accepted job with a list index or slider out of range");
    const std::optional<std::string> fault = expans::ruleFault(job);
    FUZZ_CHECK(!fault, *fault);
    const std::optional<std::string> checkFault = expans::checkInputFault(job);
    FUZZ_CHECK(!checkFault, *checkFault);

    const QByteArray written = expans::ui::jobToJson(job);
    const expans::ui::JobRead again = expans::ui::jobFromJson(written);
    FUZZ_CHECK(again.job, "the writer's bytes are refused: " + again.error.toStdString());
    FUZZ_CHECK(*again.job == job, "the writer's bytes read back to another job");
    FUZZ_CHECK(expans::ui::jobToJson(*again.job) == written,
               "written again, the bytes differ: " + written.left(200).toStdString());
    return 0;
}

// The check by MSZ EN 12828: its dialog reached from the menu, wired to the stored values and to
// the job, and its pages in the report read back from the PDF.
#include <QAction>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>

#include "io/jobfile.h"
#include "io/report.h"
#include "standard_check.h"
#include "tagtartaly_fixture.h"
#include "windows/ellenorzes.h"
#include "windows/mainmenu.h"

namespace {

class StandardCheckTest : public MainWindowTest {
protected:
    // Runs the menu command as a user would pick it, and returns the dialog it opened.
    expans::ui::Ellenorzes* openCheck() {
        QAction* command = nullptr;
        for (QAction* action : window->menu()->menuBar()->findChildren<QAction*>()) {
            if (action->text() == u("&Ellenőrzés az MSZ EN 12828 szerint…")) command = action;
        }
        EXPECT_NE(command, nullptr);
        if (!command) return nullptr;
        command->trigger();
        settle();
        auto* dialog = window->menu()->checkDialog();
        EXPECT_NE(dialog, nullptr);
        if (dialog) {
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_EQ(dialog->windowModality(), Qt::ApplicationModal);
        }
        return dialog;
    }
    static QString shown(expans::ui::Ellenorzes* dialog, const char* name) {
        if (auto* box = dialog->findChild<QLineEdit*>(QString::fromLatin1(name)))
            return box->text();
        if (auto* label = dialog->findChild<QLabel*>(QString::fromLatin1(name)))
            return label->text();
        return QStringLiteral("<missing %1>").arg(QString::fromLatin1(name));
    }
    // Types into a field of the dialog and leaves it with Tab.
    void typeInto(expans::ui::Ellenorzes* dialog, const char* name, const QString& typed) {
        auto* box = dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
        ASSERT_NE(box, nullptr);
        box->setFocus(Qt::TabFocusReason);
        box->selectAll();
        if (typed.isEmpty()) {
            QTest::keyClick(box, Qt::Key_Delete);
        } else {
            QTest::keyClicks(box, typed);
        }
        QTest::keyClick(box, Qt::Key_Tab);
        settle();
    }
};

TEST_F(StandardCheckTest, DialogReadsTheSizingAndFollowsItsInputs) {
    // The maximum pressure typed but not left, the collector volume typed but not computed: the
    // command runs the field's check and the sizing first.
    typeAndTab("Text11", u("2"));
    auto* text3 = control<QLineEdit>("Text3");
    text3->setFocus(Qt::MouseFocusReason);
    settle();
    text3->selectAll();
    QTest::keyClicks(text3, u("5"));

    auto* dialog = openCheck();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(shown(dialog, "Text1"), u("0"));
    EXPECT_EQ(shown(dialog, "Text2"), u("5"));  // not set: the maximum system pressure
    EXPECT_EQ(shown(dialog, "Figure0"), u("1,75"));
    EXPECT_EQ(shown(dialog, "Figure1"), u("3"));
    EXPECT_EQ(shown(dialog, "Figure2"), u("4,5"));
    EXPECT_EQ(shown(dialog, "Figure3"), u("37,17"));
    EXPECT_EQ(shown(dialog, "Figure5"), u("3,64"));
    EXPECT_EQ(shown(dialog, "OwnMinimum"), text("Label27"));
    EXPECT_EQ(shown(dialog, "StandardMinimum"), u("37,17"));

    // A rejected figure: the message, and the last accepted figure back in the field.
    typeInto(dialog, "Text1", u("-1"));
    EXPECT_EQ(recorder->take(), QStringList{u(expans::kNegativeSteamPipeVolumeMessage)});
    EXPECT_EQ(shown(dialog, "Text1"), u("0"));
    typeInto(dialog, "Text2", u("12"));
    EXPECT_EQ(recorder->take(), QStringList{u(expans::kValvePressureRangeMessage)});
    EXPECT_EQ(shown(dialog, "Text2"), u("5"));
    EXPECT_EQ(shown(dialog, "Figure3"), u("37,17"));
    EXPECT_EQ(window->job().valvePressure, "");

    // Accepted figures update the figures at once and go into the job.
    typeInto(dialog, "Text1", u("2,5"));
    EXPECT_EQ(shown(dialog, "Figure3"), u("50,92"));
    typeInto(dialog, "Text2", u("6"));
    EXPECT_EQ(shown(dialog, "Figure2"), u("5,4"));
    EXPECT_EQ(shown(dialog, "Figure3"), u("31,18"));
    EXPECT_TRUE(recorder->messages().isEmpty());
    EXPECT_EQ(window->job().steamPipeVolume, "2,5");
    EXPECT_EQ(window->job().valvePressure, "6");

    // The job keeps them: written, read back and entered, it writes the same bytes again.
    dialog->close();
    settle();
    const QByteArray bytes = expans::ui::jobToJson(window->job());
    const expans::ui::JobRead read = expans::ui::jobFromJson(bytes);
    ASSERT_TRUE(read.job) << read.error.toStdString();
    window->restart();
    EXPECT_EQ(window->job().steamPipeVolume, "0");
    EXPECT_EQ(window->job().valvePressure, "");
    window->applyJob(*read.job);
    settle();
    EXPECT_EQ(expans::ui::jobToJson(window->job()), bytes);
    dialog = openCheck();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(shown(dialog, "Text1"), u("2,5"));
    EXPECT_EQ(shown(dialog, "Text2"), u("6"));
    // Emptied, the opening pressure follows the maximum system pressure again.
    typeInto(dialog, "Text2", QString());
    EXPECT_EQ(shown(dialog, "Text2"), u("5"));
    EXPECT_EQ(window->job().valvePressure, "");
    EXPECT_TRUE(recorder->messages().isEmpty());
}

QString pdfLayoutText(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                                QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed (poppler-utils missing?)";
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The start-up job's report: the check with the figures a hand calculation gives, and the
// commissioning sheet on a page of its own.
TEST_F(StandardCheckTest, ReportHasTheCheckAndTheCommissioningSheet) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u("jelentés.pdf"));
    QString error;
    ASSERT_TRUE(expans::ui::writeReportPdf(pdf, window->reportSource(), {}, &error))
        << error.toStdString();
    const QString all = pdfLayoutText(pdf);
    const QStringList pages = all.split(QChar(u'\f'));
    const QStringList lines = all.split(QLatin1Char('\n'));
    const auto expectLine = [&lines](const char* caption, const char* value) {
        const QRegularExpression pattern(QStringLiteral("(^|\\s)") +
                                         QRegularExpression::escape(u(value)) +
                                         QStringLiteral("(\\s|$)"));
        for (const QString& line : lines) {
            if (line.contains(u(caption)) && pattern.match(line).hasMatch()) return;
        }
        ADD_FAILURE() << "no line with \"" << caption << "\" and \"" << value << "\"";
    };
    EXPECT_TRUE(all.contains(u("Ellenőrzés az MSZ EN 12828 szerint")));
    expectLine("Tágulási térfogat (V_e", "1,75");
    expectLine("Vízzár (V_WR)", "3");
    expectLine("Megengedett végnyomás (p_e)", "5,4");
    expectLine("Legkisebb névleges térfogat (V_n,min)", "31,89");
    expectLine("Legkisebb feltöltési nyomás (p_a,min)", "4,11");
    expectLine("Legnagyobb feltöltési nyomás (p_a,max)", "3,67");
    expectLine("minimális mérete a program szerint", "25,15");
    EXPECT_TRUE(all.contains(u("A lista legkisebb megfelelő tartálya: 35 liter.")));
    EXPECT_TRUE(all.contains(u("nincs megfelelő feltöltési nyomás")));

    // The commissioning sheet: one page, from its title to the signatures.
    const auto sheet = std::find_if(pages.begin(), pages.end(), [](const QString& page) {
        return page.contains(u("Üzembe helyezési adatlap"));
    });
    ASSERT_NE(sheet, pages.end());
    for (const char* part : {"Projektfájl: (nincs mentve)", "Éves ellenőrzések", "Fagyvédelem",
                             "Aláírás", "A kivitelező (szerelő) aláírása",
                             "Az üzemeltető (tulajdonos) aláírása", "Propilén-glikol 40%"}) {
        EXPECT_TRUE(sheet->contains(u(part))) << part;
    }
    expectLine("előnyomása feltöltés előtt", "3,5");
    expectLine("Feltöltési nyomás hideg állapotban", "4");
    expectLine("fagyálló koncentrátum", "8,32");
    expectLine("biztonsági szelep nyitónyomása (a maximális rendszernyomás)", "6");
    // The pressure over the mean temperature is the panel's own at those slider positions.
    const QRegularExpression step(u("^\\s*(\\d+)°C\\s+(\\d+)°C\\s+(\\S+)\\s+(igen|nem)\\s*$"));
    int rows = 0;
    for (const QString& line : sheet->split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch m = step.match(line);
        if (!m.hasMatch()) continue;
        ++rows;
        auto* mean = control<QScrollBar>("HScroll1");
        mean->setValue(m.captured(1).toInt());
        settle();
        EXPECT_EQ(text("Label34"), m.captured(2) + u("°C"));
        EXPECT_EQ(text("Text10"), m.captured(3)) << line.toStdString();
    }
    EXPECT_EQ(rows, 7);  // 20, 40, … 140 °C
}

}  // namespace

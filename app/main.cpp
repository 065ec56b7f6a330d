#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <cstdio>
#include <string_view>

#include "application.h"
#include "jobfile.h"
#include "mainmenu.h"
#include "messagebox.h"
#include "report.h"
#include "tagtartaly.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace {

void printLine(FILE* stream, const QString& text) {
    std::fputs(qPrintable(text + QLatin1Char('\n')), stream);
}

}  // namespace

int main(int argc, char* argv[]) {
#ifdef _WIN32
    // A window program started from a command prompt has no output of its own: what --pdf
    // reports goes to that prompt's console (unless the output was redirected).
    if (GetStdHandle(STD_ERROR_HANDLE) == nullptr && AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
#endif
    // A report needs no display: with --pdf the program also runs where there is none (a server,
    // a build machine), unless a platform was chosen explicitly.
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if ((argument == "--pdf" || argument.starts_with("--pdf=")) &&
            qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
    }
    QApplication app(argc, argv);
    // Before the command line is read, so --help speaks Hungarian too.
    const auto qtTexts = expans::ui::prepareApplication();

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Napkollektoros rendszer tágulási tartályának méretezése."));
    // Qt's own --help text has no Hungarian translation.
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Megjeleníti ezt a súgót."));
    parser.addOption(helpOption);
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("fájl"),
                                 QStringLiteral("A megnyitandó munkafájl (.expans)."),
                                 QStringLiteral("[fájl]"));
    const QCommandLineOption pdfOption(
        QStringLiteral("pdf"),
        QStringLiteral("Ablak nélkül a méretezési jelentést írja a megadott PDF-fájlba, "
                       "majd kilép."),
        QStringLiteral("kimenet.pdf"));
    parser.addOption(pdfOption);
    parser.process(app);
    if (parser.isSet(helpOption)) parser.showHelp(0);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        printLine(stderr, QStringLiteral("Egyszerre csak egy munkafájl nyitható meg."));
        return 2;
    }
    const QString jobPath = files.value(0);

    expans::ui::Tagtartaly window;
    if (parser.isSet(pdfOption)) {
        // Nothing is shown: every message goes to the error output instead of a box.
        expans::ui::setErrorBox(
            [](QWidget*, const QString& message) { printLine(stderr, message); });
        window.Form_Load();
        if (!jobPath.isEmpty()) {
            const expans::ui::JobRead read = expans::ui::readJobFile(jobPath);
            if (!read.job) {
                printLine(stderr, expans::ui::openErrorMessage(jobPath, read.error));
                return 1;
            }
            window.applyJob(*read.job);
        }
        QString error;
        if (!expans::ui::writeReportPdf(parser.value(pdfOption), window,
                                        QFileInfo(jobPath).fileName(), &error)) {
            printLine(stderr, QStringLiteral("A jelentés nem írható: %1").arg(error));
            return 1;
        }
        return 0;
    }

    window.Form_Load();
    window.showAtStart();
    if (!jobPath.isEmpty()) window.menu()->openFile(jobPath);
    return QApplication::exec();
}

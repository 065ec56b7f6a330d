#include "application.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <cstdio>
#include <string_view>
#ifdef _WIN32
#include <QFontDatabase>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

#include "io/jobfile.h"
#include "io/report.h"
#include "translations.h"
#include "version.h"
#include "widgets/messagebox.h"
#include "widgets/pictures.h"
#include "windows/mainmenu.h"
#include "windows/tagtartaly.h"

namespace expans::ui {

namespace {

void printLine(FILE* stream, const QString& text) {
    std::fputs(qPrintable(text + QLatin1Char('\n')), stream);
}

// A report needs no display: with --pdf the program also runs where there is none (a server,
// a build machine), unless a platform was chosen explicitly. The help and the version are
// only printed, so they never need one.
void choosePlatform(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "--") break;
        if (argument == "-h" || argument == "--help" || argument == "-v" ||
            argument == "--version") {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            break;
        }
        if ((argument == "--pdf" || argument.starts_with("--pdf=")) &&
            qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
    }
}

// --pdf: the report of the job (or of the window's start figures) written without a window.
int writeReportWithoutWindow(Tagtartaly& window, const QString& jobPath, const QString& pdfPath) {
    // Nothing is shown: every message goes to the error output instead of a box.
    setErrorBox([](QWidget*, const QString& message) { printLine(stderr, message); });
    window.Form_Load();
    if (!jobPath.isEmpty()) {
        const JobRead read = readJobFile(jobPath);
        if (!read.job) {
            printLine(stderr, openErrorMessage(jobPath, read.error));
            return 1;
        }
        window.applyJob(*read.job);
    }
    QString error;
    if (!writeReportPdf(pdfPath, window.reportSource(), QFileInfo(jobPath).fileName(), &error)) {
        printLine(stderr, QStringLiteral("A jelentés nem írható: %1").arg(error));
        return 1;
    }
    return 0;
}

}  // namespace
#ifdef _WIN32
void addBundledFonts() {
    for (const char* face : {"Regular", "Bold", "Italic", "BoldItalic"}) {
        QFontDatabase::addApplicationFont(
            QStringLiteral(":/fonts/LiberationSans-%1.ttf").arg(QLatin1String(face)));
    }
}
#endif

std::unique_ptr<QTranslator> prepareApplication() {
    QApplication::setApplicationName(QStringLiteral("Orvenda-Expans"));
    QApplication::setApplicationVersion(QString::fromLatin1(kProgramVersion));
    QApplication::setOrganizationName(QStringLiteral("Orvenda Kft."));
    QApplication::setWindowIcon(emblemIcon());
    // Ties the windows to the installed desktop entry (Wayland app id, task bar icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("hu.orvenda.Expans"));
#ifdef _WIN32
    addBundledFonts();
#endif
    return installQtTranslations();
}

int runApplication(int& argc, char* argv[]) {
#ifdef _WIN32
    // A window program started from a command prompt has no output of its own: what --pdf
    // reports goes to that prompt's console (unless the output was redirected).
    if (GetStdHandle(STD_ERROR_HANDLE) == nullptr && AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
#endif
    choosePlatform(argc, argv);
    QApplication app(argc, argv);
    // Before the command line is read, so --help speaks Hungarian too.
    const auto qtTexts = prepareApplication();

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

    Tagtartaly window;
    if (parser.isSet(pdfOption))
        return writeReportWithoutWindow(window, jobPath, parser.value(pdfOption));

    window.Form_Load();
    window.showAtStart();
    if (!jobPath.isEmpty()) window.menu()->openFile(jobPath);
    return QApplication::exec();
}

}  // namespace expans::ui

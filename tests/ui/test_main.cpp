// Shared main of the window tests: offscreen unless told otherwise, Hungarian number format,
// settings kept apart from the user's own and from other test runs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#ifdef _WIN32
#include "application.h"
#endif

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    QStandardPaths::setTestModeEnabled(true);
    // Each run its own settings: test programs run side by side.
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
#ifdef _WIN32
    expans::ui::addBundledFonts();
    // Windows keeps the settings in the registry, which setPath does not move, and under a maker's
    // name, without which nothing is kept at all: a key of this run's own.
    QCoreApplication::setOrganizationName(QStringLiteral("Orvenda-Expans tests"));
    QCoreApplication::setApplicationName(
        QStringLiteral("ui_tests-%1").arg(QCoreApplication::applicationPid()));
#endif
    return RUN_ALL_TESTS();
}

// Shared main of the window tests: offscreen unless told otherwise, Hungarian number format.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#ifdef _WIN32
#include "application.h"
#endif

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
#ifdef _WIN32
    expans::ui::addBundledFonts();
#endif
    return RUN_ALL_TESTS();
}

// Qt's own texts in Hungarian, and result figures that screen readers can name and read.
#include <QAccessible>
#include <QGroupBox>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QTabWidget>

#include "tagtartaly_fixture.h"
#include "translations.h"
#include "windows/rendszerterfogat.h"

namespace {

TEST(QtTexts, TextBoxContextMenuIsHungarian) {
    const auto translator = expans::ui::installQtTranslations();
    if (!translator) GTEST_SKIP() << "qtbase_hu.qm is not installed";
    QLineEdit box(u("3,5"));
    const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    QStringList captions;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) captions << action->text().remove(QLatin1Char('&'));
    }
    ASSERT_GE(captions.size(), 5);
    for (const char* english : {"Undo", "Redo", "Cut", "Copy", "Paste", "Delete", "Select All"}) {
        for (const QString& caption : captions) {
            EXPECT_FALSE(caption.startsWith(u(english))) << caption.toStdString();
        }
    }
    EXPECT_TRUE(captions.join(u("|")).contains(u("Beilleszt")))
        << captions.join(u("|")).toStdString();
}

// Also the parts of the print dialog that Qt's own translation file lacks.
TEST(QtTexts, PrintDialogIsHungarian) {
    const auto translator = expans::ui::installQtTranslations();
    if (!translator) GTEST_SKIP() << "qtbase_hu.qm is not installed";
    QPrinter printer;
    QPrintDialog dialog(&printer);
    QStringList shown;
    for (const QWidget* w : dialog.findChildren<QWidget*>()) {
        if (!w->toolTip().isEmpty()) shown << w->toolTip();
        if (auto* button = qobject_cast<const QAbstractButton*>(w)) shown << button->text();
        if (auto* label = qobject_cast<const QLabel*>(w)) shown << label->text();
        if (auto* group = qobject_cast<const QGroupBox*>(w)) shown << group->title();
        if (auto* tabs = qobject_cast<const QTabWidget*>(w)) {
            for (int i = 0; i < tabs->count(); ++i) shown << tabs->tabText(i);
        }
    }
    for (QString& text : shown) text.remove(QLatin1Char('&'));
    ASSERT_TRUE(shown.contains(u("Kétoldalas nyomtatás"))) << shown.join(u("|")).toStdString();
    for (const char* english :
         {"Pages", "Double Sided Printing", "Off", "Long side binding", "Short side binding",
          "Print range", "Copies", "Options", "Print", "Cancel"}) {
        EXPECT_FALSE(shown.contains(u(english))) << english;
    }
    for (const QString& text : shown) {
        EXPECT_FALSE(text.startsWith(u("Specify pages"))) << text.toStdString();
    }
}

struct Result {
    const char* figure;
    const char* name;  // what a screen reader says the figure is
};

void expectDescribed(QWidget* root, const Result& result) {
    auto* figure = root->findChild<QLabel*>(u(result.figure));
    ASSERT_NE(figure, nullptr) << result.figure;
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(figure);
    ASSERT_NE(access, nullptr) << result.figure;
    EXPECT_EQ(access->text(QAccessible::Name), u(result.name)) << result.figure;
    EXPECT_EQ(access->text(QAccessible::Value), figure->text()) << result.figure;
    EXPECT_EQ(access->text(QAccessible::Description), figure->text()) << result.figure;
}

TEST_F(MainWindowTest, EveryResultHasANameAndAValue) {
    for (const Result& result : {
             Result{"Label29",
                    "Térfogat változás Tmeleg-re melegedés és elgőzölgés esetén [liter]"},
             Result{"Label28", "Térfogat melegen [liter]"},
             Result{"Label27", "Tágulási tartály minimális mérete [liter]"},
             Result{"Label16", "Fagyálló folyadék koncentrátum szükséglet, [liter]"},
             Result{"Label11", "A napkollektor köri hőátadó folyadék átlagos hőmérséklete"},
             Result{"Label34", "A napkollektorok hőmérséklete"},
             Result{"Label26", "Forráspont"},
             Result{"Label40", "Gőzképződés"},
         }) {
        expectDescribed(window.get(), result);
    }
    // The caption that names a figure may change; the name follows it.
    click("Check1");
    expectDescribed(window.get(),
                    {"Label29", "Térfogat változás Tmeleg-re melegedés esetén [liter]"});

    QWidget* volume = window->volumeWindow();
    for (const Result& result :
         {Result{"Label9", "Napkollektorok"}, Result{"Label10", "Csővezeték rendszer"},
          Result{"Label13", "Hőcserélők"}, Result{"Label16", "Egyéb szerelvények"},
          Result{"Label14", "A rendszer térfogata (liter)"}}) {
        expectDescribed(volume, result);
    }
    EXPECT_EQ(
        QAccessible::queryAccessibleInterface(named<QLabel>(*window->volumeWindow(), "Label14"))
            ->text(QAccessible::Value),
        u("18,3"));
}

}  // namespace

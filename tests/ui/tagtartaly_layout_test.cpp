// The main window's design: captions fit their labels with the substitute font, the stacking the
// display relies on, and the places of the controls the other window and the panel address.
#include <QFontMetrics>

#include "tagtartaly_fixture.h"
#include "widgets/panelwidgets.h"

namespace {

// Every label's caption fits its label: wrapped at word boundaries where it is longer than one
// line, and never taller than the label (what would not fit is cut off).
TEST_F(MainWindowTest, NoCaptionIsClipped) {
    const QList<QLabel*> labels = window->findChildren<QLabel*>();
    ASSERT_GE(labels.size(), 30);
    for (QLabel* label : labels) {
        const QFontMetrics metrics(label->font());
        const QRect needed = metrics.boundingRect(
            label->contentsRect(), Qt::TextWordWrap | label->alignment(), label->text());
        EXPECT_LE(needed.height(), label->height()) << label->objectName().toStdString();
        EXPECT_LE(needed.width(), label->width()) << label->objectName().toStdString();
        // Single-line captions must not wrap at all.
        if (label->height() < 2 * metrics.height()) {
            EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width())
                << label->objectName().toStdString();
        }
    }
}

TEST_F(MainWindowTest, ButtonCaptionsFit) {
    for (const char* name : {"Command1", "Command2", "Command3"}) {
        auto* button = control<QPushButton>(name);
        QString caption = button->text();
        caption.remove(QLatin1Char('&'));
        EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(caption) + 8, button->width())
            << name;
    }
}

TEST_F(MainWindowTest, LongestResultsStillFit) {
    // The value labels grow to the left; a four-digit result must still fit.
    for (const char* name : {"Label29", "Label28", "Label27", "Label16"}) {
        auto* label = control<QLabel>(name);
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(u("1000,99")), label->width())
            << name;
    }
    auto* share = control<QLabel>("Label40");
    EXPECT_LE(QFontMetrics(share->font()).horizontalAdvance(u("100 %")), share->width());
    auto* boiling = control<QLabel>("Label26");
    EXPECT_LE(QFontMetrics(boiling->font()).horizontalAdvance(u("175,36°C")), boiling->width());
}

// Index among the siblings: the later, the more in front.
int depth(QWidget* widget) {
    return widget->parentWidget()->children().indexOf(widget);
}

struct Stacking {
    const char* name;
    const char* front;
    const char* behind;
};

class InFront : public MainWindowTest, public ::testing::WithParamInterface<Stacking> {};

TEST_P(InFront, OfSibling) {
    QWidget* front = control(GetParam().front);
    QWidget* behind = control(GetParam().behind);
    ASSERT_EQ(front->parentWidget(), behind->parentWidget());
    EXPECT_GT(depth(front), depth(behind));
}

INSTANTIATE_TEST_SUITE_P(MainWindow, InFront,
                         ::testing::Values(Stacking{"CoverOverInputs", "Picture4", "Picture2"},
                                           Stacking{"CoverOverButtons", "Picture4", "Command3"},
                                           Stacking{"CoverOverSliders", "Picture4", "Picture7"},
                                           Stacking{"ClosedValveOverBlowing", "Picture5",
                                                    "Picture6"},
                                           Stacking{"OutlineOverGasBar", "Image1", "Shape2"},
                                           Stacking{"GasBarOverFluid", "Shape2", "Shape1"},
                                           Stacking{"CheckBoxOverCaption", "Check1", "Label13"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

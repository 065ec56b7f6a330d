// The system-volume window as designed: places, captions, fonts, stacking and the Tab key.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "message_recorder.h"
#include "named_control.h"
#include "widgets/style.h"
#include "windows/rendszerterfogat.h"
#include "windows/tagtartaly.h"

using expans::ui::Rendszerterfogat;
using expans::ui::Tagtartaly;

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

class VolumeLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        main = std::make_unique<Tagtartaly>();
        window = std::make_unique<Rendszerterfogat>(*main);
        window->Form_Load();
    }
    QWidget* control(const char* name) const {
        return window->findChild<QWidget*>(QString::fromLatin1(name));
    }
    std::unique_ptr<Tagtartaly> main;
    std::unique_ptr<Rendszerterfogat> window;
};

struct Placement {
    const char* name;
    const char* container;         // "" for the window itself
    int left, top, width, height;  // twips from the container's inner top left corner
};

class VolumePlacementTest : public VolumeLayoutTest,
                            public ::testing::WithParamInterface<Placement> {};

TEST_P(VolumePlacementTest, SitsWhereDesigned) {
    const Placement& p = GetParam();
    QWidget* widget = control(p.name);
    ASSERT_NE(widget, nullptr);
    QWidget* parent = widget->parentWidget();
    ASSERT_NE(parent, nullptr);
    int inset = 0;
    if (*p.container) {
        EXPECT_EQ(parent->objectName(), QString::fromLatin1(p.container));
        auto* frame = qobject_cast<QFrame*>(parent);
        ASSERT_NE(frame, nullptr);
        inset = frame->frameWidth();
    } else {
        EXPECT_EQ(parent, window.get());
    }
    const QRect designed = expans::ui::twipsRect(p.left, p.top, p.width, p.height);
    EXPECT_EQ(widget->pos(), designed.topLeft() + QPoint(inset, inset));
    EXPECT_EQ(widget->height(), designed.height());
    // A caption label may be widened to the right so that its text is not cut.
    if (qobject_cast<QLabel*>(widget)) {
        EXPECT_GE(widget->width(), designed.width());
    } else {
        EXPECT_EQ(widget->width(), designed.width());
    }
}

INSTANTIATE_TEST_SUITE_P(Controls, VolumePlacementTest,
                         ::testing::Values(Placement{"Picture1", "", 180, 180, 6855, 1230},
                                           Placement{"Picture2", "", 180, 1485, 6855, 2085},
                                           Placement{"Picture3", "", 180, 3735, 6855, 1635},
                                           Placement{"Picture4", "", 180, 5490, 6855, 780},
                                           Placement{"Picture5", "", 180, 6390, 6855, 690},
                                           Placement{"Command2", "", 3645, 7245, 3390, 555},
                                           Placement{"Combo4", "Picture1", 90, 405, 3030, 315},
                                           Placement{"Combo5", "Picture1", 90, 810, 3030, 315},
                                           Placement{"Text1", "Picture1", 3240, 405, 690, 285},
                                           Placement{"Text2", "Picture1", 4275, 405, 690, 285},
                                           Placement{"Text13", "Picture1", 3240, 810, 690, 285},
                                           Placement{"Text14", "Picture1", 4275, 810, 690, 285},
                                           Placement{"Label9", "Picture1", 5280, 585, 1095, 330},
                                           Placement{"Label8", "Picture1", 5220, 90, 1500, 465},
                                           Placement{"Label2", "Picture1", 3240, 90, 600, 240},
                                           Placement{"Label1", "Picture1", 4455, 90, 330, 240},
                                           Placement{"Label7_0", "Picture1", 90, 90, 1410, 285},
                                           Placement{"Text3", "Picture2", 4275, 405, 645, 285},
                                           Placement{"Text4", "Picture2", 4275, 810, 645, 285},
                                           Placement{"Text5", "Picture2", 4275, 1215, 645, 285},
                                           Placement{"Text6", "Picture2", 4275, 1620, 645, 285},
                                           Placement{"Combo6", "Picture2", 90, 405, 3030, 315},
                                           Placement{"Combo7", "Picture2", 90, 810, 3030, 315},
                                           Placement{"Combo8", "Picture2", 90, 1215, 3030, 315},
                                           Placement{"Combo9", "Picture2", 90, 1620, 3030, 315},
                                           Placement{"Text15", "Picture2", 3240, 405, 690, 285},
                                           Placement{"Text16", "Picture2", 3240, 810, 690, 285},
                                           Placement{"Text17", "Picture2", 3240, 1215, 690, 285},
                                           Placement{"Text18", "Picture2", 3240, 1620, 690, 285},
                                           Placement{"Label7_1", "Picture2", 90, 90, 1995, 285},
                                           Placement{"Label10", "Picture2", 5220, 990, 1095, 330},
                                           Placement{"Label5", "Picture2", 3285, 90, 555, 240},
                                           Placement{"Label6", "Picture2", 4455, 90, 420, 285},
                                           Placement{"Text10", "Picture3", 3240, 1170, 690, 285},
                                           Placement{"Combo3", "Picture3", 90, 1170, 2940, 315},
                                           Placement{"Text9", "Picture3", 3240, 765, 690, 285},
                                           Placement{"Combo2", "Picture3", 90, 765, 2940, 315},
                                           Placement{"Combo1", "Picture3", 90, 360, 2940, 315},
                                           Placement{"Text8", "Picture3", 3240, 360, 690, 285},
                                           Placement{"Label7_2", "Picture3", 90, 90, 1995, 285},
                                           Placement{"Label13", "Picture3", 5220, 765, 1095, 330},
                                           Placement{"Label3", "Picture3", 3285, 90, 555, 195},
                                           Placement{"Text12", "Picture4", 3195, 360, 690, 285},
                                           Placement{"Label7_3", "Picture4", 90, 90, 1995, 285},
                                           Placement{"Label16", "Picture4", 5175, 360, 1095, 330},
                                           Placement{"Label4", "Picture4", 3240, 90, 465, 240},
                                           Placement{"Label14", "Picture5", 5175, 180, 1095, 330},
                                           Placement{"Label12", "Picture5", 225, 180, 2940, 330}),
                         [](const auto& info) { return std::string(info.param.name); });

struct Caption {
    const char* name;
    const char* text;  // as designed; the five totals are checked after start-up elsewhere
    int pixelSize;     // 8.25 pt = 10 px, 9.75 pt = 13 px, 12 pt = 16 px
    bool bold;
    bool rightAligned;
};

class VolumeCaptionTest : public VolumeLayoutTest, public ::testing::WithParamInterface<Caption> {};

TEST_P(VolumeCaptionTest, ReadsAsDesignedAndIsNotCut) {
    const Caption& c = GetParam();
    auto* label = window->findChild<QLabel*>(QString::fromLatin1(c.name));
    ASSERT_NE(label, nullptr);
    if (*c.text) {
        EXPECT_EQ(label->text(), u(c.text));
    }
    EXPECT_EQ(label->font().pixelSize(), c.pixelSize);
    EXPECT_EQ(label->font().bold(), c.bold);
    EXPECT_EQ(bool(label->alignment() & Qt::AlignRight), c.rightAligned);

    const QFontMetrics metrics(label->font());
    const QRect room = label->contentsRect();
    const QRect needed = metrics.boundingRect(
        room, int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0), label->text());
    EXPECT_LE(needed.width(), room.width()) << c.name;
    EXPECT_LE(needed.height(), room.height()) << c.name;
    // Widening a label must not push it into a neighbour it did not touch as designed.
    for (auto* sibling :
         label->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (sibling == label) continue;
        QRect designedPart = label->geometry();
        if (!label->wordWrap()) designedPart.setWidth(std::min(designedPart.width(), room.width()));
        const QRect widenedPart = label->geometry().adjusted(designedPart.width(), 0, 0, 0);
        if (widenedPart.isValid()) {
            EXPECT_FALSE(widenedPart.intersects(sibling->geometry()))
                << c.name << " runs into " << sibling->objectName().toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Labels, VolumeCaptionTest,
    ::testing::Values(Caption{"Label1", "[db]", 10, false, false},
                      Caption{"Label2", "[liter/db]", 10, false, false},
                      Caption{"Label3", "[liter/db]", 10, false, false},
                      Caption{"Label4", "[liter]", 10, false, false},
                      Caption{"Label5", "[iterl/m]", 10, false, false},
                      Caption{"Label6", "[m]", 10, false, false},
                      Caption{"Label7_0", "Napkollektorok", 10, true, false},
                      Caption{"Label7_1", "Csővezeték rendszer", 10, true, false},
                      Caption{"Label7_2", "Hőcserélők", 10, true, false},
                      Caption{"Label7_3", "Egyéb szerelvények", 10, true, false},
                      Caption{"Label8", "Összes térfogat (liter)", 10, false, false},
                      Caption{"Label12", "A rendszer térfogata (liter)", 13, true, false},
                      Caption{"Label9", "", 13, true, true}, Caption{"Label10", "", 13, true, true},
                      Caption{"Label13", "", 13, true, true},
                      Caption{"Label16", "", 13, true, true},
                      Caption{"Label14", "", 16, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(VolumeLayoutTest, WindowIsFixedWithCaptionAndIcon) {
    EXPECT_EQ(window->windowTitle(), u("Rendszerterfogat kiszámítása"));
    EXPECT_EQ(window->size(), QSize(482, 530));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_EQ(window->parentWidget(), nullptr);
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(window->windowIcon().isNull());
}

TEST_F(VolumeLayoutTest, ReturnButtonCarriesAccessKeyAndCalculationButtonIsNeverSeen) {
    EXPECT_EQ(named<QPushButton>(*window, "Command2")->text(),
              u("&Vissza a tágulási tartály méretezéshez"));
    const QFontMetrics metrics(named<QPushButton>(*window, "Command2")->font());
    EXPECT_LT(metrics.horizontalAdvance(u("Vissza a tágulási tartály méretezéshez")),
              named<QPushButton>(*window, "Command2")->width() - 8);
    main->show();
    window->showModeless();
    EXPECT_FALSE(named<QPushButton>(*window, "Command1")->isVisible());
    EXPECT_EQ(named<QPushButton>(*window, "Command1")->focusPolicy(), Qt::NoFocus);
    window->Command2_Click();
}

TEST_F(VolumeLayoutTest, ListsFrontOfHeadingTheyTouch) {
    // Combo1 reaches one pixel into the heat-exchanger heading; the list is in front.
    const QObjectList order = named<QWidget>(*window, "Picture3")->children();
    EXPECT_GT(order.indexOf(named<QComboBox>(*window, "Combo1")),
              order.indexOf(named<QLabel>(*window, "Label7_2")));
    EXPECT_TRUE(named<QComboBox>(*window, "Combo1")
                    ->geometry()
                    .intersects(named<QLabel>(*window, "Label7_2")->geometry()));
}

TEST_F(VolumeLayoutTest, PanelsAreLightYellowOnTheAmberGround) {
    main->show();
    window->showModeless();
    const QImage image = window->grab().toImage();
    window->Command2_Click();
    // Inside the collectors panel, clear of every control.
    EXPECT_EQ(QColor(image.pixel(QPoint(12 + 4, 12 + 70))), expans::ui::kLightYellow);
    // The strip left of the panels shows the window ground, not a platform grey.
    const QColor ground(image.pixel(QPoint(5, 100)));
    EXPECT_TRUE(ground == expans::ui::kAmber || ground == QColor(0x00, 0x80, 0x00))
        << ground.name().toStdString();
}

TEST_F(VolumeLayoutTest, TabRunsBackwardsThroughRowsSkippingDisabledBoxes) {
    main->show();
    window->showModeless();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QStringList visited;
    for (int i = 0; i < 14; ++i) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        visited << focus->objectName();
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    const QStringList expected = {
        QStringLiteral("Command2"), QStringLiteral("Text2"),   QStringLiteral("Combo5"),
        QStringLiteral("Combo4"),   QStringLiteral("Combo9"),  QStringLiteral("Combo8"),
        QStringLiteral("Combo7"),   QStringLiteral("Combo6"),  QStringLiteral("Text3"),
        QStringLiteral("Combo1"),   QStringLiteral("Combo2"),  QStringLiteral("Combo3"),
        QStringLiteral("Text12"),   QStringLiteral("Command2")};
    EXPECT_EQ(visited, expected);
    window->Command2_Click();
}

TEST_F(VolumeLayoutTest, TabReachesEveryBoxOnceEnabled) {
    // Every row switched on with its own figure: all sixteen boxes and nine lists take part.
    MessageRecorder recorder;  // pipe row 1 complains about its preset 0
    named<QComboBox>(*window, "Combo4")->setCurrentIndex(3);
    named<QComboBox>(*window, "Combo5")->setCurrentIndex(4);
    named<QComboBox>(*window, "Combo1")->setCurrentIndex(9);
    named<QComboBox>(*window, "Combo2")->setCurrentIndex(10);
    named<QComboBox>(*window, "Combo3")->setCurrentIndex(10);
    named<QComboBox>(*window, "Combo6")->setCurrentIndex(6);
    named<QComboBox>(*window, "Combo7")->setCurrentIndex(7);
    named<QComboBox>(*window, "Combo8")->setCurrentIndex(7);
    named<QComboBox>(*window, "Combo9")->setCurrentIndex(7);
    main->show();
    window->showModeless();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QStringList visited;
    for (int i = 0; i < 27; ++i) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        visited << focus->objectName();
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    const char* const order[] = {"Command2", "Text14", "Text13",  "Text2",  "Text1",  "Combo5",
                                 "Combo4",   "Text18", "Text17",  "Text16", "Text15", "Combo9",
                                 "Combo8",   "Combo7", "Combo6",  "Text6",  "Text5",  "Text4",
                                 "Text3",    "Text8",  "Combo1",  "Combo2", "Text9",  "Combo3",
                                 "Text10",   "Text12", "Command2"};
    QStringList expected;
    for (const char* name : order) expected << QString::fromLatin1(name);
    EXPECT_EQ(visited, expected);
    window->Command2_Click();
}

}  // namespace

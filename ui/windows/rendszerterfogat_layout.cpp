// The system-volume window as designed: every control with its name, text, place (twips), font,
// colours, stacking and tab order.
#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <algorithm>
#include <utility>

#include "widgets/accessibility.h"
#include "widgets/layout.h"
#include "widgets/pictures.h"
#include "widgets/style.h"
#include "windows/rendszerterfogat.h"

namespace expans::ui {

namespace {

constexpr int kPanelBorder = 2;  // px, the sunken 3D border; children are placed inside it

// Places a control on a panel: the designed coordinates count from inside the border.
void place(QWidget* widget, QWidget* container, const QString& name, int left, int top, int width,
           int height) {
    if (widget->parentWidget() != container) widget->setParent(container);
    placeNamed(widget, name, left, top, width, height,
               qobject_cast<QFrame*>(container) ? kPanelBorder : 0);
}

QFrame* makePanel(QWidget* window, const char* name, int top, int height) {
    auto* panel = new QFrame(window);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(kPanelBorder);
    // The boxes on it keep their own white.
    setGround(panel, kLightYellow, false);
    placeNamed(panel, QString::fromLatin1(name), 180, top, 6855, height);
    return panel;
}

// Labels draw on the panel's light yellow ground; the text starts at the top, as designed.
QLabel* makeLabel(QWidget* panel, const QString& name, const QString& caption, int left, int top,
                  int width, int height, const QFont& font, Qt::Alignment horizontal,
                  bool wrap = false) {
    auto* label = new QLabel(caption);
    label->setFont(font);
    label->setWordWrap(wrap);
    label->setAlignment(horizontal | Qt::AlignTop);
    label->setAutoFillBackground(true);
    place(label, panel, name, left, top, width, height);
    // A substitute font must not cut a caption: widen the label to the right where it would.
    const QFontMetrics metrics(font);
    const int needed = std::max(
        metrics.horizontalAdvance(caption),
        metrics.boundingRect(QRect(0, 0, 10000, label->height()), int(label->alignment()), caption)
            .width());
    if (!label->wordWrap() && needed > label->width() && horizontal == Qt::AlignLeft) {
        label->resize(needed, label->height());
    }
    return label;
}

QLineEdit* makeText(QWidget* panel, const char* name, const char* text, int left, int top,
                    int width, int height, const QString& accessibleName) {
    auto* box = new QLineEdit(QString::fromUtf8(text));
    box->setAccessibleName(accessibleName);
    place(box, panel, QString::fromLatin1(name), left, top, width, height);
    return box;
}

// A list whose open pop-up shows its entries in full even where the closed list cuts them. The
// width is measured when the list is first opened, not when it is filled.
class WideListBox : public QComboBox {
public:
    using QComboBox::QComboBox;

    void showPopup() override {
        if (!std::exchange(m_popupSized, true)) {
            view()->setMinimumWidth(view()->sizeHintForColumn(0) +
                                    style()->pixelMetric(QStyle::PM_ScrollBarExtent));
        }
        QComboBox::showPopup();
    }

private:
    bool m_popupSized = false;
};

QComboBox* makeCombo(QWidget* panel, const char* name, const char* designText, int left, int top,
                     int width, int height, const QString& accessibleName) {
    // Made on its panel: a list made alone and moved there afterwards is set up twice, once as a
    // window of its own; that was a third of the cost of building this window.
    auto* combo = new WideListBox(panel);
    combo->setEditable(false);
    // Shown only until the list is filled at load time.
    combo->setPlaceholderText(QString::fromLatin1(designText));
    combo->setAccessibleName(accessibleName);
    place(combo, panel, QString::fromLatin1(name), left, top, width, height);
    return combo;
}

QString row(const char* panelHeading, int rowNumber, const char* column = nullptr) {
    QString name = QString::fromUtf8(panelHeading) + QStringLiteral(", %1. sor").arg(rowNumber);
    if (column) name += QLatin1Char(' ') + QString::fromUtf8(column);
    return name;
}

}  // namespace

void Rendszerterfogat::buildLayout() {
    setWindowTitle(QStringLiteral("Rendszerterfogat kiszámítása"));
    setWindowIcon(emblemIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(px(7230), px(7950));
    setFont(sansFont());

    const QFont regular = sansFont();
    const QFont bold = sansFont(kBodyPixels, true);
    const QFont subtotal = sansFont(kHeadingPixels, true);
    const QFont total = sansFont(kTotalPixels, true);

    Picture5 = makePanel(this, "Picture5", 6390, 690);
    Picture4 = makePanel(this, "Picture4", 5490, 780);
    Picture3 = makePanel(this, "Picture3", 3735, 1635);
    Picture2 = makePanel(this, "Picture2", 1485, 2085);
    Picture1 = makePanel(this, "Picture1", 180, 1230);

    Command2 = new QPushButton(QStringLiteral("&Vissza a tágulási tartály méretezéshez"), this);
    placeNamed(Command2, QStringLiteral("Command2"), 3645, 7245, 3390, 555);

    // The calculation's own button is never shown; only its handler is used.
    Command1 = new QPushButton(QStringLiteral("Rendszertérfogat kiszámítása"), this);
    placeNamed(Command1, QStringLiteral("Command1"), 450, 7245, 2625, 555);
    Command1->setFocusPolicy(Qt::NoFocus);
    Command1->hide();

    stackFrontToBack({Picture5, Picture4, Picture3, Picture2, Picture1, Command2, Command1});

    // Collectors.
    const char* collectors = "Napkollektorok";
    Combo4 = makeCombo(Picture1, "Combo4", "", 90, 405, 3030, 315, row(collectors, 1));
    Combo5 = makeCombo(Picture1, "Combo5", "", 90, 810, 3030, 315, row(collectors, 2));
    Text1 =
        makeText(Picture1, "Text1", "1,57", 3240, 405, 690, 285, row(collectors, 1, "[liter/db]"));
    Text2 = makeText(Picture1, "Text2", "3", 4275, 405, 690, 285, row(collectors, 1, "[db]"));
    Text13 =
        makeText(Picture1, "Text13", "0", 3240, 810, 690, 285, row(collectors, 2, "[liter/db]"));
    Text14 = makeText(Picture1, "Text14", "0", 4275, 810, 690, 285, row(collectors, 2, "[db]"));
    Label9 = makeLabel(Picture1, QStringLiteral("Label9"), QStringLiteral("0"), 5280, 585, 1095,
                       330, subtotal, Qt::AlignRight);
    Label8 =
        makeLabel(Picture1, QStringLiteral("Label8"), QStringLiteral("Összes térfogat (liter)"),
                  5220, 90, 1500, 465, regular, Qt::AlignLeft, true);
    Label2 = makeLabel(Picture1, QStringLiteral("Label2"), QStringLiteral("[liter/db]"), 3240, 90,
                       600, 240, regular, Qt::AlignLeft);
    Label1 = makeLabel(Picture1, QStringLiteral("Label1"), QStringLiteral("[db]"), 4455, 90, 330,
                       240, regular, Qt::AlignLeft);
    Label7[0] = makeLabel(Picture1, QStringLiteral("Label7_0"), QString::fromUtf8(collectors), 90,
                          90, 1410, 285, bold, Qt::AlignLeft);
    stackFrontToBack(
        {Combo4, Combo5, Text1, Text2, Text13, Text14, Label9, Label8, Label2, Label1, Label7[0]});

    // Piping.
    const char* piping = "Csővezeték rendszer";
    Text3 = makeText(Picture2, "Text3", "20", 4275, 405, 645, 285, row(piping, 1, "[m]"));
    Text4 = makeText(Picture2, "Text4", "0", 4275, 810, 645, 285, row(piping, 2, "[m]"));
    Text5 = makeText(Picture2, "Text5", "0", 4275, 1215, 645, 285, row(piping, 3, "[m]"));
    Text6 = makeText(Picture2, "Text6", "0", 4275, 1620, 645, 285, row(piping, 4, "[m]"));
    Combo6 = makeCombo(Picture2, "Combo6", "Combo6", 90, 405, 3030, 315, row(piping, 1));
    Combo7 = makeCombo(Picture2, "Combo7", "Combo7", 90, 810, 3030, 315, row(piping, 2));
    Combo8 = makeCombo(Picture2, "Combo8", "Combo8", 90, 1215, 3030, 315, row(piping, 3));
    Combo9 = makeCombo(Picture2, "Combo9", "Combo9", 90, 1620, 3030, 315, row(piping, 4));
    Text15 =
        makeText(Picture2, "Text15", "0,2011", 3240, 405, 690, 285, row(piping, 1, "[liter/m]"));
    Text16 = makeText(Picture2, "Text16", "0", 3240, 810, 690, 285, row(piping, 2, "[liter/m]"));
    Text17 = makeText(Picture2, "Text17", "0", 3240, 1215, 690, 285, row(piping, 3, "[liter/m]"));
    Text18 = makeText(Picture2, "Text18", "0", 3240, 1620, 690, 285, row(piping, 4, "[liter/m]"));
    Label7[1] = makeLabel(Picture2, QStringLiteral("Label7_1"), QString::fromUtf8(piping), 90, 90,
                          1995, 285, bold, Qt::AlignLeft);
    Label10 = makeLabel(Picture2, QStringLiteral("Label10"), QStringLiteral("0"), 5220, 990, 1095,
                        330, subtotal, Qt::AlignRight);
    Label5 = makeLabel(Picture2, QStringLiteral("Label5"), QStringLiteral("[iterl/m]"), 3285, 90,
                       555, 240, regular, Qt::AlignLeft);
    Label6 = makeLabel(Picture2, QStringLiteral("Label6"), QStringLiteral("[m]"), 4455, 90, 420,
                       285, regular, Qt::AlignLeft);
    stackFrontToBack({Text3, Text4, Text5, Text6, Combo6, Combo7, Combo8, Combo9, Text15, Text16,
                      Text17, Text18, Label7[1], Label10, Label5, Label6});

    // Heat exchangers.
    const char* exchangers = "Hőcserélők";
    Text10 = makeText(Picture3, "Text10", "0", 3240, 1170, 690, 285, row(exchangers, 3, "[liter]"));
    Combo3 = makeCombo(Picture3, "Combo3", "", 90, 1170, 2940, 315, row(exchangers, 3));
    Text9 = makeText(Picture3, "Text9", "0", 3240, 765, 690, 285, row(exchangers, 2, "[liter]"));
    Combo2 = makeCombo(Picture3, "Combo2", "", 90, 765, 2940, 315, row(exchangers, 2));
    Combo1 = makeCombo(Picture3, "Combo1", "", 90, 360, 2940, 315, row(exchangers, 1));
    Text8 = makeText(Picture3, "Text8", "1", 3240, 360, 690, 285, row(exchangers, 1, "[liter]"));
    Label7[2] = makeLabel(Picture3, QStringLiteral("Label7_2"), QString::fromUtf8(exchangers), 90,
                          90, 1995, 285, bold, Qt::AlignLeft);
    Label13 = makeLabel(Picture3, QStringLiteral("Label13"), QStringLiteral("0"), 5220, 765, 1095,
                        330, subtotal, Qt::AlignRight);
    Label3 = makeLabel(Picture3, QStringLiteral("Label3"), QStringLiteral("[liter/db]"), 3285, 90,
                       555, 195, regular, Qt::AlignLeft);
    stackFrontToBack({Text10, Combo3, Text9, Combo2, Combo1, Text8, Label7[2], Label13, Label3});

    // Other fittings.
    const char* fittings = "Egyéb szerelvények";
    Text12 = makeText(Picture4, "Text12", "1", 3195, 360, 690, 285,
                      QString::fromUtf8(fittings) + QStringLiteral(" [liter]"));
    Label7[3] = makeLabel(Picture4, QStringLiteral("Label7_3"), QString::fromUtf8(fittings), 90, 90,
                          1995, 285, bold, Qt::AlignLeft);
    Label16 = makeLabel(Picture4, QStringLiteral("Label16"), QStringLiteral("0"), 5175, 360, 1095,
                        330, subtotal, Qt::AlignRight);
    Label4 = makeLabel(Picture4, QStringLiteral("Label4"), QStringLiteral("[liter]"), 3240, 90, 465,
                       240, regular, Qt::AlignLeft);
    stackFrontToBack({Text12, Label7[3], Label16, Label4});

    // Total.
    Label14 = makeLabel(Picture5, QStringLiteral("Label14"), QStringLiteral("0"), 5175, 180, 1095,
                        330, total, Qt::AlignRight);
    Label12 = makeLabel(Picture5, QStringLiteral("Label12"),
                        QStringLiteral("A rendszer térfogata (liter)"), 225, 180, 2940, 330,
                        subtotal, Qt::AlignLeft);
    describeResults(this, {{"Label9", "Label7_0"},
                           {"Label10", "Label7_1"},
                           {"Label13", "Label7_2"},
                           {"Label16", "Label7_3"},
                           {"Label14", "Label12"}});
    stackFrontToBack({Label14, Label12});

    // Tab runs from the last row and column back to the first in the collector and piping
    // panels; disabled boxes and the hidden Command1 are skipped by Qt itself.
    setTabChain({Command2, Text14, Text13, Text2,  Text1,  Combo5, Combo4, Text18, Text17,
                 Text16,   Text15, Combo9, Combo8, Combo7, Combo6, Text6,  Text5,  Text4,
                 Text3,    Text8,  Combo1, Combo2, Text9,  Combo3, Text10, Text12});
}

}  // namespace expans::ui

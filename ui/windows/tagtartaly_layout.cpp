// The main window as designed: every control with its name, caption, place in twips, font and
// colours. Within each container the controls are created front to back and each one is lowered
// below the ones before it, so the first one listed is drawn in front.

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "widgets/accessibility.h"
#include "widgets/layout.h"
#include "widgets/panelgeometry.h"
#include "widgets/panelwidgets.h"
#include "widgets/pictures.h"
#include "widgets/style.h"
#include "windows/tagtartaly.h"

namespace expans::ui {

namespace {

enum class Back { Yellow, Grey, Transparent };

struct Look {
    QFont font = sansFont(kBodyPixels);
    Back back = Back::Yellow;
    Qt::Alignment align = Qt::AlignLeft;
};

Look plain(Back back = Back::Yellow) {
    return {sansFont(kBodyPixels), back, Qt::AlignLeft};
}
Look bold(Back back = Back::Yellow) {
    return {sansFont(kBodyPixels, true), back, Qt::AlignLeft};
}
Look boldRight() {
    return {sansFont(kBodyPixels, true), Back::Yellow, Qt::AlignRight};
}
Look heading() {
    return {sansFont(kHeadingPixels, true), Back::Yellow, Qt::AlignLeft};
}
Look centred() {
    return {sansFont(kBodyPixels), Back::Transparent, Qt::AlignHCenter};
}

template <typename W>
W* place(W* widget, const char* name, int left, int top, int width, int height) {
    placeNamed(widget, QString::fromLatin1(name), left, top, width, height);
    widget->lower();
    return widget;
}

template <typename W>
W* place(W* widget, const char* name, const panelgeo::TwipBox& box) {
    return place(widget, name, box.left, box.top, box.width, box.height);
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, int left, int top,
              int width, int height, const Look& look) {
    auto* widget = place(new QLabel(caption, parent), name, left, top, width, height);
    widget->setFont(look.font);
    // Captions wrap at word boundaries; what does not fit the label's height is cut off.
    widget->setWordWrap(true);
    widget->setAlignment(look.align | Qt::AlignTop);
    widget->setTextFormat(Qt::PlainText);
    if (look.back == Back::Yellow) setGround(widget, kLightYellow);
    if (look.back == Back::Grey) setGround(widget, kPanelGrey);
    return widget;
}

QLineEdit* textBox(QWidget* parent, const char* name, const QString& text, int left, int top,
                   int width, int height) {
    auto* widget = place(new QLineEdit(text, parent), name, left, top, width, height);
    widget->setAlignment(Qt::AlignCenter);
    widget->setTextMargins(0, 0, 0, 0);
    return widget;
}

QLabel* label(QWidget* parent, const char* name, const QString& caption,
              const panelgeo::TwipBox& box, const Look& look) {
    return label(parent, name, caption, box.left, box.top, box.width, box.height, look);
}

QLineEdit* textBox(QWidget* parent, const char* name, const QString& text,
                   const panelgeo::TwipBox& box) {
    return textBox(parent, name, text, box.left, box.top, box.width, box.height);
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int left, int top,
                    int width, int height) {
    auto* widget = place(new QPushButton(caption, parent), name, left, top, width, height);
    widget->setAutoDefault(false);
    return widget;
}

QComboBox* list(QWidget* parent, const char* name, const QString& designText, int left, int top,
                int width, int height) {
    auto* widget = place(new QComboBox(parent), name, left, top, width, height);
    // Shown while no entry is selected.
    widget->setPlaceholderText(designText);
    widget->setMaxVisibleItems(16);
    return widget;
}

QScrollBar* slider(QWidget* parent, const char* name, int minimum, int maximum, int left, int top,
                   int width, int height) {
    auto* widget = place(new TemperatureSlider(parent, kPanelGrey), name, left, top, width, height);
    widget->setRange(minimum, maximum);
    widget->setValue(0);
    widget->setSingleStep(1);  // arrows
    widget->setPageStep(10);   // track
    // Right arrow raises the temperature; the sliders are in the Tab order.
    widget->setInvertedControls(false);
    widget->setFocusPolicy(Qt::StrongFocus);
    return widget;
}

PictureGround* pictureBox(QWidget* parent, const char* name, std::optional<Picture> picture,
                          QColor background, int left, int top, int width, int height) {
    return place(new PictureGround(parent, picture, background), name, left, top, width, height);
}

// A panel with a sunken border; returns the ground inside the border, where its controls go.
PictureGround* panel(QWidget* parent, const char* name, std::optional<Picture> picture,
                     QColor background, int left, int top, int width, int height) {
    auto* frame = place(new QFrame(parent), name, left, top, width, height);
    frame->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    auto* ground = new PictureGround(frame, picture, background);
    ground->setObjectName(QString::fromLatin1(name) + QStringLiteral("Ground"));
    ground->setGeometry(frame->contentsRect());
    return ground;
}

void describe(QLabel* caption, QWidget* field) {
    caption->setBuddy(field);
    field->setAccessibleName(caption->text().trimmed());
}

}  // namespace

void Tagtartaly::buildLayout() {
    setObjectName(QStringLiteral("Tagtartaly"));
    setWindowTitle(QStringLiteral("Orvenda-Expans"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(877, 527);  // 13155 × 7905 twips; the menu bar adds its height above
    setFont(sansFont(kBodyPixels));
    // The designed client area: the window's controls are placed in it, below the menu bar.
    // It paints the window's ground itself, so the window only paints what the menu leaves.
    QWidget* client = m_client =
        pictureBox(this, "ClientArea", Picture::Background, kOrange, 0, 0, 13155, 7905);
    client->setAttribute(Qt::WA_OpaquePaintEvent);

    // The window itself, front to back.
    Picture4 = pictureBox(client, "Picture4", Picture::Background, kOrange, -180, 135, 13335, 7755);
    auto* banner = pictureBox(client, "Picture1", Picture::Banner, QColor(), 270, 45, 5895, 1095);
    Command3 = button(client, "Command3", QStringLiteral("&Kilépés"), 10440, 7110, 2175, 600);
    auto* results = panel(client, "Picture3", std::nullopt, kLightYellow, 7065, 4545, 5910, 2415);
    auto* inputs = panel(client, "Picture2", std::nullopt, kLightYellow, 270, 1260, 6585, 5685);
    Command1 = button(client, "Command1", QStringLiteral("&Számítás"), 7695, 7065, 2295, 600);
    auto* sliders = panel(client, "Picture7", Picture::PanelGround, kPanelGrey, 7065, 180,
                          panelgeo::kWidth, panelgeo::kHeight);
    auto* web = label(client, "Label33", QStringLiteral("www.orvenda.hu"), 3285, 7335, 2895, 450,
                      {heavyItalicFont(21), Back::Transparent, Qt::AlignLeft});
    QPalette webPalette = web->palette();
    webPalette.setColor(QPalette::WindowText, QColor(0x80, 0x00, 0x00));
    web->setPalette(webPalette);

    // Banner.
    label(banner, "Label32", QStringLiteral("Program verzió: 2010/2"), 1380, 900, 1860, 210,
          {sansFont(kBodyPixels, true), Back::Transparent, Qt::AlignLeft});

    // Input panel, front to back.
    Text7 = textBox(inputs, "Text7", QStringLiteral("7"), 5715, 5265, 600, 285);
    Text11 = textBox(inputs, "Text11", QStringLiteral("2"), 5715, 4815, 615, 285);
    // Only as wide as its box: the caption "Check1" never shows.
    Check1 = place(new QCheckBox(QStringLiteral("Check1"), inputs), "Check1", 6000, 4440, 240, 285);
    setGround(Check1, kLightYellow);
    Text6 = textBox(inputs, "Text6", QStringLiteral("140"), 5715, 4050, 615, 285);
    Text5 = textBox(inputs, "Text5", QStringLiteral("20"), 5715, 3600, 615, 285);
    Text3 = textBox(inputs, "Text3", QStringLiteral("6,0"), 5715, 3150, 615, 285);
    Text4 = textBox(inputs, "Text4", QStringLiteral("4,0"), 5715, 2745, 615, 285);
    Text2 = textBox(inputs, "Text2", QStringLiteral("3,5"), 5715, 2295, 615, 285);
    Combo1 = list(inputs, "Combo1", QStringLiteral("Töménység"), 3555, 1305, 2805, 315);
    Command2 = button(inputs, "Command2", QStringLiteral("A rendszer térfogatának kiszámítása"),
                      3555, 855, 2805, 330);
    Text1 = textBox(inputs, "Text1", QStringLiteral("18.3"), 5760, 495, 615, 285);
    Label36 =
        label(inputs, "Label36",
              QStringLiteral("A napkollektorok és a tágulási tartály közötti szintkülönbség [m]:"),
              135, 5220, 5505, 285, plain());
    Label17 = label(inputs, "Label17",
                    QStringLiteral("Napkollektorok térfogata (gőzképződés térfogata) [liter]:"),
                    135, 4860, 4830, 285, plain());
    auto* label13 = label(inputs, "Label13",
                          QStringLiteral("Kollektorokban való gőzképződés figyelembevétele:"), 135,
                          4500, 4830, 330, plain());
    auto* label6 = label(inputs, "Label6",
                         QStringLiteral("A tartáy méretezésnél figyelembe vett maximális, átlagos "
                                        "hőmérséklet [°C]:"),
                         135, 4095, 5520, 255, plain());
    auto* label5 = label(inputs, "Label5", QStringLiteral("Hideg (feltöltési) hőmérséklet [°C]:"),
                         135, 3645, 2415, 255, plain());
    auto* label3 = label(inputs, "Label3", QStringLiteral("Maximális rendszernyomás [bar]:"), 135,
                         3195, 2415, 255, plain());
    auto* label4 = label(inputs, "Label4", QStringLiteral("Feltöltési (hideg) nyomás [bar]:"), 135,
                         2745, 2415, 255, plain());
    auto* label2 = label(inputs, "Label2", QStringLiteral("Levegő oldali előnyomás [bar]:"), 135,
                         2295, 2415, 255, plain());
    label(inputs, "Label24", QStringLiteral("Fagyálló folyadék koncentrátum szükséglet, [liter]:"),
          135, 1800, 4080, 255, plain());
    Label16 = label(inputs, "Label16", QStringLiteral("0"), 5355, 1800, 915, 330,
                    {sansFont(kHeadingPixels, true), Back::Yellow, Qt::AlignRight});
    auto* label23 =
        label(inputs, "Label23", QStringLiteral("A napkollektor köri hőátadó folyadék típusa:"),
              135, 1350, 4080, 255, plain());
    label(inputs, "Label20", QStringLiteral("Bemenő adatok"), 90, 90, 2040, 285, heading());
    auto* label1 = label(inputs, "Label1",
                         QStringLiteral("A napkollektoros rendszer teljes térfogata, [liter]:"),
                         135, 540, 4080, 255, plain());
    describe(label1, Text1);
    describe(label2, Text2);
    describe(label3, Text3);
    describe(label4, Text4);
    describe(label5, Text5);
    describe(label6, Text6);
    describe(Label17, Text11);
    describe(Label36, Text7);
    describe(label23, Combo1);
    // No buddy: a click on the caption does not toggle the box.
    Check1->setAccessibleName(label13->text());

    // Results panel, front to back.
    m_vesselList = list(results, "Tagtartaly", QStringLiteral("Tagtartaly"), 4455, 1890, 1215, 315);
    Label29 =
        label(results, "Label29", QStringLiteral("Label29"), 4860, 450, 870, 285, boldRight());
    Label28 =
        label(results, "Label28", QStringLiteral("Label28"), 4860, 900, 870, 285, boldRight());
    Label27 =
        label(results, "Label27", QStringLiteral("Label27"), 4860, 1485, 870, 285, boldRight());
    auto* label10 = label(results, "Label10", QStringLiteral("Választott tágulási tartály:"), 135,
                          1935, 3045, 255, bold(Back::Transparent));
    describe(label10, m_vesselList);
    auto* line2 = new TwipLine(results, palette().color(QPalette::WindowText), 1, false);
    line2->setObjectName(QStringLiteral("Line2"));
    line2->setEnds(90, 1215, 5670, 1215);
    line2->lower();
    label(results, "Label18", QStringLiteral("Számított adatok"), 90, 90, 2040, 285, heading());
    Label7 =
        label(results, "Label7",
              QStringLiteral("Térfogat változás Tmeleg-re melegedés és elgőzölgés esetén [liter]:"),
              90, 450, 4980, 255, plain());
    label(results, "Label8", QStringLiteral("Térfogat melegen [liter]:"), 90, 855, 2415, 255,
          plain());
    label(results, "Label9", QStringLiteral("Tágulási tartály minimális mérete [liter]: "), 90,
          1440, 3615, 255, bold());

    // Slider panel, front to back.
    HScroll1 = slider(sliders, "HScroll1", kMeanSliderMin, kMeanSliderMax, 180, 3510, 4800, 255);
    pictureBox(sliders, "Picture8", Picture::TemperatureScale, kPanelGrey, 315, 3105, 5370, 420);
    HScroll2 =
        slider(sliders, "HScroll2", kCollectorSliderMin, kCollectorSliderMax, 135, 2835, 5595, 255);
    Text10 = textBox(sliders, "Text10", QStringLiteral("20"), panelgeo::kPressureText);
    // A read-out the panel writes: no border, read-only, skipped by the Tab key.
    Text10->setFrame(false);
    Text10->setReadOnly(true);
    Text10->setAlignment(Qt::AlignRight | Qt::AlignTop);  // on the line of its unit "bar"
    Text10->setFocusPolicy(Qt::ClickFocus);
    setGround(Text10, kPanelGrey);
    Picture5 = place(new PictureGround(sliders, Picture::ValveClosed, kPanelGrey), "Picture5",
                     panelgeo::kValveClosed);
    auto* gauge =
        place(new PictureGround(sliders, Picture::Gauge, kPanelGrey), "Picture9", panelgeo::kGauge);
    place(new PictureGround(sliders, Picture::ValveBlowing, kPanelGrey), "Picture6",
          panelgeo::kValveBlowing);
    place(new PictureGround(sliders, Picture::VesselOutline, QColor()), "Image1", panelgeo::kVessel)
        ->setAttribute(Qt::WA_TransparentForMouseEvents);
    Label40 = label(sliders, "Label40", QStringLiteral("Label40"), 5085, 2340, 645, 240,
                    bold(Back::Grey));
    Label39 = label(sliders, "Label39", QStringLiteral("Gőzképződés"), 3915, 2340, 1230, 240,
                    bold(Back::Grey));
    Label26 = label(sliders, "Label26", QStringLiteral("Label26"), 4995, 2565, 780, 240,
                    plain(Back::Grey));
    Label25 = label(sliders, "Label25", QStringLiteral("A napkollektorok hőmérséklete:"), 270, 2565,
                    2310, 240, plain(Back::Grey));
    Label34 = label(sliders, "Label34", QStringLiteral("Label34"), 2565, 2565, 555, 195,
                    plain(Back::Grey));
    Label35 = label(sliders, "Label35", QStringLiteral("Forráspont:"), 3960, 2565, 870, 240,
                    plain(Back::Grey));
    auto* label19 =
        label(sliders, "Label19", QStringLiteral("bar"), panelgeo::kPressureUnit, centred());
    label(sliders, "Label15", QStringLiteral("nyitó nyomása: pmax"), panelgeo::kValveSetting,
          centred());
    auto* label14 =
        label(sliders, "Label14",
              QStringLiteral("A napkollektor köri hőátadó folyadék átlagos hőmérséklete:"), 180,
              3825, 4395, 255, centred());
    // On the flat part of the ground: its own grey looks the same and spares the ground a
    // repaint at every step.
    Label11 = label(sliders, "Label11", QStringLiteral("Label11"), 4815, 3825, 735, 255,
                    plain(Back::Grey));
    label(sliders, "Label22", QStringLiteral("Membrán állapota"), panelgeo::kVesselCaption,
          centred());
    label(sliders, "Label21", QStringLiteral("Biztonsági szelep"), panelgeo::kValveCaption,
          centred());
    auto* label12 = label(sliders, "Label12", QStringLiteral("Rendszernyomás"),
                          panelgeo::kPressureCaption, centred());
    Shape2 = new RoundedBar(sliders, panelgeo::kGasColour, RoundedBar::Motion::Moves);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape2->setTwips(panelgeo::kGasBar.left, panelgeo::kGasBar.top, panelgeo::kGasBar.width,
                     panelgeo::kGasBar.height);
    Shape2->lower();
    auto* shape1 = new RoundedBar(sliders, panelgeo::kFluidColour, RoundedBar::Motion::StandsStill);
    shape1->setObjectName(QStringLiteral("Shape1"));
    shape1->setTwips(panelgeo::kFluidBar.left, panelgeo::kFluidBar.top, panelgeo::kFluidBar.width,
                     panelgeo::kFluidBar.height);
    shape1->lower();

    Line4 = new TwipLine(gauge, panelgeo::kNeedleColour, panelgeo::kNeedlePixels, true);
    Line4->setObjectName(QStringLiteral("Line4"));
    Line4->setEnds(660, 660, 120, 660);

    Text10->setAccessibleName(label12->text() + QLatin1Char(' ') + label19->text());
    HScroll1->setAccessibleName(label14->text());
    HScroll2->setAccessibleName(Label25->text());
    describeResults(this, {{"Label29", "Label7"},
                           {"Label28", "Label8"},
                           {"Label27", "Label9"},
                           {"Label16", "Label24"},
                           {"Label11", "Label14"},
                           {"Label34", "Label25"},
                           {"Label26", "Label35"},
                           {"Label40", "Label39"}});
}

void Tagtartaly::setTabOrder() {
    // The window-wide order over the controls that can take the focus; Qt skips disabled and
    // hidden ones. Text10 is left out: the Tab key skips the read-out.
    setTabChain({Command1, Text1, Command2, Command3, Combo1, Text2, Text4, Text3, Text5, Text6,
                 Check1, m_vesselList, Text11, HScroll2, HScroll1, Text7});
}

}  // namespace expans::ui

// The floor: a bare Qt Widgets program with the calculator's widgets, window sizes, fonts and
// menu bar, but no pictures and no logic. Each slider step sets one label and repaints one
// stand-in picture (a plain pixmap where the gauge is); the volume button shows the second window
// over a cover, and its return hides it again. Usage as expans-bench.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <cstring>
#include <vector>

#include "bench_timing.h"

namespace {

enum class Kind { Widget, Frame, Label, LineEdit, CheckBox, PushButton, ComboBox, ScrollBar };

struct Row {
    int window;
    int parent;
    Kind kind;
    int x, y, width, height;
    int pixelSize;
    int weight;
    int italic;
    int fill;  // RGB, or -1 for none
    int hidden;
    int extra;
    const char* name;
    const char* text;
};

// Written by `expans-bench dump-layout`.
const Row kRows[] = {
#include "floor_layout.inc"
};

// The one picture a slider step repaints: a pixmap of the gauge's size, drawn as it is.
class StandInPicture : public QWidget {
public:
    explicit StandInPicture(QWidget* parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        if (m_pixmap.size() != size() * devicePixelRatioF()) {
            m_pixmap = QPixmap(size() * devicePixelRatioF());
            m_pixmap.setDevicePixelRatio(devicePixelRatioF());
            m_pixmap.fill(QColor(0xC0, 0xC0, 0xC0));
        }
        QPainter(this).drawPixmap(0, 0, m_pixmap);
    }

private:
    QPixmap m_pixmap;
};

QWidget* make(const Row& row, QWidget* parent) {
    const QString text = QString::fromUtf8(row.text);
    QWidget* widget = nullptr;
    switch (row.kind) {
        case Kind::Widget:
            widget = std::strcmp(row.name, "Picture9") == 0 ? new StandInPicture(parent)
                                                            : new QWidget(parent);
            break;
        case Kind::Frame: {
            auto* frame = new QFrame(parent);
            frame->setFrameStyle(row.extra & 0xFFFF);
            frame->setLineWidth(row.extra >> 16);
            widget = frame;
            break;
        }
        case Kind::Label: {
            auto* label = new QLabel(text, parent);
            label->setAlignment(Qt::Alignment(row.extra & 0xFFFFF));
            label->setWordWrap(row.extra & 0x100000);
            label->setTextFormat(Qt::PlainText);
            widget = label;
            break;
        }
        case Kind::LineEdit: {
            auto* box = new QLineEdit(text, parent);
            box->setAlignment(Qt::Alignment(row.extra & 0xFFFFF));
            box->setFrame(!(row.extra & 0x100000));
            box->setReadOnly(row.extra & 0x200000);
            widget = box;
            break;
        }
        case Kind::CheckBox: {
            auto* check = new QCheckBox(text, parent);
            check->setChecked(row.extra);
            widget = check;
            break;
        }
        case Kind::PushButton:
            widget = new QPushButton(text, parent);
            break;
        case Kind::ComboBox: {
            auto* list = new QComboBox(parent);
            if (!text.isEmpty()) list->addItems(text.split(QLatin1Char('\n')));
            list->setCurrentIndex(row.extra);
            widget = list;
            break;
        }
        case Kind::ScrollBar: {
            const QStringList numbers = text.split(QLatin1Char(' '));
            auto* bar = new QScrollBar(Qt::Horizontal, parent);
            bar->setRange(numbers.value(0).toInt(), numbers.value(1).toInt());
            bar->setValue(numbers.value(2).toInt());
            widget = bar;
            break;
        }
    }
    widget->setObjectName(QString::fromUtf8(row.name));
    widget->setGeometry(row.x, row.y, row.width, row.height);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(row.pixelSize);
    font.setWeight(QFont::Weight(row.weight));
    font.setItalic(row.italic);
    widget->setFont(font);
    if (row.fill >= 0) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, QColor::fromRgb(QRgb(row.fill)));
        widget->setPalette(palette);
        widget->setAutoFillBackground(true);
    }
    if (row.hidden) widget->hide();
    return widget;
}

// Builds one window's rows; the window's own row is the first.
std::vector<QWidget*> build(int window, QWidget* top, QWidget* client) {
    std::vector<QWidget*> widgets;
    for (const Row& row : kRows) {
        if (row.window != window) continue;
        if (row.parent < 0) {
            top->setObjectName(QString::fromUtf8(row.name));
            QFont font(QStringLiteral("Liberation Sans"));
            font.setPixelSize(row.pixelSize);
            top->setFont(font);
            client->setFixedSize(row.width, row.height);
            widgets.push_back(client);
            continue;
        }
        widgets.push_back(make(row, widgets[std::size_t(row.parent)]));
    }
    return widgets;
}

template <typename W>
W* find(const std::vector<QWidget*>& widgets, const char* name) {
    for (QWidget* widget : widgets) {
        if (widget->objectName() == QString::fromUtf8(name)) return qobject_cast<W*>(widget);
    }
    return nullptr;
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::int64_t start = bench::processStartNs(bench::nowNs());
    const QString mode = argc > 1 ? QString::fromLatin1(argv[1]) : QStringLiteral("all");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvenda-Expans"));
    QApplication::setOrganizationName(QStringLiteral("Orvenda Kft."));

    // The main window: a menu bar above the designed client area.
    QWidget window;
    window.setWindowTitle(QStringLiteral("Orvenda-Expans"));
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint);
    auto* menuBar = new QMenuBar(&window);
    QMenu* file = menuBar->addMenu(QStringLiteral("&Fájl"));
    for (const char* item : {"Új", "Megnyitás…", "Mentés", "Mentés másként…",
                             "Jelentés mentése PDF-be…", "Nyomtatás…", "Kilépés"}) {
        file->addAction(QString::fromUtf8(item));
    }
    menuBar->addMenu(QStringLiteral("&Eszközök"))
        ->addAction(QStringLiteral("Ellenőrzés az MSZ EN 12828 szerint…"));
    menuBar->addMenu(QStringLiteral("&Súgó"))->addAction(QStringLiteral("Névjegy"));
    auto* client = new QWidget(&window);
    const std::vector<QWidget*> mainWidgets = build(0, &window, client);
    const int menuHeight = menuBar->sizeHint().height();
    menuBar->setGeometry(0, 0, client->width(), menuHeight);
    client->move(0, menuHeight);
    window.setFixedSize(client->width(), client->height() + menuHeight);

    QWidget volume;
    volume.setWindowTitle(QStringLiteral("Rendszerterfogat kiszámítása"));
    auto* volumeClient = new QWidget(&volume);
    const std::vector<QWidget*> volumeWidgets = build(1, &volume, volumeClient);
    volume.setFixedSize(volumeClient->size());

    auto* cover = find<QWidget>(mainWidgets, "Picture4");
    auto* meanSlider = find<QScrollBar>(mainWidgets, "HScroll1");
    auto* collectorSlider = find<QScrollBar>(mainWidgets, "HScroll2");
    auto* meanLabel = find<QLabel>(mainWidgets, "Label11");
    auto* collectorLabel = find<QLabel>(mainWidgets, "Label34");
    auto* gauge = find<QWidget>(mainWidgets, "Picture9");
    auto* openButton = find<QPushButton>(mainWidgets, "Command2");
    auto* returnButton = find<QPushButton>(volumeWidgets, "Command2");
    auto* pipeLength = find<QLineEdit>(volumeWidgets, "Text3");
    auto* pipeTotal = find<QLabel>(volumeWidgets, "Label10");
    auto* systemTotal = find<QLabel>(volumeWidgets, "Label14");

    QObject::connect(meanSlider, &QScrollBar::valueChanged, meanLabel, [=](int value) {
        meanLabel->setText(QString::number(value) + QStringLiteral(" °C"));
        gauge->update();
    });
    QObject::connect(collectorSlider, &QScrollBar::valueChanged, collectorLabel, [=](int value) {
        collectorLabel->setText(QString::number(value) + QStringLiteral(" °C"));
        gauge->update();
    });
    QObject::connect(openButton, &QPushButton::clicked, &volume, [&] {
        cover->show();
        cover->raise();
        volume.show();
        volume.raise();
        volume.activateWindow();
        returnButton->setFocus(Qt::ActiveWindowFocusReason);
    });
    QObject::connect(returnButton, &QPushButton::clicked, &window, [&] {
        volume.hide();
        cover->hide();
        window.raise();
        window.activateWindow();
    });
    QObject::connect(pipeLength, &QLineEdit::textChanged, pipeTotal, [=](const QString& text) {
        pipeTotal->setText(text + QStringLiteral(",00"));
        systemTotal->setText(text + QStringLiteral(",10"));
    });

    bench::FirstFrame first(&window);
    window.show();
    window.raise();
    window.activateWindow();

    bench::Subject subject;
    subject.main = &window;
    subject.volume = &volume;
    subject.meanSlider = meanSlider;
    subject.collectorSlider = collectorSlider;
    subject.openVolume = openButton;
    subject.returnFromVolume = returnButton;
    subject.changeVolumeBox = [pipeLength](int round) {
        pipeLength->setText(QString::number(20 + round % 2));
    };
    return bench::run(mode, subject, first, start);
}

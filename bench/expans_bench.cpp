// The calculator under the benchmark: started exactly as the program starts (see app/main.cpp),
// then driven through its real windows. Usage: expans-bench startup|slider|volume|all
// `expans-bench dump-layout` prints both windows' widget tree for the floor's twin.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "application.h"
#include "bench_timing.h"
#include "windows/rendszerterfogat.h"
#include "windows/tagtartaly.h"

namespace {

QByteArray cString(const QString& text) {
    QByteArray out = "\"";
    for (const char c : text.toUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || c == '"' || c == '\\' || c == '?') {
            out += QByteArray("\\x") + QByteArray::number(byte, 16).rightJustified(2, '0') + "\"\"";
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// One row per widget, parents before children, each container's children in stacking order.
void dump(QWidget* widget, int window, int parent, int& next) {
    const int index = next++;
    const char* kind = "Widget";
    QString text;
    int extra = 0;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        kind = "Label";
        text = label->text();
        extra = int(label->alignment()) | (label->wordWrap() ? 0x100000 : 0);
    } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
        kind = "LineEdit";
        text = box->text();
        extra = int(box->alignment()) | (box->hasFrame() ? 0 : 0x100000) |
                (box->isReadOnly() ? 0x200000 : 0);
    } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        kind = "CheckBox";
        text = check->text();
        extra = check->isChecked();
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        kind = "PushButton";
        text = button->text();
    } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
        kind = "ComboBox";
        QStringList items;
        for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
        text = items.join(QLatin1Char('\n'));
        extra = list->currentIndex();
    } else if (auto* bar = qobject_cast<QScrollBar*>(widget)) {
        kind = "ScrollBar";
        text = QStringLiteral("%1 %2 %3").arg(bar->minimum()).arg(bar->maximum()).arg(bar->value());
    } else if (auto* frame = qobject_cast<QFrame*>(widget)) {
        kind = "Frame";
        extra = frame->frameStyle() | (frame->lineWidth() << 16);
    }
    const QRect g = widget->geometry();
    const QFont font = widget->font();
    const int fill = widget->autoFillBackground()
                         ? int(widget->palette().color(QPalette::Window).rgb() & 0xFFFFFF)
                         : -1;
    std::printf("    {%d, %d, Kind::%s, %d, %d, %d, %d, %d, %d, %d, %d, %d, %d, %s, %s},\n", window,
                parent, kind, g.x(), g.y(), g.width(), g.height(), font.pixelSize(),
                int(font.weight()), int(font.italic()), fill, int(widget->isHidden()), extra,
                cString(widget->objectName()).constData(), cString(text).constData());
    for (QObject* child : widget->children()) {
        if (auto* childWidget = qobject_cast<QWidget*>(child);
            childWidget && !childWidget->isWindow()) {
            dump(childWidget, window, index, next);
        }
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::int64_t start = bench::processStartNs(bench::nowNs());
    const QString mode = argc > 1 ? QString::fromLatin1(argv[1]) : QStringLiteral("all");

    // As app/main.cpp.
    QApplication app(argc, argv);
    const auto qtTexts = expans::ui::prepareApplication();

    expans::ui::Tagtartaly window;
    window.setQuitAction([] {});
    window.Form_Load();

    if (mode == QStringLiteral("dump-layout")) {
        int next = 0;
        dump(&window, 0, -1, next);
        next = 0;
        dump(window.volumeWindow(), 1, -1, next);
        return 0;
    }

    bench::FirstFrame first(&window);
    window.showAtStart();

    expans::ui::Rendszerterfogat* volume = window.volumeWindow();
    bench::Subject subject;
    subject.main = &window;
    subject.volume = volume;
    subject.meanSlider = window.findChild<QScrollBar*>(QStringLiteral("HScroll1"));
    subject.collectorSlider = window.findChild<QScrollBar*>(QStringLiteral("HScroll2"));
    subject.openVolume = window.findChild<QPushButton*>(QStringLiteral("Command2"));
    subject.returnFromVolume = volume->findChild<QPushButton*>(QStringLiteral("Command2"));
    auto* pipeLength = volume->findChild<QLineEdit*>(QStringLiteral("Text3"));
    subject.changeVolumeBox = [pipeLength](int round) {
        pipeLength->setText(QString::number(20 + round % 2));
    };
    return bench::run(mode, subject, first, start);
}

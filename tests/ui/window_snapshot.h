#pragma once

// What a user can see of both windows, as one comparable map: every named control's text,
// selection, position, check, visibility and enabling, and the stored figures the screen shows
// only indirectly. Shared by the job-file tests and the random user.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStringList>
#include <map>

#include "widgets/panelwidgets.h"
#include "windows/rendszerterfogat.h"
#include "windows/tagtartaly.h"

// What a user can see of a window: every named control's text, selection, position, check,
// visibility and enabling.
inline std::map<QString, QString> snapshot(const QWidget* root) {
    std::map<QString, QString> seen;
    for (const QWidget* w : root->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))) continue;
        QString state = QStringLiteral("%1%2|").arg(int(w->isVisible())).arg(int(w->isEnabled()));
        if (auto* box = qobject_cast<const QLineEdit*>(w)) state += box->text();
        if (auto* label = qobject_cast<const QLabel*>(w)) state += label->text();
        if (auto* list = qobject_cast<const QComboBox*>(w))
            state += QString::number(list->currentIndex());
        if (auto* bar = qobject_cast<const QScrollBar*>(w)) state += QString::number(bar->value());
        if (auto* check = qobject_cast<const QCheckBox*>(w))
            state += QString::number(check->isChecked());
        if (auto* bar = qobject_cast<const expans::ui::RoundedBar*>(w)) {
            state += QString::number(bar->topTwips()) + QLatin1Char(' ') +
                     QString::number(bar->heightTwips());
        }
        if (auto* line = qobject_cast<const expans::ui::TwipLine*>(w)) {
            state += QString::number(line->x2()) + QLatin1Char(' ') + QString::number(line->y2());
        }
        seen[w->objectName()] = state;
    }
    return seen;
}

inline std::map<QString, QString> bothWindows(const expans::ui::Tagtartaly& window) {
    std::map<QString, QString> seen = snapshot(&window);
    for (const auto& [name, state] : snapshot(window.volumeWindow())) {
        seen[QStringLiteral("Rendszerterfogat.") + name] = state;
    }
    // Stored figures the screen shows only indirectly.
    const expans::MainState& s = window.state();
    QStringList figures;
    for (const expans::Currency value :
         {s.SystemVolume, s.PrePressureAbs, s.FillPressureAbs, s.MaxPressureAbs, s.ColdTemperature,
          s.MaxMeanTemperature, s.StaticHeight, s.CollectorVolume, s.GasVolume, s.SystemPressureAbs,
          s.BoilingPoint, s.VesselWaterReserve}) {
        figures << QString::number(value.ticks());
    }
    seen[QStringLiteral("state")] = figures.join(QLatin1Char(' '));
    return seen;
}

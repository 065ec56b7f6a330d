#include "widgets/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>

namespace expans::ui {

namespace {

const char* const kCaptionProperty = "expansResultCaption";

class ResultLabelAccessible : public QAccessibleWidget {
public:
    explicit ResultLabelAccessible(QLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override {
        const auto* label = static_cast<const QLabel*>(widget());
        switch (kind) {
            case QAccessible::Name: {
                const auto* caption = qobject_cast<const QLabel*>(
                    label->property(kCaptionProperty).value<QObject*>());
                QString name = caption ? caption->text().trimmed() : QString();
                if (name.endsWith(QLatin1Char(':'))) name.chop(1);
                return name;
            }
            case QAccessible::Value:
            case QAccessible::Description:
                return label->text();
            default:
                return QAccessibleWidget::text(kind);
        }
    }
};

QAccessibleInterface* resultLabelFactory(const QString& className, QObject* object) {
    if (className != QLatin1String("QLabel") || !object->property(kCaptionProperty).isValid()) {
        return nullptr;
    }
    return new ResultLabelAccessible(static_cast<QLabel*>(object));
}

}  // namespace

void describeResults(QWidget* root,
                     std::initializer_list<std::pair<const char*, const char*>> pairs) {
    static const bool installed = [] {
        QAccessible::installFactory(&resultLabelFactory);
        return true;
    }();
    (void)installed;
    for (const auto& [figureName, captionName] : pairs) {
        auto* figure = root->findChild<QLabel*>(QString::fromLatin1(figureName));
        auto* caption = root->findChild<QLabel*>(QString::fromLatin1(captionName));
        if (!figure || !caption) continue;
        figure->setAccessibleName(QString());
        figure->setProperty(kCaptionProperty, QVariant::fromValue<QObject*>(caption));
        // Qt made the label's plain interface when the label was created; drop it, so the next
        // query comes through the factory above.
        if (QAccessibleInterface* plain = QAccessible::queryAccessibleInterface(figure)) {
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(plain));
        }
    }
}

}  // namespace expans::ui

#pragma once

// A started main window, shown and active on the offscreen platform, with the message boxes
// recorded and the exit replaced by a flag. Helpers type and move the focus like a user.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "message_recorder.h"
#include "named_control.h"
#include "windows/tagtartaly.h"

inline QString u(const char* text) {
    return QString::fromUtf8(text);
}

inline QStringList texts(std::initializer_list<const char*> list) {
    QStringList out;
    for (const char* text : list) out << u(text);
    return out;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        recorder = std::make_unique<MessageRecorder>();
        window = std::make_unique<expans::ui::Tagtartaly>();
        window->setQuitAction([this] { ++quits; });
        window->Form_Load();
        window->showAtStart();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        settle();
    }
    void TearDown() override {
        window.reset();
        recorder.reset();
    }

    // Lets every queued user-event handler run.
    void settle() {
        for (int round = 0; round < 50; ++round) {
            QCoreApplication::processEvents();
            if (!window || !window->handlersPending()) return;
            QTest::qWait(2);  // a handler held for a mouse release is polled by a timer
        }
        ADD_FAILURE() << "handlers still pending";
    }

    template <typename W = QWidget>
    W* control(const char* name) const {
        auto* found = window->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString text(const char* name) const {
        if (auto* box = window->findChild<QLineEdit*>(QString::fromLatin1(name)))
            return box->text();
        if (auto* label = window->findChild<QLabel*>(QString::fromLatin1(name))) {
            return label->text();
        }
        if (auto* list = window->findChild<QComboBox*>(QString::fromLatin1(name))) {
            return list->currentText();
        }
        return QStringLiteral("<missing %1>").arg(QString::fromLatin1(name));
    }

    // Focus into the field, replace its text by typing, then press Tab and let the handlers run.
    void typeAndTab(const char* field, const QString& typed) {
        auto* box = control<QLineEdit>(field);
        box->setFocus(Qt::MouseFocusReason);
        settle();
        box->selectAll();
        QTest::keyClicks(box, typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        settle();
    }

    void click(const char* name) {
        QTest::mouseClick(control(name), Qt::LeftButton);
        settle();
    }

    QString focusName() const {
        QWidget* focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QStringLiteral("<none>");
    }

    std::unique_ptr<MessageRecorder> recorder;
    std::unique_ptr<expans::ui::Tagtartaly> window;
    int quits = 0;
};

#pragma once

// Replaces the modal error box for the lifetime of the object and records every message in the
// order the user would have seen them. Never blocks, so a test cannot hang on a box.
#include <QString>
#include <QStringList>

#include "widgets/messagebox.h"

class MessageRecorder {
public:
    MessageRecorder()
        : m_previous(expans::ui::setErrorBox(
              [this](QWidget*, const QString& message) { m_messages << message; })) {}
    ~MessageRecorder() { expans::ui::setErrorBox(m_previous); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    const QStringList& messages() const { return m_messages; }
    QStringList take() {
        QStringList taken = m_messages;
        m_messages.clear();
        return taken;
    }

private:
    QStringList m_messages;
    expans::ui::ErrorBox m_previous;
};

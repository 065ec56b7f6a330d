#pragma once

// The core's UTF-8 texts as QStrings. Unlike QString::fromUtf8, a leading U+FEFF stays part of
// the text: in a field or a job it is a character that was typed or read, not a byte-order mark,
// and dropping it would make a text differ from itself after a round trip. Needs only Qt Core.

#include <QStringDecoder>
#include <string>

namespace expans::ui {

inline QString textFromUtf8(const std::string& text) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace expans::ui

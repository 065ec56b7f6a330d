#pragma once

// A window's control found the way tests and accessibility tools find it: by the name it carries
// as its objectName (the windows keep their controls private).

#include <gtest/gtest.h>

#include <QObject>
#include <QString>

template <typename W = QWidget>
W* named(const QObject& window, const char* name) {
    auto* found = window.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

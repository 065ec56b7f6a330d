// Usage: expans-clipboard
// Prints the text on the X11 clipboard and a newline. The scripted user session copies a field
// with Ctrl+A, Ctrl+C and reads it back with this, so it checks what the window shows without
// looking at pixels.

#include <QClipboard>
#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    QTextStream(stdout) << QGuiApplication::clipboard()->text() << '\n';
    return 0;
}

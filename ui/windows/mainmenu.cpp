#include "windows/mainmenu.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QWindow>

#include "io/jobfile.h"
#include "widgets/dialogs.h"
#include "windows/ellenorzes.h"

namespace expans::ui {

namespace {

const QString kJobFilter = QStringLiteral("Orvenda-Expans munkafájl (*.expans)");
const QString kJobSuffix = QStringLiteral("expans");
const QString kProgramTitle = QStringLiteral("Orvenda-Expans");
const QString kLastFolderKey = QStringLiteral("fajlok/utolsoMappa");

QString withSuffix(QString path, const QString& suffix) {
    if (QFileInfo(path).suffix().compare(suffix, Qt::CaseInsensitive) != 0) {
        path += QLatin1Char('.') + suffix;
    }
    return path;
}

}  // namespace

MainMenu::MainMenu(MenuHost& host)
    : QObject(&host.hostWindow()), m_host(host), m_window(host.hostWindow()) {
    m_bar = new QMenuBar(&m_window);
    m_bar->setObjectName(QStringLiteral("MenuBar"));
    // The desktop's own menu font, not the window's small design font.
    m_bar->setFont(QApplication::font(m_bar));

    // Access keys: F and G, so the window's Alt+S and Alt+K stay with its buttons.
    QMenu* file = m_bar->addMenu(QStringLiteral("&Fájl"));
    addCommand(file, QStringLiteral("&Új"), QKeySequence(Qt::CTRL | Qt::Key_N),
               [this] { newJob(); });
    addCommand(file, QStringLiteral("&Megnyitás…"), QKeySequence(Qt::CTRL | Qt::Key_O),
               [this] { open(); });
    addCommand(file, QStringLiteral("M&entés"), QKeySequence(Qt::CTRL | Qt::Key_S),
               [this] { save(); });
    addCommand(file, QStringLiteral("Mentés má&sként…"),
               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { saveAs(); });
    file->addSeparator();
    addCommand(file, QStringLiteral("&Jelentés mentése PDF-be…"), QKeySequence(),
               [this] { exportPdf(); });
    addCommand(file, QStringLiteral("&Nyomtatás…"), QKeySequence(Qt::CTRL | Qt::Key_P),
               [this] { print(); });
    file->addSeparator();
    addCommand(file, QStringLiteral("&Kilépés"), QKeySequence(Qt::CTRL | Qt::Key_Q),
               [this] { m_host.quit(); });

    // E: the window's S, K, V and the bar's F and G are taken.
    QMenu* tools = m_bar->addMenu(QStringLiteral("&Eszközök"));
    addCommand(tools, QStringLiteral("&Ellenőrzés az MSZ EN 12828 szerint…"), QKeySequence(),
               [this] { checkStandard(); });

    QMenu* help = m_bar->addMenu(QStringLiteral("Sú&gó"));
    QAction* about = help->addAction(QStringLiteral("&Névjegy"));
    connect(about, &QAction::triggered, this, [this] { showAbout(&m_window); });

    // The designed client area keeps its size; the window grows by the menu's height.
    QWidget* client = m_host.clientArea();
    const int height = m_bar->sizeHint().height();
    m_bar->setGeometry(0, 0, client->width(), height);
    client->move(0, height);
    m_window.setFixedSize(client->width(), client->height() + height);

    m_host.setExitGuard([this] { return maySwitchAway(); });
    m_host.setCoverWatch([this](bool covered) { setCovered(covered); });
    watchChanges();
    // Whatever changed the job, and however: each time the program waits for the user, the mark
    // is what the comparison says.
    connect(QAbstractEventDispatcher::instance(thread()), &QAbstractEventDispatcher::aboutToBlock,
            this, [this] {
                if (!m_path.isEmpty() && !m_host.handlersPending()) updateMark();
            });
}

MainMenu::~MainMenu() {
    // It talks to the window, which goes after the menu.
    delete m_checkDialog.data();
}

QAction* MainMenu::addCommand(QMenu* menu, const QString& text, const QKeySequence& keys,
                              std::function<void()> command) {
    QAction* action = menu->addAction(text);
    action->setShortcut(keys);
    // Like a click, a command waits for the checks that leaving a field has started. An open
    // check dialog closes first, keeping what its fields hold.
    connect(action, &QAction::triggered, this, [this, command = std::move(command)] {
        m_host.postCommand([this, command] {
            closeCheck();
            command();
        });
    });
    return action;
}

// The cover shows while the volume window is open: no menu command may run meanwhile.
void MainMenu::setCovered(bool covered) {
    m_bar->setEnabled(!covered);
    for (QAction* action : m_bar->findChildren<QAction*>()) action->setEnabled(!covered);
    watchChanges();
    scheduleModifiedCheck();
}

// Every change a user makes shows up as one of these signals (the windows block them only for
// their own follow-up changes, which a check after the event loop sees as well).
void MainMenu::watchChanges() {
    auto watch = [this](QWidget* root) {
        for (QLineEdit* box : root->findChildren<QLineEdit*>()) {
            connect(box, &QLineEdit::textChanged, this, &MainMenu::scheduleModifiedCheck,
                    Qt::UniqueConnection);
        }
        for (QComboBox* list : root->findChildren<QComboBox*>()) {
            connect(list, &QComboBox::activated, this, &MainMenu::scheduleModifiedCheck,
                    Qt::UniqueConnection);
            connect(list, &QComboBox::currentIndexChanged, this, &MainMenu::scheduleModifiedCheck,
                    Qt::UniqueConnection);
        }
        for (QScrollBar* bar : root->findChildren<QScrollBar*>()) {
            connect(bar, &QScrollBar::valueChanged, this, &MainMenu::scheduleModifiedCheck,
                    Qt::UniqueConnection);
        }
        for (QCheckBox* box : root->findChildren<QCheckBox*>()) {
            connect(box, &QCheckBox::toggled, this, &MainMenu::scheduleModifiedCheck,
                    Qt::UniqueConnection);
        }
    };
    if (!m_mainWatched) {
        watch(m_host.clientArea());
        m_mainWatched = true;
    }
    if (QWidget* volume = m_host.volumeWidget(); volume && volume != m_watchedVolume) {
        watch(volume);
        m_watchedVolume = volume;
    }
}

void MainMenu::scheduleModifiedCheck() {
    if (m_path.isEmpty() || m_checkPending) return;
    m_checkPending = true;
    // After the handlers the change has started, which may change the job further.
    QTimer::singleShot(0, this, [this] {
        m_checkPending = false;
        m_host.postCommand([this] { updateMark(); });
    });
}

void MainMenu::updateMark() {
    m_window.setWindowModified(isModified());
}

bool MainMenu::isModified() const {
    return !m_path.isEmpty() && m_saved && m_host.job() != *m_saved;
}

void MainMenu::updateTitle() {
    if (m_path.isEmpty()) {
        m_window.setWindowFilePath(QString());
        m_window.setWindowTitle(kProgramTitle);
        m_window.setWindowModified(false);
        return;
    }
    m_window.setWindowFilePath(m_path);
    m_window.setWindowTitle(
        QStringLiteral("%1[*] – %2").arg(QFileInfo(m_path).fileName(), kProgramTitle));
    updateMark();
}

void MainMenu::setFile(const QString& path, const Job& saved) {
    m_path = path;
    m_saved = saved;
    QSettings().setValue(kLastFolderKey, QFileInfo(path).absolutePath());
    updateTitle();
}

QString MainMenu::dialogFolder() const {
    const auto existing = [](const QString& folder) {
        return !folder.isEmpty() && QFileInfo(folder).isDir();
    };
    if (!m_path.isEmpty() && existing(QFileInfo(m_path).absolutePath())) {
        return QFileInfo(m_path).absolutePath();
    }
    if (const QString last = QSettings().value(kLastFolderKey).toString(); existing(last)) {
        return last;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return existing(documents) ? documents : QDir::homePath();
}

bool MainMenu::maySwitchAway() {
    if (!isModified()) return true;
    switch (askSave(&m_window, QFileInfo(m_path).fileName())) {
        case SaveAnswer::Save:
            return save();
        case SaveAnswer::Discard:
            return true;
        case SaveAnswer::Cancel:
            break;
    }
    return false;
}

void MainMenu::newJob() {
    if (!maySwitchAway()) return;
    m_host.restart();
    m_path.clear();
    m_saved.reset();
    updateTitle();
    watchChanges();
}

void MainMenu::open() {
    if (!maySwitchAway()) return;
    const QString path =
        chooseOpenFile(&m_window, QStringLiteral("Megnyitás"), dialogFolder(), kJobFilter);
    if (!path.isEmpty()) openFile(path);
}

bool MainMenu::openFile(const QString& path) {
    const JobRead read = readJobFile(path);
    if (!read.job) {
        showFileError(&m_window, openErrorMessage(path, read.error));
        return false;
    }
    m_host.applyJob(*read.job);
    // Compared with what the file holds: where a check corrected a figure of it, the job on
    // screen differs from the file and shows the mark.
    setFile(QFileInfo(path).absoluteFilePath(), *read.job);
    watchChanges();
    return true;
}

bool MainMenu::save() {
    if (m_path.isEmpty()) return saveAs();
    return saveTo(m_path);
}

bool MainMenu::saveAs() {
    const QString suggested =
        m_path.isEmpty() ? QDir(dialogFolder()).filePath(QStringLiteral("munka.expans")) : m_path;
    const QString chosen =
        chooseSaveFile(&m_window, QStringLiteral("Mentés másként"), suggested, kJobFilter);
    if (chosen.isEmpty()) return false;
    return saveTo(withSuffix(chosen, kJobSuffix));
}

bool MainMenu::saveTo(const QString& path) {
    // The file gets the results on screen, and reopens to them.
    m_host.calculateForReport();
    const Job job = m_host.job();
    if (const QString reason = unwritableReason(job); !reason.isEmpty()) {
        showFileError(&m_window, unwritableMessage(path, reason));
        return false;
    }
    QString error;
    if (!writeJobFile(path, job, &error)) {
        showFileError(&m_window, saveErrorMessage(path, error));
        return false;
    }
    setFile(QFileInfo(path).absoluteFilePath(), job);
    return true;
}

void MainMenu::exportPdf() {
    const QString base =
        m_path.isEmpty()
            ? QDir(dialogFolder()).filePath(QStringLiteral("jelentes"))
            : QFileInfo(m_path).path() + QLatin1Char('/') + QFileInfo(m_path).completeBaseName();
    const QString chosen =
        chooseSaveFile(&m_window, QStringLiteral("Jelentés mentése PDF-be"),
                       base + QStringLiteral(".pdf"), QStringLiteral("PDF-dokumentum (*.pdf)"));
    if (chosen.isEmpty()) return;
    const QString path = withSuffix(chosen, QStringLiteral("pdf"));
    m_host.calculateForReport();
    QString error;
    if (!m_host.writeReportPdf(path, QFileInfo(m_path).fileName(), &error)) {
        showFileError(&m_window, saveErrorMessage(path, error));
    }
}

Ellenorzes* MainMenu::checkDialog() const {
    return m_checkDialog.data();
}

void MainMenu::closeCheck() {
    if (m_checkDialog) m_checkDialog->close();
}

void MainMenu::checkStandard() {
    // The figures of the inputs on screen, as the report takes them.
    m_host.calculateForReport();
    auto* dialog = new Ellenorzes(m_host, nullptr);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->adjustSize();
    dialog->move(m_window.frameGeometry().center() - dialog->rect().center());
    // Kept above the main window by the window manager, like a child dialog.
    dialog->winId();
    if (QWindow* handle = dialog->windowHandle())
        handle->setTransientParent(m_window.windowHandle());
    m_checkDialog = dialog;
    dialog->show();
}

void MainMenu::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(m_path.isEmpty() ? kProgramTitle : QFileInfo(m_path).fileName());
    if (runPrintDialog(&m_window, printer)) {
        m_host.calculateForReport();
        m_host.paintReport(printer, QFileInfo(m_path).fileName());
    }
}

}  // namespace expans::ui

// Start-up: from main() until the main window has shown, for Orvella's main window and for a
// bare main window with the same menus and toolbar. Each run is a process of its own.
#include "BenchSupport.h"

#include "LangRuntime.h"
#include "ProgramFolder.h"
#include "Settings.h"
#include "WidgetUi.h"
#include "frmLanguage.h"
#include "mdiORVLA.h"

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenuBar>
#include <QProcess>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>

#include <algorithm>
#include <cstdio>

namespace {

void bareWindow(QMainWindow& window)
{
    window.setCentralWidget(new QMdiArea);
    const int items[] = {9, 5, 2, 4};
    for (int menu = 0; menu < 4; ++menu) {
        QMenu* m = window.menuBar()->addMenu(QStringLiteral("Menu"));
        for (int i = 0; i < items[menu]; ++i)
            m->addAction(QStringLiteral("Item"));
    }
    QToolBar* bar = window.addToolBar(QStringLiteral("Tools"));
    for (int i = 0; i < 9; ++i)
        bar->addAction(QIcon(QStringLiteral(":/icons/open.svg")), QString());
    window.statusBar();
    // Orvella's window opens at this size; a smaller one would paint less and flatter itself.
    window.resize(760, 640);
}

int runOnce(const QString& mode, const QString& folder)
{
    QElapsedTimer timer;
    timer.start();
    int argc = 1;
    char name[] = "bench_startup";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QElapsedTimer shown;
    if (mode == QLatin1String("bare")) {
        QMainWindow window;
        bareWindow(window);
        window.show();
        QApplication::processEvents();
    } else {
        platform::WidgetUi ui;
        platform::setUi(&ui);
        lang::LangRuntime::instance().setDatabase(folder + QStringLiteral("/Spoken.DBF"));
        platform::setSettingsFileForTests(folder + QStringLiteral("/settings.ini"));
        lang::LangRuntime::instance().setChooser(&frmLanguage::ask);
        mdiORVLA window;
        window.show();
        QApplication::processEvents();
    }
    std::printf("%lld\n", timer.nsecsElapsed() / 1000);
    return 0;
}

double medianRun(const QString& mode, const QString& folder)
{
    std::vector<double> times;
    for (int i = 0; i < 9; ++i) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {mode, folder});
        child.waitForFinished();
        times.push_back(child.readAllStandardOutput().trimmed().toDouble() / 1000.0);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3)
        return runOnce(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QFile::copy(QStringLiteral(ORVELLA_SOURCE_DIR "/resources/Spoken.DBF"),
                dir.filePath(QStringLiteral("Spoken.DBF")));
    // Each child keeps its registration in the temporary folder too.
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit());
    medianRun(QStringLiteral("orvella"), dir.path()); // the first start registers the type
    const double bare = medianRun(QStringLiteral("bare"), dir.path());
    const double orvella = medianRun(QStringLiteral("orvella"), dir.path());
    std::printf("bare main window with the same menus: %.1f ms\n", bare);
    std::printf("Orvella's main window: %.1f ms\n", orvella);
    std::printf("ratio: %.2f (target <= 1.2)\n", orvella / bare);
    return 0;
}

#include "app/aktualizacja_unit.h"
#include "app/main_window.h"
#include "app/program_information.h"
#include "app/script_check.h"
#include "app/startup_platform.h"
#include "app/termination_signals.h"
#include "support/program_folder.h"
#include "update/firebird/client_library.h"

#include <QApplication>
#include <QTextStream>

#include <memory>
#include <optional>

namespace {

QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

QByteArray environmentVariable(const char* name) {
    return qgetenv(name);
}

} // namespace

int main(int argc, char** argv) {
    const QStringList arguments = argumentsOf(argc, argv);
    // Asked from a terminal or a package's scripts: no window, and no client library to find.
    if (const std::optional<QString> information = akt::programInformation(arguments)) {
        QTextStream(stdout) << *information;
        return 0;
    }
    // A script author's check of a DBSRC tree: no window, no database, no client library.
    if (!arguments.isEmpty() && arguments.first() == QLatin1String("--check") && arguments.size() <= 2) {
        QCoreApplication application(argc, argv);
        QTextStream out(stdout);
        QTextStream errors(stderr);
        return akt::checkScriptTree(arguments.size() == 2 ? arguments.at(1) : akt::programFolder() + "DBSRC", out,
                                    errors);
    }
    switch (akt::chooseStartupPlatform(arguments, environmentVariable)) {
    case akt::StartupPlatform::Display:
        break;
    case akt::StartupPlatform::Offscreen:
        qputenv("QT_QPA_PLATFORM", "offscreen");
        break;
    case akt::StartupPlatform::NoDisplay:
        QTextStream(stderr) << akt::noDisplayText() << Qt::endl;
        return 3;
    }

    QApplication application(argc, argv);

    // The window cannot work without the client library: it is loaded before the window is built.
    QString libraryError;
    std::unique_ptr<akt::ClientLibrary> library = akt::ClientLibrary::load(&libraryError);
    if (!library) {
        akt::MainWindow::showErrorDialog(libraryError);
        return 1;
    }

    akt::MainWindow window;
    akt::TFRM_aktualizacja form(window, akt::programFolder(), QCoreApplication::arguments().mid(1), *library);
    window.setEvents(&form);
    library->leaveTerminationSignalsToTheProgram();
    const akt::TerminationSignals terminationSignals(
        &window, [&window](int) { window.requestEnd(); }, [&form] { form.cancelRunningCall(); });
    form.FormCreate();
    window.show();
    application.exec();
    return form.exitCode();
}

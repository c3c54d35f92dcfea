// velmora-export: writes a report's export without windows, for scripts.
// Usage in docs/velmora-export.md and `velmora-export --help`.

#include "cli/BatchExport.h"
#include "cli/ExportCommandLine.h"
#include "cli/RuntimeFolder.h"
#include "cli/TerminalProgressMonitor.h"
#include "engine/report/CreateReportEngine.h"
#include "engine/seam/ParameterErrors.h"
#include "engine/seam/SeamErrors.h"

#include <QGuiApplication>

#include <cstdio>

using namespace velmora;

namespace {
constexpr int exportFailed = 1;
constexpr int badCommandLine = 2;

void write(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

int reportFailure(const Failure &failure)
{
    write(stderr, QStringLiteral("error %1: %2\n").arg(failure.number()).arg(failure.description()));
    const bool mistake = failure.number() == SeamErrors::BadCommandLine || ParameterErrors::isCommandLineMistake(failure.number());
    return mistake ? badCommandLine : exportFailed;
}

QStringList argumentsOf(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

EngineServices batchServices()
{
    EngineServices services = EngineServices::standard();
    services.newProgressMonitor = nullptr;
    if (TerminalProgressMonitor::standardErrorIsTerminal())
        services.newProgressMonitor = [] { return std::make_unique<TerminalProgressMonitor>(); };
    return services;
}

int runWithEngine(int argc, char **argv, const ExportCommandLine &command)
{
    // Text is measured through Qt's fonts, which need a GUI application but
    // no screen: without a platform named by the user, use none, so that a
    // script is never stopped by an absent or stale display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Standard error is for the program's own errors: nothing Qt would
    // warn about at start may reach it.
    const RuntimeFolder runtimeFolder;
    QGuiApplication application(argc, argv);
    const auto engine = createReportEngine(batchServices());
    if (command.action == ExportCommandLine::Action::ListParameters) {
        for (const QString &line : listBatchParameters(*engine, command.reportPath))
            write(stdout, line + u'\n');
        return 0;
    }
    runBatchExport(*engine, command);
    return 0;
}
} // namespace

int main(int argc, char **argv)
{
    try {
        const ExportCommandLine command = ExportCommandLine::parse(argumentsOf(argc, argv));
        switch (command.action) {
        case ExportCommandLine::Action::ShowHelp:
            write(stdout, ExportCommandLine::usageText());
            return 0;
        case ExportCommandLine::Action::ShowVersion:
            write(stdout, ExportCommandLine::versionText() + u'\n');
            return 0;
        case ExportCommandLine::Action::Export:
        case ExportCommandLine::Action::ListParameters:
            return runWithEngine(argc, argv, command);
        }
    } catch (const Failure &failure) {
        return reportFailure(failure);
    }
    return 0;
}

#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

/// One run of the real velmora-export of this build: its exit status (-1
/// when it crashed) and what it wrote.
struct ExportProgramRun {
    int exitCode = -1;
    QString out;
    QString err;

    static ExportProgramRun of(const QStringList &arguments,
                               const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(qEnvironmentVariable("VELMORA_BUILD_DIR") + QStringLiteral("/src/cli/velmora-export"), arguments);
        if (!process.waitForFinished(-1))
            return {};
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
    }
};

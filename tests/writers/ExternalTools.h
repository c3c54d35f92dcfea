#pragma once

// Readers written by others, run on the files the writers produce: poppler's
// tools, xlrd under the system Python, and LibreOffice headless with a
// private profile so that parallel runs do not clash.

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <map>

namespace velmora::testing {

inline bool hasTool(const QString &program)
{
    return !QStandardPaths::findExecutable(program).isEmpty() || QFileInfo(program).isExecutable();
}

/// Standard output of the program (empty when it fails to run).
inline QByteArray runTool(const QString &program, const QStringList &arguments, int timeoutMs = 300'000)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs) || process.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
        return {};
    }
    return process.readAllStandardOutput();
}

/// Runs a Python script (with xlrd) on one file; the script prints JSON.
inline QJsonDocument runPython(const QString &script, const QString &file)
{
    return QJsonDocument::fromJson(
        runTool(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, file}));
}

/// Converts a file with LibreOffice into `outDir`; returns the new file's
/// path, empty on failure.
inline QString convertWithLibreOffice(const QString &file, const QString &filter, const QString &extension,
                                      const QString &outDir)
{
    QTemporaryDir profile;
    runTool(QStringLiteral("libreoffice"),
            {QStringLiteral("-env:UserInstallation=file://") + profile.path(), QStringLiteral("--headless"),
             QStringLiteral("--convert-to"), filter, QStringLiteral("--outdir"), outDir, file});
    const QString converted = outDir + u'/' + QFileInfo(file).completeBaseName() + u'.' + extension;
    return QFileInfo::exists(converted) ? converted : QString();
}

/// The bounding boxes pdftotext gives each word of page 1, in points.
inline std::map<QString, QRectF> wordBoxes(const QString &pdf)
{
    const QString html = QString::fromUtf8(runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), pdf, QStringLiteral("-")}));
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    std::map<QString, QRectF> boxes;
    for (const QRegularExpressionMatch &m : word.globalMatch(html)) {
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        boxes.emplace(m.captured(5), QRectF(topLeft, bottomRight));
    }
    return boxes;
}

inline QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

} // namespace velmora::testing

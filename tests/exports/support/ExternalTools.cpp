#include "ExternalTools.h"

#include "TestData.h"

#include <QFileInfo>
#include <QHash>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace velmora::testing {

std::optional<QByteArray> runTool(const QString &program, const QStringList &arguments, int timeoutMs)
{
    const QString found = QStandardPaths::findExecutable(program);
    if (found.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(found, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
}

bool OfficeConverter::isAvailable() const
{
    return m_profile.isValid() && !QStandardPaths::findExecutable(QStringLiteral("libreoffice")).isEmpty();
}

std::optional<QString> OfficeConverter::convert(const QString &source, const QString &filter,
                                                const QString &extension, const QString &outputDir) const
{
    const QString profile = QUrl::fromLocalFile(m_profile.path()).toString();
    const auto output = runTool(QStringLiteral("libreoffice"),
                                {QStringLiteral("--headless"), QStringLiteral("-env:UserInstallation=") + profile,
                                 QStringLiteral("--convert-to"), filter, QStringLiteral("--outdir"), outputDir, source},
                                300000);
    const QString target = outputDir + u'/' + QFileInfo(source).completeBaseName() + u'.' + extension;
    if (!output || !QFileInfo::exists(target))
        return std::nullopt;
    return target;
}

std::optional<QStringList> pdfTextLines(const QString &pdfPath)
{
    const auto text = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")});
    if (!text)
        return std::nullopt;
    return QString::fromUtf8(*text).split(u'\n');
}

std::optional<QHash<QString, QString>> pdfInfo(const QString &pdfPath)
{
    const auto text = runTool(QStringLiteral("pdfinfo"), {pdfPath});
    if (!text)
        return std::nullopt;
    QHash<QString, QString> info;
    for (const QString &line : QString::fromUtf8(*text).split(u'\n')) {
        const qsizetype colon = line.indexOf(u':');
        if (colon > 0)
            info.insert(line.left(colon), line.mid(colon + 1).trimmed());
    }
    return info;
}

QString exportSupportFile(const QString &name)
{
    return sourcePath(QStringLiteral("tests/exports/support/") + name);
}

} // namespace velmora::testing

namespace velmora::testing {

std::optional<QJsonObject> readWorkbook(const QString &xlsPath)
{
    const auto json = runTool(QStringLiteral("/usr/bin/python3"), {exportSupportFile(QStringLiteral("xls_cells.py")), xlsPath});
    if (!json)
        return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(*json);
    if (!document.isObject())
        return std::nullopt;
    return document.object();
}

} // namespace velmora::testing

#include "engine/definition/ReportReader.h"

#include "engine/core/Failure.h"
#include "engine/definition/DefinitionErrors.h"
#include "engine/definition/ReportElementReader.h"
#include "engine/definition/ReportTextDecoder.h"
#include "engine/definition/SourceText.h"
#include "engine/definition/XmlWalker.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace velmora {

using namespace DefinitionErrors;

ReportDefinition readReportFile(const QString &path)
{
    const QFileInfo info(path);
    const QString shownPath = QDir::toNativeSeparators(path);
    if (!info.exists())
        throw Failure(FileNotFound, QStringLiteral("No es troba el fitxer d'informe «%1».").arg(shownPath));
    if (!info.isFile())
        throw Failure(FileUnreadable, QStringLiteral("«%1» no és un fitxer d'informe: és una carpeta o un "
                                                     "dispositiu.")
                                          .arg(shownPath));
    if (info.size() > maximumReportFileSize)
        throw Failure(FileTooLarge, QStringLiteral("El fitxer «%1» no és un informe: fa %2 MB, i un informe no "
                                                   "pot passar de %3 MB.")
                                        .arg(shownPath)
                                        .arg(info.size() / (1024 * 1024))
                                        .arg(maximumReportFileSize / (1024 * 1024)));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(FileUnreadable, QStringLiteral("No es pot llegir el fitxer d'informe «%1»: %2.")
                                          .arg(shownPath, file.errorString()));
    // The size was checked above, but the file may grow in between.
    const QByteArray bytes = file.read(maximumReportFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        throw Failure(FileUnreadable, QStringLiteral("No es pot llegir el fitxer d'informe «%1»: %2.")
                                          .arg(shownPath, file.errorString()));
    return readReportText(bytes, info.absolutePath(), info.fileName());
}

ReportDefinition readReportText(const QByteArray &bytes, const QString &baseDir, const QString &sourceName)
{
    const SourceText source(decodeReportText(bytes, sourceName), sourceName);
    XmlWalker walker(source);
    walker.enterRoot();
    if (walker.name() != QLatin1String("report"))
        walker.fail(NotAReport, QStringLiteral("el fitxer és XML però no és un informe: l'element arrel és <%1>, i el "
                                               "d'un informe és <report>.")
                                    .arg(walker.name()));
    ReaderContext context{walker, baseDir, 0};
    ReportDefinition report = ReportElementReader(context).read();
    walker.finishDocument();
    return report;
}

} // namespace velmora

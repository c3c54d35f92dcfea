#include "engine/definition/ReportWriter.h"

#include "engine/core/Failure.h"
#include "engine/definition/DefinitionErrors.h"
#include "engine/definition/ReportXmlWriter.h"
#include "engine/definition/XmlOutput.h"

#include <QDir>
#include <QSaveFile>
#include <QXmlStreamWriter>

namespace velmora {

QByteArray writeReportText(const ReportDefinition &report)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    XmlOutput out(xml);
    ReportXmlWriter(out).writeReport(report, true);
    xml.writeEndDocument();
    return bytes;
}

void writeReportFile(const ReportDefinition &report, const QString &path)
{
    const QByteArray bytes = writeReportText(report);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw Failure(DefinitionErrors::WriteFailed, QStringLiteral("No es pot desar l'informe a «%1»: %2.")
                                                         .arg(QDir::toNativeSeparators(path), file.errorString()));
}

} // namespace velmora

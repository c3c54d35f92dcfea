#include "engine/definition/ReportTextDecoder.h"

#include "engine/core/Failure.h"
#include "engine/definition/DefinitionErrors.h"

#include <QStringDecoder>

namespace velmora {

namespace {

QString notAReport(const QString &sourceName, const QString &what)
{
    const QString subject = sourceName.isEmpty() ? QStringLiteral("El text donat")
                                                 : QStringLiteral("El fitxer «%1»").arg(sourceName);
    return subject + QStringLiteral(" no és un informe: ") + what;
}

void refuseForeignFormats(const QByteArray &bytes, const QString &sourceName)
{
    using namespace DefinitionErrors;
    if (bytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        throw Failure(CompoundDocument,
                      notAReport(sourceName, QStringLiteral("és un document binari compost (el format dels documents "
                                                            "antics d'Office i dels informes binaris d'altres "
                                                            "programes). Un informe és un fitxer XML.")));
    if (bytes.startsWith("PK\x03\x04") || bytes.startsWith("PK\x05\x06"))
        throw Failure(ZipArchive,
                      notAReport(sourceName, QStringLiteral("és un arxiu comprimit ZIP (per exemple un document "
                                                            ".docx, .xlsx o .odt). Un informe és un fitxer XML.")));
    if (bytes.startsWith("%PDF"))
        throw Failure(PdfDocument,
                      notAReport(sourceName, QStringLiteral("és un document PDF. Un informe és un fitxer XML.")));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        throw Failure(UnsupportedEncoding,
                      notAReport(sourceName, QStringLiteral("està escrit en UTF-16. Un informe s'ha de desar en "
                                                            "UTF-8.")));
}

QString decodeUtf8(const QByteArray &bytes, const QString &sourceName)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder(bytes);
    if (decoder.hasError() || bytes.contains('\0'))
        throw Failure(DefinitionErrors::BinaryData,
                      notAReport(sourceName, QStringLiteral("conté dades binàries, no text XML en UTF-8.")));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

} // namespace

QString decodeReportText(const QByteArray &bytes, const QString &sourceName)
{
    using namespace DefinitionErrors;
    if (bytes.size() > maximumReportFileSize)
        throw Failure(FileTooLarge,
                      notAReport(sourceName, QStringLiteral("fa %1 MB, i un informe no pot passar de %2 MB.")
                                                 .arg(bytes.size() / (1024 * 1024))
                                                 .arg(maximumReportFileSize / (1024 * 1024))));
    if (bytes.trimmed().isEmpty())
        throw Failure(EmptyFile, notAReport(sourceName, QStringLiteral("és buit.")));
    refuseForeignFormats(bytes, sourceName);
    const QString text = decodeUtf8(bytes, sourceName);
    const QString start = text.trimmed();
    if (!start.startsWith(u'<'))
        throw Failure(NotXml, notAReport(sourceName, QStringLiteral("és un text que no és XML (un informe comença "
                                                                    "amb <?xml o amb <report).")));
    return text;
}

} // namespace velmora

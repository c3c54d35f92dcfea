#include "engine/definition/PictureData.h"

#include "engine/definition/DefinitionErrors.h"
#include "engine/definition/ReportTextDecoder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace velmora {

using namespace DefinitionErrors;

namespace {

void checkImage(const QByteArray &bytes, const QString &what, const XmlWalker &walker, SourcePosition position)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    if (!reader.canRead())
        walker.failAt(position, BadPicture,
                      QStringLiteral("%1 no és una imatge que es pugui llegir (PNG, JPEG, BMP o GIF).").arg(what));
}

} // namespace

QByteArray loadPictureFile(const QString &baseDir, const QString &relativePath, const XmlWalker &walker,
                           SourcePosition position)
{
    const QString path = QDir(baseDir).absoluteFilePath(relativePath);
    const QFileInfo info(path);
    if (!info.isFile())
        walker.failAt(position, PictureFileMissing,
                      QStringLiteral("no es troba el fitxer d'imatge «%1» (es busca a «%2»).")
                          .arg(relativePath, QDir::toNativeSeparators(path)));
    if (info.size() > maximumReportFileSize)
        walker.failAt(position, BadPicture,
                      QStringLiteral("el fitxer d'imatge «%1» és massa gran (més de %2 MB).")
                          .arg(relativePath)
                          .arg(maximumReportFileSize / (1024 * 1024)));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        walker.failAt(position, PictureFileMissing,
                      QStringLiteral("no es pot llegir el fitxer d'imatge «%1»: %2.").arg(relativePath, file.errorString()));
    const QByteArray bytes = file.readAll();
    checkImage(bytes, QStringLiteral("el fitxer «%1»").arg(relativePath), walker, position);
    return bytes;
}

QByteArray decodePictureData(const QString &base64, const XmlWalker &walker, SourcePosition position)
{
    QByteArray compact = base64.toLatin1();
    compact.removeIf([](char c) { return c == ' ' || c == '\n' || c == '\t' || c == '\r'; });
    const auto decoded = QByteArray::fromBase64Encoding(compact, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.isEmpty())
        walker.failAt(position, BadPicture, QStringLiteral("el contingut de <data> no és text base64 vàlid."));
    checkImage(decoded.decoded, QStringLiteral("el contingut de <data>"), walker, position);
    return decoded.decoded;
}

} // namespace velmora

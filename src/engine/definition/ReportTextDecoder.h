#pragma once

#include <QByteArray>
#include <QString>

namespace velmora {

/// The largest report file read; anything bigger is refused before reading,
/// since no hand-written or generated report comes near it.
constexpr qint64 maximumReportFileSize = 32 * 1024 * 1024;

/// Turns the bytes of a would-be report file into text for the XML reader,
/// or refuses them with a failure saying what they are instead: an empty
/// file, an office document, a PDF, binary data, text that is not XML.
/// Line ends become "\n", as XML reads them, so offsets map to lines.
/// `sourceName` names the file in messages (may be empty).
QString decodeReportText(const QByteArray &bytes, const QString &sourceName);

} // namespace velmora

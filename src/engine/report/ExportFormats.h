#pragma once

#include <QStringView>
#include <QtGlobal>

#include <span>

namespace velmora {

/// One export format the engine writes: its format type code, the caption
/// the engine's own export dialog shows, the file extension, and the name
/// the batch exporter accepts.
struct ExportFormatInfo {
    qint32 formatType;
    QStringView caption;
    QStringView extension;
    QStringView commandName;
};

/// Every export format, in the order the engine's dialog lists them.
std::span<const ExportFormatInfo> exportFormats();

/// The format with this type code; null when the engine writes no such format.
const ExportFormatInfo *exportFormatByType(qint32 formatType);

/// The format the batch exporter calls `commandName`; null when unknown.
const ExportFormatInfo *exportFormatByCommandName(QStringView commandName);

} // namespace velmora

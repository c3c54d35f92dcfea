#pragma once

#include "engine/definition/ReportDefinition.h"

#include <QByteArray>
#include <QString>

namespace velmora {

/// Writes a report definition in the report file format
/// (docs/report-format.md), UTF-8, indented, leaving out values equal to
/// their defaults. Reading the result gives back an equal definition.
/// Pictures with a path are written as that path (relative to the report
/// file), the others inline in base64.
QByteArray writeReportText(const ReportDefinition &report);

/// Writes the report to `path` atomically: the old file stays whole until
/// the new one is complete. Raises a velmora::Failure (2070) when it cannot.
void writeReportFile(const ReportDefinition &report, const QString &path);

} // namespace velmora

#pragma once

#include "engine/definition/ReportDefinition.h"

#include <QByteArray>
#include <QString>

namespace velmora {

/// Reads a report file (docs/report-format.md) into its definition.
///
/// Reading is strict: anything the format does not define, every name used
/// before it is declared or declared twice, and sections out of report order
/// raise a velmora::Failure (2000-2999) whose description names the file,
/// line and column. Tables, fields and formula syntax are checked later,
/// against the database and by the formula parser, from the positions kept
/// in the definition. Files over 32 MB are refused without being read.
ReportDefinition readReportFile(const QString &path);

/// Reads a report from `bytes`; pictures named by path are looked for in
/// `baseDir`. `sourceName`, when given, names the text in messages.
ReportDefinition readReportText(const QByteArray &bytes, const QString &baseDir,
                                const QString &sourceName = QString());

} // namespace velmora

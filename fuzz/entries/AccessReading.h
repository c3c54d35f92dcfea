#pragma once

#include "engine/data/AccessDatabase.h"

#include <QByteArray>
#include <QString>

namespace velmora::fuzzing {

/// A real Access file of tests/data, for the entries that patch one.
QByteArray accessBaseFile(const char *name);

/// Writes `bytes` over the run's one scratch Access file and gives its path:
/// a fresh temporary file for every input would spend most of the run in
/// the file system.
QString writeScratchAccessFile(const QByteArray &bytes);

/// Reads every column of every table, as laying out a report over the file
/// would.
void readEveryColumnOfEveryTable(const AccessDatabase &database);

} // namespace velmora::fuzzing

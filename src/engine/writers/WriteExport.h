#pragma once

#include "engine/writers/ExportRequest.h"

namespace velmora {

/// Writes the export the request names, in its format, to its path: whole or
/// not at all (see AtomicFileWriter). Reads pages one at a time. Throws
/// Failure: an unknown format code, a request missing its pages or records,
/// an invalid PDF option, a file that cannot be written, or a stop asked
/// through the token (the target then stays as it was).
void writeExport(const ExportRequest &request, const CancelToken &cancel,
                 const ProgressCallback &progress = {});

} // namespace velmora

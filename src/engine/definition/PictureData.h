#pragma once

#include "engine/definition/XmlWalker.h"

#include <QByteArray>
#include <QString>

namespace velmora {

/// The bytes of a picture named by a report: a file beside the report, or
/// base64 text inside it. Both must hold an image Qt can read (PNG, JPEG,
/// BMP, GIF...), no bigger than a report file may be; failures are raised
/// through `walker` at `position`.
QByteArray loadPictureFile(const QString &baseDir, const QString &relativePath, const XmlWalker &walker,
                           SourcePosition position);
QByteArray decodePictureData(const QString &base64, const XmlWalker &walker, SourcePosition position);

} // namespace velmora

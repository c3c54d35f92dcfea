#pragma once

#include "engine/page/Page.h"

#include <QFont>
#include <QString>

namespace velmora {

/// Maps the font names reports use (Windows names) to installed faces with
/// the same metrics, so text measures as the report's author saw it:
/// Arial and MS Sans Serif -> Liberation Sans, Times New Roman -> Liberation
/// Serif, Courier New -> Liberation Mono. Other names pass through.
/// Every output (layout, screen, printer, PDF) resolves fonts here.
QString resolvedFontFamily(const QString &reportFamily);

/// A QFont for the report font, sized in points; hinting off so that widths are the
/// same on screen, printer and PDF.
QFont toQFont(const FontSpec &font);

} // namespace velmora

#pragma once

#include "engine/page/Page.h"
#include "engine/pdf/PdfObjectWriter.h"

#include <QByteArray>

namespace velmora::pdf {

/// Writes a link annotation, an object of its own, over every text line and
/// picture of the page that links somewhere, and gives the page's
/// " /Annots [...]" entry; empty when nothing on the page links.
QByteArray writeLinkAnnotations(PdfObjectWriter &writer, const Page &page, Twips paperHeight);

} // namespace velmora::pdf

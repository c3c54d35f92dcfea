#pragma once

// The attributes that give a font (font, size, bold, italic, underline,
// strikeOut), shared by text objects and the styles of a cross-tab.

#include "engine/definition/AttributeReader.h"
#include "engine/definition/XmlOutput.h"

namespace velmora {

void readFontAttributes(AttributeReader &attributes, FontSpec &font);
/// Writes what differs from the default font.
void writeFontAttributes(XmlOutput &out, const FontSpec &font);

} // namespace velmora

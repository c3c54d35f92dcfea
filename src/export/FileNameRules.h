#pragma once

#include "export/ExportFormatTable.h"

#include <QString>

namespace velmora {

/// The text rules the export dialog applies to a file name: making its
/// extension follow a format, collapsing doubled full stops, and the
/// characters a file name may not hold.
class FileNameRules {
public:
    /// The nine forbidden characters, in the order they are looked for and
    /// shown.
    static QString forbiddenCharacters();

    /// `name` with the extension of `chosen`: kept when the name already ends
    /// in it, swapped (everywhere, ignoring case) when it ends in another
    /// format's extension, appended otherwise.
    static QString withExtensionOf(const QString &name, const ExportFormatEntry &chosen);

    /// Every ".." read from left to right becomes "."; "..." therefore
    /// leaves "..".
    static QString withDoubleStopsCollapsed(const QString &name);

    static bool holdsForbiddenCharacter(const QString &name);
};

} // namespace velmora

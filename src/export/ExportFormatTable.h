#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

namespace velmora {

/// One export format as the export dialog offers it.
struct ExportFormatEntry {
    QString caption;         ///< the entry of the format list
    QString ending;          ///< the last four characters that recognise it, upper case
    QString extension;       ///< what a file name gets when the format is chosen
    qint32 formatType = 0;   ///< the export format type the dialog stores
    bool setsPdfOptions = false;
    QString defaultFileName;
};

/// The four export formats, in the order of the export dialog's list. The
/// one place that knows captions, extensions and format type codes.
class ExportFormatTable {
public:
    static constexpr int count = 4;
    /// The value both PDF options get when PDF is chosen.
    static constexpr qint32 pdfOptionValue = 2;

    static const std::array<ExportFormatEntry, count> &entries();
    /// The entry whose caption equals `caption` exactly, or null.
    static const ExportFormatEntry *findByCaption(const QString &caption);
    /// The entry recognised by `ending` (already upper case), or null.
    static const ExportFormatEntry *findByEnding(const QString &ending);
};

} // namespace velmora

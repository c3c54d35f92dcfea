#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

namespace velmora {

/// What one quick-export button presets in the export dialog.
struct QuickExportRow {
    int index = 0;                ///< the member of `cmdExport`
    QString fileName;             ///< put into `txtNouFitxer`
    int formatListPosition = 0;   ///< entry of `comboFormat`, counted from 0
    qint32 formatType = 0;        ///< set in the report's export options last
};

/// The quick-export buttons 1 (Excel), 2 (Word) and 3 (PDF). The Excel row
/// sets the data-only Excel type, not the one the dialog's own list uses.
class QuickExportTable {
public:
    static const std::array<QuickExportRow, 3> &rows();
    /// The row of `cmdExport` member `index`; a Failure for any other index.
    static const QuickExportRow &row(int index);
};

} // namespace velmora

#pragma once

#include "engine/page/Page.h"

#include <QRgb>
#include <QString>

#include <vector>

namespace velmora::wizard {

/// The fonts and colours of a generated report.
struct ReportStyle {
    QString key;   ///< as the report file's <wizard> keeps it
    QString label; ///< as the wizard offers it
    QString family;
    double bodySize = 9;
    QRgb accent = qRgb(0, 0, 0);      ///< title, group headers, rules
    QRgb muted = qRgb(0x59, 0x59, 0x59); ///< page footer
    std::optional<QRgb> headingBand;  ///< background of the column headings
    QRgb headingText = qRgb(0, 0, 0);

    FontSpec font(double size, bool bold = false, bool italic = false) const;
    FontSpec body(bool bold = false) const { return font(bodySize, bold); }
};

const std::vector<ReportStyle> &reportStyles();
/// The style of that key; the first one for a key no style has.
const ReportStyle &reportStyle(const QString &key);

} // namespace velmora::wizard

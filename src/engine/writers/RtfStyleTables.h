#pragma once

#include <QByteArray>
#include <QRgb>
#include <QString>

#include <map>

namespace velmora {

/// The font and colour tables of an RTF document, filled while its body is
/// written: each distinct font family (as FontResolver maps it) and colour
/// gets an index on first use, and the tables are written afterwards.
class RtfStyleTables {
public:
    int fontIndex(const QString &reportFamily);
    /// Colour indexes start at 1: index 0 is the reader's automatic colour.
    int colorIndex(QRgb color);

    QByteArray fontTable() const;
    QByteArray colorTable() const;

private:
    std::map<QString, int> m_fonts;
    std::map<QRgb, int> m_colors;
};

} // namespace velmora

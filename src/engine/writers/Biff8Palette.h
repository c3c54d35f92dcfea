#pragma once

#include <QByteArray>
#include <QRgb>

#include <map>
#include <vector>

namespace velmora {

/// The colours of an Excel 97 workbook. A BIFF8 file names colours by their
/// place in a palette of 56 (indices 8 to 63), which the workbook may
/// replace with a PALETTE record. Colours are noted as cells ask for them;
/// settle() then gives each its index: a colour of the standard palette
/// keeps its place, every other colour takes a place no colour in use
/// needs (from the last one down, leaving the first eight basic colours),
/// and once all 56 places are taken the remaining colours share the
/// nearest one (by distance in red, green and blue).
class Biff8Palette {
public:
    static constexpr int size = 56;
    static constexpr quint8 firstIndex = 8;

    void note(QRgb colour);

    struct Settled {
        std::map<QRgb, quint8> indices;
        /// The PALETTE record; empty when the standard palette serves.
        QByteArray record;
        quint8 indexOf(QRgb colour) const;
    };
    Settled settle() const;

private:
    std::vector<QRgb> m_colours; ///< in the order first asked for
};

} // namespace velmora

#pragma once

#include "engine/page/Page.h"
#include "engine/pdf/PdfFontSet.h"

#include <QByteArray>

#include <optional>

namespace velmora::pdf {

class PdfImageSet;

/// Turns one page of the page model into the operators of a PDF content
/// stream, in painting order. Coordinates become points from the bottom
/// left; text is placed at its baseline, aligned in its box by the advance
/// widths of the embedded faces (the widths the layout measured), and kept
/// in one text object as long as no drawing comes between. Colours, pen
/// widths and dashes are set only when they change.
/// Limits: justified text is drawn left aligned (the layout has already
/// broken it into lines); underline and strike-out sit at fixed proportions
/// of the font size.
class PdfPageContent {
public:
    PdfPageContent(PdfFontSet &fonts, PdfImageSet &images) : m_fonts(fonts), m_images(images) {}

    /// The content stream of `page` on paper `pageHeight` high, valid until
    /// the next call.
    const QByteArray &build(const Page &page, Twips pageHeight);

private:
    void text(const TextItem &text);
    void showRuns(double size, double x, double y);
    void line(const LineItem &line);
    void box(const BoxItem &box);
    void picture(const PictureItem &picture);
    void path(const PathItem &path);
    void decoration(double x, double y, double width, double thickness, QRgb color);

    void beginText();
    void endText();
    void setFill(QRgb color);
    void setStroke(QRgb color);
    void setPen(Twips width, LineStyle style);
    void point(double xPoints, double yPoints);
    double pageY(Twips y) const { return (m_pageHeight - y) / twipsPerPoint; }

    PdfFontSet &m_fonts;
    PdfImageSet &m_images;
    QByteArray m_out;
    EncodedText m_encoded;
    Twips m_pageHeight = 0;
    bool m_inText = false;
    qint64 m_lineX = 0, m_lineY = 0; ///< start of the current text line, in hundredths of a point
    const PdfEmbeddedFont *m_font = nullptr;
    double m_fontSize = 0;
    std::optional<QRgb> m_fill, m_stroke;
    std::optional<std::pair<Twips, LineStyle>> m_pen;
};

} // namespace velmora::pdf

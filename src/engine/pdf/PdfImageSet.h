#pragma once

#include <QByteArray>
#include <QImage>

#include <map>

namespace velmora::pdf {

class PdfObjectWriter;

/// The pictures of a document as image objects, each written once, when a
/// page first shows it: a logo on every page is stored one time. Pixels are
/// deflated RGB; a picture with transparency gets a soft mask.
class PdfImageSet {
public:
    explicit PdfImageSet(PdfObjectWriter &writer) : m_writer(writer) {}

    /// The resource name ("/Im2") a page draws `image` with.
    const QByteArray &nameFor(const QImage &image);
    /// "/Im1 14 0 R ..." for the document's resources.
    QByteArray resourceEntries() const;

private:
    struct Written {
        QByteArray name;
        int objectNumber = 0;
    };
    int writeImage(const QImage &image);
    int writeSoftMask(const QImage &image);

    PdfObjectWriter &m_writer;
    std::map<qint64, Written> m_byCacheKey;
};

} // namespace velmora::pdf

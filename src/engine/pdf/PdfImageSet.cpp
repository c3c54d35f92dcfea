#include "engine/pdf/PdfImageSet.h"

#include "engine/pdf/PdfObjectWriter.h"
#include "engine/pdf/PdfSyntax.h"

namespace velmora::pdf {

namespace {

QByteArray imageEntries(const QImage &image, QByteArrayView colorSpace)
{
    QByteArray entries("/Type /XObject /Subtype /Image /Width ");
    appendInteger(entries, image.width());
    entries.append(" /Height ");
    appendInteger(entries, image.height());
    entries.append(" /ColorSpace ");
    entries.append(colorSpace);
    entries.append(" /BitsPerComponent 8");
    return entries;
}

QByteArray rows(const QImage &image, int bytesPerRow)
{
    QByteArray pixels;
    pixels.reserve(qsizetype(bytesPerRow) * image.height());
    for (int y = 0; y < image.height(); ++y)
        pixels.append(reinterpret_cast<const char *>(image.constScanLine(y)), bytesPerRow);
    return pixels;
}

} // namespace

int PdfImageSet::writeSoftMask(const QImage &image)
{
    const QImage alpha = image.convertToFormat(QImage::Format_Alpha8);
    const int number = m_writer.reserve();
    m_writer.writeStream(number, imageEntries(alpha, "/DeviceGray"), rows(alpha, alpha.width()));
    return number;
}

int PdfImageSet::writeImage(const QImage &image)
{
    QByteArray entries = imageEntries(image, "/DeviceRGB");
    if (image.hasAlphaChannel()) {
        entries.append(" /SMask ");
        appendReference(entries, writeSoftMask(image));
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const int number = m_writer.reserve();
    m_writer.writeStream(number, entries, rows(rgb, rgb.width() * 3));
    return number;
}

const QByteArray &PdfImageSet::nameFor(const QImage &image)
{
    auto found = m_byCacheKey.find(image.cacheKey());
    if (found == m_byCacheKey.end()) {
        Written written;
        written.name = "/Im";
        appendInteger(written.name, qint64(m_byCacheKey.size() + 1));
        written.objectNumber = writeImage(image);
        found = m_byCacheKey.emplace(image.cacheKey(), std::move(written)).first;
    }
    return found->second.name;
}

QByteArray PdfImageSet::resourceEntries() const
{
    QByteArray out;
    for (const auto &[key, written] : m_byCacheKey) {
        out.append(written.name);
        out.append(' ');
        appendReference(out, written.objectNumber);
        out.append(' ');
    }
    return out;
}

} // namespace velmora::pdf

#include "engine/pdf/PdfObjectWriter.h"

#include "engine/pdf/PdfSyntax.h"

#include "engine/core/Failure.h"
#include "engine/writers/ExportErrors.h"

#include <cstring>

namespace velmora::pdf {

namespace {

constexpr qsizetype flushThreshold = 1 << 20;

/// One 20-byte entry: ten digits of offset, generation, in use or free.
void appendCrossReference(QByteArray &out, qint64 offset)
{
    if (offset >= 10'000'000'000)
        throw Failure(ExportErrors::PdfRenderingFailed,
                      QStringLiteral("El PDF passaria de 10 GB, més del que el format admet."));
    char entry[20];
    qint64 rest = std::max<qint64>(offset, 0);
    for (int digit = 9; digit >= 0; --digit, rest /= 10)
        entry[digit] = char('0' + rest % 10);
    std::memcpy(entry + 10, offset < 0 ? " 00001 f\r\n" : " 00000 n\r\n", 10);
    out.append(entry, 20);
}

} // namespace

PdfObjectWriter::PdfObjectWriter(Sink sink, QByteArrayView version) : m_sink(std::move(sink))
{
    m_buffer.reserve(flushThreshold + (1 << 16));
    put("%PDF-");
    put(version);
    // A comment of high bytes tells transfer programs the file is binary.
    put("\n%\xE2\xE3\xCF\xD3\n");
}

int PdfObjectWriter::reserve()
{
    m_offsets.push_back(-1);
    return int(m_offsets.size() - 1);
}

void PdfObjectWriter::put(QByteArrayView bytes)
{
    m_buffer.append(bytes);
    m_offset += bytes.size();
    if (m_buffer.size() >= flushThreshold)
        flush();
}

void PdfObjectWriter::flush()
{
    if (m_buffer.isEmpty())
        return;
    m_sink(m_buffer);
    m_buffer.resize(0);
}

void PdfObjectWriter::beginObject(int number)
{
    m_offsets.at(size_t(number)) = m_offset;
    QByteArray header;
    appendInteger(header, number);
    header.append(" 0 obj\n");
    put(header);
}

void PdfObjectWriter::writeObject(int number, QByteArrayView body)
{
    beginObject(number);
    put(body);
    put("\nendobj\n");
}

void PdfObjectWriter::writeStream(int number, QByteArrayView entries, QByteArrayView data, bool compress)
{
    const QByteArrayView content = compress ? QByteArrayView(m_flate.compress(data)) : data;
    beginObject(number);
    QByteArray dictionary("<< /Length ");
    appendInteger(dictionary, content.size());
    if (compress)
        dictionary.append(" /Filter /FlateDecode");
    if (!entries.isEmpty()) {
        dictionary.append(' ');
        dictionary.append(entries);
    }
    dictionary.append(" >>\nstream\n");
    put(dictionary);
    put(content);
    put("\nendstream\nendobj\n");
}

void PdfObjectWriter::finish(int catalog, int info, QByteArrayView fileId)
{
    const qint64 tableOffset = m_offset;
    QByteArray table("xref\n0 ");
    appendInteger(table, qint64(m_offsets.size()));
    table.append("\n0000000000 65535 f\r\n");
    for (size_t number = 1; number < m_offsets.size(); ++number) {
        // A number reserved but never written is listed as free.
        appendCrossReference(table, m_offsets[number]);
        if (table.size() >= flushThreshold) {
            put(table);
            table.clear();
        }
    }
    table.append("trailer\n<< /Size ");
    appendInteger(table, qint64(m_offsets.size()));
    table.append(" /Root ");
    appendReference(table, catalog);
    table.append(" /Info ");
    appendReference(table, info);
    table.append(" /ID [<");
    table.append(fileId.toByteArray().toHex());
    table.append("> <");
    table.append(fileId.toByteArray().toHex());
    table.append(">] >>\nstartxref\n");
    appendInteger(table, tableOffset);
    table.append("\n%%EOF\n");
    put(table);
    flush();
}

} // namespace velmora::pdf

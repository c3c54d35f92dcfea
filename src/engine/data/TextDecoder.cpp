#include "engine/data/TextDecoder.h"

#include <cerrno>
#include <iconv.h>

namespace velmora {

namespace {

void appendUtf16(QString &text, const unsigned char *data, qsizetype length)
{
    const qsizetype units = length / 2;
    const qsizetype oldSize = text.size();
    text.resize(oldSize + units);
    char16_t *out = reinterpret_cast<char16_t *>(text.data()) + oldSize;
    for (qsizetype i = 0; i < units; ++i)
        out[i] = char16_t(data[2 * i] | (data[2 * i + 1] << 8));
}

void appendOneByte(QString &text, const unsigned char *data, qsizetype length)
{
    const qsizetype oldSize = text.size();
    text.resize(oldSize + length);
    char16_t *out = reinterpret_cast<char16_t *>(text.data()) + oldSize;
    for (qsizetype i = 0; i < length; ++i)
        out[i] = char16_t(data[i]);
}

// Unicode compression: after the FF FE mark every zero byte switches
// between one-byte and two-byte runs, starting with one-byte.
QString decodeCompressed(const unsigned char *data, qsizetype length)
{
    QString text;
    text.reserve(length);
    bool oneByteRun = true;
    qsizetype runStart = 2;
    for (qsizetype i = 2; i <= length; ++i) {
        if (i < length && data[i] != 0)
            continue;
        if (oneByteRun)
            appendOneByte(text, data + runStart, i - runStart);
        else
            appendUtf16(text, data + runStart, i - runStart);
        oneByteRun = !oneByteRun;
        runStart = i + 1;
    }
    return text;
}

} // namespace

struct TextDecoder::Converter {
    iconv_t handle = reinterpret_cast<iconv_t>(-1);
    ~Converter()
    {
        if (handle != reinterpret_cast<iconv_t>(-1))
            iconv_close(handle);
    }
};

TextDecoder::TextDecoder(AccessFormat format, quint16 codePage)
    : m_format(format), m_converter(std::make_unique<Converter>())
{
    if (format != AccessFormat::Jet3)
        return;
    const QByteArray name = "CP" + QByteArray::number(codePage == 0 ? 1252 : codePage);
    m_converter->handle = iconv_open("UTF-16LE", name.constData());
    if (m_converter->handle == reinterpret_cast<iconv_t>(-1))
        m_converter->handle = iconv_open("UTF-16LE", "CP1252");
}

TextDecoder::~TextDecoder() = default;

QString TextDecoder::decode(const unsigned char *data, qsizetype length) const
{
    if (length <= 0)
        return QString();
    if (m_format == AccessFormat::Jet3)
        return decodeCodePage(data, length);
    if (length >= 2 && data[0] == 0xFF && data[1] == 0xFE)
        return decodeCompressed(data, length);
    QString text;
    appendUtf16(text, data, length);
    return text;
}

QString TextDecoder::decodeCodePage(const unsigned char *data, qsizetype length) const
{
    if (m_converter->handle == reinterpret_cast<iconv_t>(-1)) {
        QString text;
        appendOneByte(text, data, length);
        return text;
    }
    iconv(m_converter->handle, nullptr, nullptr, nullptr, nullptr);
    QByteArray input(reinterpret_cast<const char *>(data), length);
    QByteArray output(length * 4 + 4, Qt::Uninitialized);
    char *in = input.data();
    size_t inLeft = size_t(length);
    char *out = output.data();
    size_t outLeft = size_t(output.size());
    while (inLeft > 0) {
        if (iconv(m_converter->handle, &in, &inLeft, &out, &outLeft) != size_t(-1))
            break;
        if (errno != EILSEQ && errno != EINVAL)
            break;
        // A byte the code page does not define shows as U+FFFD, not as
        // the end of the text.
        if (outLeft < 2)
            break;
        *out++ = char(0xFD);
        *out++ = char(0xFF);
        outLeft -= 2;
        ++in;
        --inLeft;
    }
    const qsizetype produced = out - output.data();
    QString text;
    appendUtf16(text, reinterpret_cast<const unsigned char *>(output.constData()), produced);
    return text;
}

} // namespace velmora

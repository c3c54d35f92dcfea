#pragma once

#include "engine/data/AccessFormat.h"

#include <QString>
#include <QtGlobal>

#include <memory>

namespace velmora {

/// Turns stored text bytes into a QString. Jet 4 and later keep UTF-16,
/// optionally in Access's "Unicode compression" (a FF FE mark, then runs of
/// one-byte characters and runs of UTF-16 separated by zero bytes); Jet 3
/// keeps single- or double-byte text in the code page its header declares,
/// decoded through iconv. Not thread-safe: one decoder per reader.
class TextDecoder {
public:
    TextDecoder(AccessFormat format, quint16 codePage);
    ~TextDecoder();
    TextDecoder(const TextDecoder &) = delete;
    TextDecoder &operator=(const TextDecoder &) = delete;

    QString decode(const unsigned char *data, qsizetype length) const;

private:
    QString decodeCodePage(const unsigned char *data, qsizetype length) const;

    struct Converter;
    AccessFormat m_format;
    std::unique_ptr<Converter> m_converter;
};

} // namespace velmora

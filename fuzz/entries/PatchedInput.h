#pragma once

#include <QByteArray>

#include <functional>

namespace velmora::fuzzing {

/// The file an input stands for, for formats whose real files are too big
/// for blind mutation to get past their first structures. A first byte of
/// 0 takes the rest as the whole file; any other chooses a base file
/// (`base(first byte - 1)`), and the rest is a list of patches over it: a
/// 24-bit little-endian offset, a length byte and that many bytes. A patch
/// of length 0 cuts the file at its offset.
QByteArray patchedInput(const QByteArray &input, const std::function<QByteArray(unsigned char)> &base);

} // namespace velmora::fuzzing

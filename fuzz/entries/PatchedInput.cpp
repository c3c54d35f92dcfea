#include "PatchedInput.h"

namespace velmora::fuzzing {

QByteArray patchedInput(const QByteArray &input, const std::function<QByteArray(unsigned char)> &base)
{
    if (input.isEmpty() || input[0] == 0)
        return input.mid(1);
    QByteArray file = base(static_cast<unsigned char>(input[0]) - 1);
    qsizetype at = 1;
    while (at + 4 <= input.size()) {
        const auto byte = [&](qsizetype i) { return qsizetype(static_cast<unsigned char>(input[at + i])); };
        const qsizetype offset = byte(0) | byte(1) << 8 | byte(2) << 16;
        const qsizetype length = byte(3);
        at += 4;
        if (length == 0) {
            file.truncate(qMin(offset, file.size()));
            continue;
        }
        const QByteArray bytes = input.mid(at, length);
        at += length;
        if (offset >= file.size())
            continue;
        const qsizetype kept = qMin(bytes.size(), file.size() - offset);
        file.replace(offset, kept, bytes.left(kept));
    }
    return file;
}

} // namespace velmora::fuzzing

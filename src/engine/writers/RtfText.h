#pragma once

#include <QByteArray>
#include <QString>

namespace velmora {

/// Text made safe for an RTF document: whatever a field holds ("{\rtf1",
/// backslashes, braces) stays text. Backslash and braces are escaped, ASCII
/// letters pass as they are, every other character is written as \uN? (N
/// the signed UTF-16 code unit, "?" the fallback for readers without
/// Unicode), characters beyond the BMP as their two surrogates, and control
/// characters become blanks (a tab stays a tab).
class RtfText {
public:
    static QByteArray escaped(const QString &text);
};

} // namespace velmora

#pragma once

#include <QString>

namespace velmora {

/// The three values a calling program can preset on the command line:
/// `<report> <database> <password>`, trailing fields optional. A text with
/// no "<" at all is taken whole as the report path.
struct CommandLine {
    QString report;
    QString database;
    QString password;

    /// Reads the argument text (everything after the program's own name, as
    /// one string). Never fails: a malformed field leaves itself and every
    /// field after it empty.
    static CommandLine parse(const QString &argumentText);

    friend bool operator==(const CommandLine &, const CommandLine &) = default;
};

} // namespace velmora

#pragma once

#include <QString>
#include <QStringList>

namespace velmora {

/// What the program learns from how it was started: the name it was started
/// under (it names the caption and the settings store) and the argument text
/// the command line parser reads.
struct ProgramStart {
    QString executableName;
    QString argumentText;

    /// From the process arguments, the program's own path first. The name is
    /// that path's file name without its extension; the arguments after it
    /// are joined with single spaces.
    static ProgramStart fromArguments(const QStringList &arguments);

    friend bool operator==(const ProgramStart &, const ProgramStart &) = default;
};

} // namespace velmora

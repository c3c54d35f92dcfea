#include "cli/TerminalProgressMonitor.h"

#include <QString>

#include <unistd.h>

namespace velmora {

TerminalProgressMonitor::~TerminalProgressMonitor()
{
    if (m_wroteLine)
        std::fputc('\n', m_terminal);
}

bool TerminalProgressMonitor::update(const Progress &progress)
{
    const QString line = QStringLiteral("\r%1: %2 pàgines, %3 registres\x1b[K")
                             .arg(progress.stage)
                             .arg(progress.pagesDone)
                             .arg(progress.recordsRead);
    std::fputs(line.toLocal8Bit().constData(), m_terminal);
    std::fflush(m_terminal);
    m_wroteLine = true;
    return true;
}

bool TerminalProgressMonitor::standardErrorIsTerminal()
{
    return ::isatty(STDERR_FILENO) == 1;
}

} // namespace velmora

#pragma once

#include "engine/report/ProgressMonitor.h"

#include <cstdio>

namespace velmora {

/// Progress on a terminal: one line on standard error, rewritten in place
/// as pages are done, and ended when the work is over.
class TerminalProgressMonitor : public ProgressMonitor {
public:
    explicit TerminalProgressMonitor(std::FILE *terminal = stderr) : m_terminal(terminal) {}
    ~TerminalProgressMonitor() override;

    bool update(const Progress &progress) override;

    /// Whether standard error is a terminal a person is watching.
    static bool standardErrorIsTerminal();

private:
    std::FILE *m_terminal;
    bool m_wroteLine = false;
};

} // namespace velmora

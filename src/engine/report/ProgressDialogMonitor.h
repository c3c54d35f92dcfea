#pragma once

#include "engine/report/ProgressMonitor.h"

#include <QPointer>
#include <QProgressDialog>

#include <atomic>
#include <memory>

namespace velmora {

/// A window-modal progress dialog with a cancel button over the window the
/// user is working in. It appears only if the work lasts a few seconds, so a
/// short export does not flash a window.
class ProgressDialogMonitor : public ProgressMonitor {
public:
    explicit ProgressDialogMonitor(QWidget *window);
    ~ProgressDialogMonitor() override;

    /// A monitor over the active window when the program has a visible
    /// one; null otherwise (no widgets, or no window to hang it on).
    static std::unique_ptr<ProgressMonitor> forActiveWindow();

    bool update(const Progress &progress) override;

private:
    // Owned by the window as well: it goes if the window goes first.
    QPointer<QProgressDialog> m_dialog;
    std::atomic<bool> m_cancelled{false};
};

} // namespace velmora

#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace velmora::wizard {

/// What velmora-wizard is started with:
///     velmora-wizard [--database FILE] [--password TEXT] [--show] [REPORT]
///     velmora-wizard --regenerate [--password TEXT] REPORT
/// A REPORT made before by the wizard opens with its choices; a new one is
/// saved there.
struct WizardCommandLine {
    QString report;
    QString database;
    QString password;
    bool showInViewer = false;
    bool regenerate = false; ///< writes REPORT anew from its choices, without a window
    bool help = false;
    bool version = false;
    QString error; ///< why the arguments cannot be taken; empty when they can

    static WizardCommandLine parse(const QStringList &arguments);
    static QString helpText();
};

} // namespace velmora::wizard

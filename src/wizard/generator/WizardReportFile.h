#pragma once

#include "wizard/generator/ReportComposer.h"
#include "wizard/generator/WizardChoices.h"

#include <QByteArray>
#include <QString>

namespace velmora::wizard {

/// The report file the wizard writes: the composed report as the engine's
/// writer writes every report, and last in it a <wizard> element with the
/// choices it was made from (docs/report-format.md, "<wizard>"). The
/// database is kept relative to the report file's folder when it lies
/// below it.
QByteArray wizardReportText(const ReportDefinition &report, const WizardChoices &choices,
                            const QString &reportFolder);
/// Writes it atomically; throws Failure (2070) when it cannot.
void writeWizardReport(const ReportDefinition &report, const WizardChoices &choices, const QString &path);

/// The choices back from a report file. A file the wizard wrote gives its
/// choices whole; any other report gives what it shows plainly: its tables
/// and links, the database fields of its details with the headings above
/// them, its groups, sorts, title and paper. Throws the reader's Failure for
/// a file that is not a report, and WizardErrors::BadWizardChoices for a
/// <wizard> element it cannot read.
WizardChoices readWizardChoices(const QString &path);

} // namespace velmora::wizard

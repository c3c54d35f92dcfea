#include "wizard/RegenerateReport.h"

#include "engine/core/Failure.h"
#include "wizard/generator/ReportComposer.h"
#include "wizard/generator/WizardReportFile.h"

#include <cstdio>

namespace velmora::wizard {

int regenerateReport(const QString &reportPath, const QString &password)
{
    try {
        const WizardChoices choices = readWizardChoices(reportPath);
        const DatabaseCatalog catalog = DatabaseCatalog::open(choices.databasePath, password);
        writeWizardReport(composeReport(choices, catalog).definition, choices, reportPath);
        return 0;
    } catch (const Failure &failure) {
        std::fputs(QStringLiteral("velmora-wizard: %1 (error %2)\n").arg(failure.description()).arg(failure.number())
                       .toUtf8()
                       .constData(),
                   stderr);
        return 1;
    }
}

} // namespace velmora::wizard

#include "app/QtTranslations.h"
#include "wizard/RegenerateReport.h"
#include "wizard/WizardCommandLine.h"
#include "wizard/steps/LivePreview.h"
#include "wizard/steps/WizardWindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    Q_INIT_RESOURCE(wizard);
    QApplication::setApplicationName(QStringLiteral("velmora-wizard"));
    QApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    velmora::installCatalanQtTranslations(application);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/wizard/velmora-wizard.svg")));

    using velmora::wizard::WizardCommandLine;
    const WizardCommandLine line = WizardCommandLine::parse(QApplication::arguments());
    if (line.help || line.version) {
        const QString text = line.help ? WizardCommandLine::helpText()
                                       : QStringLiteral("velmora-wizard %1\n").arg(QApplication::applicationVersion());
        std::fputs(text.toUtf8().constData(), stdout);
        return 0;
    }
    if (!line.error.isEmpty()) {
        std::fputs((line.error + u'\n').toUtf8().constData(), stderr);
        return 2;
    }

    if (line.regenerate)
        return velmora::wizard::regenerateReport(line.report, line.password);

    const auto engine = velmora::wizard::createPreviewEngine();
    velmora::wizard::WizardWindow window(*engine);
    if (!line.report.isEmpty() && QFileInfo::exists(line.report))
        window.reopen(line.report, line.password);
    else if (!line.database.isEmpty())
        window.startWithDatabase(line.database, line.password);
    window.setInitialOutput(line.report, line.showInViewer);
    window.show();
    // Without a window manager (a bare X server) nothing else gives the window the keyboard.
    window.activateWindow();
    return QApplication::exec();
}

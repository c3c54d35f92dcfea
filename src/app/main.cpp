#include "app/AppPictures.h"
#include "app/ProgramStart.h"
#include "app/QtTranslations.h"
#include "app/VelmoraApplication.h"
#include "app/frmCrViewerMain.h"
#include "engine/report/CreateReportEngine.h"

int main(int argc, char *argv[])
{
    velmora::VelmoraApplication application(argc, argv);
    velmora::installCatalanQtTranslations(application);
    QApplication::setWindowIcon(velmora::applicationIcon());

    const std::unique_ptr<velmora::ReportEngine> engine = velmora::createReportEngine();
    frmCrViewerMain window(*engine, velmora::ProgramStart::fromArguments(application.arguments()));
    window.show();
    return QApplication::exec();
}

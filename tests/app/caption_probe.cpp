// Starts the main window as the program does and prints its caption.

#include "../support/RecordingEngine.h"
#include "app/ProgramStart.h"
#include "app/frmCrViewerMain.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    velmora::testing::RecordingEngine engine;
    const frmCrViewerMain window(engine,
                                 velmora::ProgramStart::fromArguments(application.arguments()));
    QTextStream(stdout) << window.windowTitle() << Qt::endl;
    return 0;
}

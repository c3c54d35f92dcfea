#include "export/frmTriaCarpetaDesign.h"

#include "export/Twips.h"
#include "export/WindowDesign.h"

namespace velmora {

frmTriaCarpetaDesign::frmTriaCarpetaDesign(QDialog *window)
{
    WindowDesign::describe(window, QStringLiteral("frmTriaCarpeta"), QStringLiteral("Escollir una Carpeta"), Qt::Tool,
                           QSize(3945, 4770));

    FileList = new velmora::FileList(window);
    FileList->setObjectName(QStringLiteral("FileList"));
    FileList->setGeometry(Twips::rect(0, 0, 600, 4770));
    QPalette greyBase = FileList->palette();
    greyBase.setColor(QPalette::Base, QColor(224, 224, 224));
    FileList->setPalette(greyBase);
    FileList->setFocusPolicy(Qt::NoFocus);
    FileList->hide();

    DrvList = new DriveList(window);
    DrvList->setObjectName(QStringLiteral("DrvList"));
    DrvList->setGeometry(Twips::rect(120, 120, 3735, 315));
    DrvList->setAccessibleName(QStringLiteral("Unitat"));
    // Screen readers on Linux name a drop-down list by its entry; the
    // description still says what the list is.
    DrvList->setAccessibleDescription(QStringLiteral("Unitat"));

    DirList = new DirectoryList(window);
    DirList->setObjectName(QStringLiteral("DirList"));
    DirList->setGeometry(Twips::rect(120, 480, 3735, 3690));
    DirList->setAccessibleName(QStringLiteral("Carpetes"));

    cmdAcceptar = new GraphicalButton(QStringLiteral("cmdAcceptar"), QStringLiteral("Acceptar"), QColor(192, 255, 192),
                                      Twips::rect(2640, 4320, 1215, 375), window);
    cmdAcceptar->setDefault(true);
    cmdCancelar = new GraphicalButton(QStringLiteral("cmdCancelar"), QStringLiteral("Cancelar"), QColor(255, 192, 192),
                                      Twips::rect(1320, 4320, 1215, 375), window);

    QWidget::setTabOrder(DrvList, DirList);
    QWidget::setTabOrder(DirList, cmdAcceptar);
    QWidget::setTabOrder(cmdAcceptar, cmdCancelar);
    DrvList->setFocus();
}

} // namespace velmora

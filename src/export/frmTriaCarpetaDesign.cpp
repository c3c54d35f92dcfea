#include "export/frmTriaCarpetaDesign.h"

#include "export/Twips.h"

namespace velmora {

namespace {

void describeWindow(QDialog *window)
{
    window->setObjectName(QStringLiteral("frmTriaCarpeta"));
    window->setWindowTitle(QStringLiteral("Escollir una Carpeta"));
    window->setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowCloseButtonHint);
    window->setFixedSize(Twips::toPixels(3945), Twips::toPixels(4770));
}

GraphicalButton *makeButton(QDialog *window, const QString &name, const QString &caption,
                            const QColor &background, const QRect &twips)
{
    auto *button = new GraphicalButton(caption, background, window);
    button->setObjectName(name);
    button->setGeometry(twips);
    return button;
}

} // namespace

frmTriaCarpetaDesign::frmTriaCarpetaDesign(QDialog *window)
{
    describeWindow(window);

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

    DirList = new DirectoryList(window);
    DirList->setObjectName(QStringLiteral("DirList"));
    DirList->setGeometry(Twips::rect(120, 480, 3735, 3690));
    DirList->setAccessibleName(QStringLiteral("Carpetes"));

    cmdAcceptar = makeButton(window, QStringLiteral("cmdAcceptar"), QStringLiteral("Acceptar"),
                             QColor(192, 255, 192), Twips::rect(2640, 4320, 1215, 375));
    cmdAcceptar->setDefault(true);
    cmdCancelar = makeButton(window, QStringLiteral("cmdCancelar"), QStringLiteral("Cancelar"),
                             QColor(255, 192, 192), Twips::rect(1320, 4320, 1215, 375));

    QWidget::setTabOrder(DrvList, DirList);
    QWidget::setTabOrder(DirList, cmdAcceptar);
    QWidget::setTabOrder(cmdAcceptar, cmdCancelar);
    DrvList->setFocus();
}

} // namespace velmora

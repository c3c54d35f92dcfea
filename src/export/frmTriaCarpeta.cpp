#include "export/frmTriaCarpeta.h"

#include "engine/core/Failure.h"
#include "export/modCR9.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace velmora {

frmTriaCarpeta::frmTriaCarpeta() : QDialog(nullptr), m_design(this)
{
    connect(m_design.DrvList, &DriveList::driveChanged, this, [this] { DrvList_Change(); });
    connect(m_design.cmdAcceptar, &QPushButton::clicked, this, [this] { cmdAcceptar_Click(); });
    connect(m_design.cmdCancelar, &QPushButton::clicked, this, [this] { cmdCancelar_Click(); });
}

void frmTriaCarpeta::presetFolder(const QString &folder)
{
    try {
        m_design.FileList->setPath(folder);
        m_design.DirList->setPath(folder);
        m_design.DrvList->setDrive(m_design.DirList->path());
        m_design.FileList->setPattern(QStringLiteral("*.mdb"));
    } catch (const Failure &) {
        // The chooser opens where the process stands; the caller still gets
        // its start folder back if the user closes the window.
    }
}

void frmTriaCarpeta::showModalCentred()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    exec();
}

// A drive that is not ready, or one picked before the window shows, sends the
// drive list back to the drive of the folder the directory list shows.
void frmTriaCarpeta::DrvList_Change()
{
    if (isVisible()) {
        try {
            m_design.DirList->setDrive(m_design.DrvList->drive());
            return;
        } catch (const Failure &) {
        }
    }
    m_design.DrvList->setDrive(m_design.DirList->path());
}

void frmTriaCarpeta::cmdAcceptar_Click()
{
    modCR9::gsCarpeta = m_design.DirList->path();
    accept();
}

void frmTriaCarpeta::cmdCancelar_Click()
{
    modCR9::gsCarpeta.clear();
    reject();
}

// Escape is the cancel button's key; the close box, which also ends in
// reject(), must leave the start folder alone.
void frmTriaCarpeta::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_design.cmdCancelar->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace velmora

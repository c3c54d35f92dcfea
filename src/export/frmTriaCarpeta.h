#pragma once

#include "export/frmTriaCarpetaDesign.h"

#include <QDialog>

namespace velmora {

/// The folder chooser window. Its choice travels back in modCR9::gsCarpeta:
/// accepting stores the folder the directory list shows, cancelling (button
/// or Escape) stores the empty text, and the close box leaves the start
/// folder the caller put there.
class frmTriaCarpeta : public QDialog {
    Q_OBJECT
public:
    frmTriaCarpeta();

    const frmTriaCarpetaDesign &design() const { return m_design; }

    /// Opens the lists at `folder` while the window is still hidden. A folder
    /// that cannot be opened stops the preparation at that step, silently:
    /// the lists keep showing the process's current directory.
    void presetFolder(const QString &folder);

    /// Shows the window modally, centred on the screen, and returns when it
    /// has been closed.
    void showModalCentred();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void DrvList_Change();
    void cmdAcceptar_Click();
    void cmdCancelar_Click();

    frmTriaCarpetaDesign m_design;
};

} // namespace velmora

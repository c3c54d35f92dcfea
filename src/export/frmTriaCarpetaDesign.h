#pragma once

#include "export/DirectoryList.h"
#include "export/DriveList.h"
#include "export/FileList.h"
#include "export/GraphicalButton.h"

#include <QDialog>

namespace velmora {

/// The folder chooser's look: a narrow tool window with the drive list, the
/// directory list, the hidden file list and the two buttons, placed and
/// coloured as designed. No behaviour; the controls belong to the window.
struct frmTriaCarpetaDesign {
    explicit frmTriaCarpetaDesign(QDialog *window);

    DriveList *DrvList = nullptr;
    DirectoryList *DirList = nullptr;
    GraphicalButton *cmdAcceptar = nullptr;
    GraphicalButton *cmdCancelar = nullptr;
    velmora::FileList *FileList = nullptr;
};

} // namespace velmora

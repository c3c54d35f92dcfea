#pragma once

#include "export/GraphicalButton.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>

#include <array>

namespace velmora {

/// The export dialog's look: window properties and every control with its
/// caption, place, size, colour, limit and tab order. It holds no behaviour;
/// the controls belong to the window they are built on.
struct frmCRExportDesign {
    explicit frmCRExportDesign(QDialog *window);

    static constexpr int folderLimit = 100;
    static constexpr int fileNameLimit = 50;

    /// Index 0 "Carpeta", 1 "Format", 2 "Nom d'arxiu".
    std::array<QLabel *, 3> lblDestí{};
    QComboBox *comboFormat = nullptr;
    QLineEdit *txtNovaCarpeta = nullptr;
    GraphicalButton *cmdExplorar = nullptr;
    QLineEdit *txtNouFitxer = nullptr;
    GraphicalButton *cmdCancelar = nullptr;
    GraphicalButton *cmdAcceptar = nullptr;
};

} // namespace velmora

#pragma once

#include <QLabel>
#include <QLineEdit>

#include <array>

class QDialog;

namespace velmora {

class GraphicalButton;

/// The page-margins dialog's look: a small fixed window with one text box
/// per margin (left, top, right, bottom, in millimetres), the paper's size
/// for reference, and the coloured "Acceptar" (the default button, so Enter
/// presses it) and "Cancelar" buttons. Holds no behaviour.
struct frmMargesDesign {
    explicit frmMargesDesign(QDialog *window);

    static QString caption();

    /// In the dialog's order: Esquerre, Superior, Dret, Inferior.
    std::array<QLabel *, 4> lblMarge{};
    std::array<QLineEdit *, 4> txtMarge{};
    std::array<QLabel *, 4> lblUnitat{};
    QLabel *lblPaper = nullptr;
    GraphicalButton *cmdAcceptar = nullptr;
    GraphicalButton *cmdCancelar = nullptr;
};

} // namespace velmora

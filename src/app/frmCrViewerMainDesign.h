#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

/// The main window's controls as designed: kind, caption, place and size,
/// tab order and colours, and their names for assistive technology. It sets
/// up the window it is given and wires no behaviour; the controls belong to
/// that window through Qt's parent ownership.
struct frmCrViewerMainDesign {
    explicit frmCrViewerMainDesign(QWidget &form);

    QPushButton *cmdSeleccionarReport;
    QLabel *lblRpt;
    QPushButton *cmdSeleccionarBaseDeDades;
    QLabel *lblMDB;
    QPushButton *cmdVisualitzar;
    QLabel *Label1;
    QLineEdit *txtPassword;
};

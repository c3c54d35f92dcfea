#include "app/frmCrViewerMainDesign.h"

#include "app/AppPictures.h"
#include "app/PasswordCharacterStyle.h"
#include "app/Twips.h"
#include "engine/render/FontResolver.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

using velmora::twipsRect;
using velmora::twipsToPixels;

namespace {

template<typename Control>
Control *placed(QWidget &form, const QString &name, const QRect &geometry)
{
    auto *control = new Control(&form);
    control->setObjectName(name);
    control->setGeometry(geometry);
    return control;
}

QPushButton *captionedButton(QWidget &form, const QString &name, const QString &caption,
                             const QRect &geometry)
{
    auto *button = placed<QPushButton>(form, name, geometry);
    button->setText(caption);
    button->setAccessibleName(caption);
    // Enter and Escape must press nothing on this window.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

// A path can hold "<", ">" and "&": it is shown as written, on one line,
// cut off at the label's right edge when it is too long.
QLabel *pathLabel(QWidget &form, const QString &name, const QString &description,
                  const QRect &geometry)
{
    auto *label = placed<QLabel>(form, name, geometry);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(false);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setText(name);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::white);
    label->setPalette(palette);
    label->setAccessibleDescription(description);
    return label;
}

QLineEdit *passwordBox(QWidget &form, const QRect &geometry)
{
    auto *box = placed<QLineEdit>(form, QStringLiteral("txtPassword"), geometry);
    box->setStyle(new velmora::PasswordCharacterStyle(u'*', box));
    box->setEchoMode(QLineEdit::Password);
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->setMaxLength(std::numeric_limits<int>::max());
    box->setAccessibleName(QStringLiteral("Password"));
    return box;
}

QPushButton *pictureButton(QWidget &form, const QString &name, const QString &accessibleName,
                           const QRect &geometry)
{
    auto *button = captionedButton(form, name, QString(), geometry);
    button->setIcon(velmora::viewButtonPicture());
    button->setIconSize(QSize(32, 32));
    button->setAccessibleName(accessibleName);
    return button;
}

} // namespace

// Controls are made in tab-index order, so the focus chain is right even
// before the explicit tab order below.
frmCrViewerMainDesign::frmCrViewerMainDesign(QWidget &form)
    : cmdSeleccionarReport(captionedButton(form, QStringLiteral("cmdSeleccionarReport"),
                                           QStringLiteral("Seleccionar rpt"),
                                           twipsRect(120, 120, 1335, 375))),
      lblRpt(pathLabel(form, QStringLiteral("lblRpt"), QStringLiteral("Arxiu de l'informe"),
                       twipsRect(120, 600, 7575, 255))),
      cmdSeleccionarBaseDeDades(captionedButton(form, QStringLiteral("cmdSeleccionarBaseDeDades"),
                                                QStringLiteral("Seleccionar mdb"),
                                                twipsRect(120, 1080, 1335, 375))),
      lblMDB(pathLabel(form, QStringLiteral("lblMDB"), QStringLiteral("Arxiu de la base de dades"),
                       twipsRect(120, 1560, 7575, 255))),
      cmdVisualitzar(pictureButton(form, QStringLiteral("cmdVisualitzar"),
                                   QStringLiteral("Visualitzar"), twipsRect(6960, 2040, 855, 615))),
      Label1(placed<QLabel>(form, QStringLiteral("Label1"), twipsRect(120, 1920, 855, 255))),
      txtPassword(passwordBox(form, twipsRect(1080, 1920, 1935, 285)))
{
    form.setObjectName(QStringLiteral("frmCrViewerMain"));
    form.setWindowTitle(QStringLiteral("frmCrViewerMain"));
    form.resize(twipsToPixels(7995), twipsToPixels(2730));
    // The design's window font, which every control inherits: the captions
    // were sized for it.
    form.setFont(QFont(velmora::resolvedFontFamily(QStringLiteral("MS Sans Serif")), 8));

    Label1->setTextFormat(Qt::PlainText);
    Label1->setText(QStringLiteral("Password :"));
    Label1->setBuddy(txtPassword);

    QWidget::setTabOrder(cmdSeleccionarReport, cmdSeleccionarBaseDeDades);
    QWidget::setTabOrder(cmdSeleccionarBaseDeDades, cmdVisualitzar);
    QWidget::setTabOrder(cmdVisualitzar, txtPassword);
}

#include "export/frmCRExportDesign.h"

#include "export/CompactComboStyle.h"
#include "export/Twips.h"
#include "export/WindowDesign.h"

namespace velmora {

namespace {

const QColor lightGrey(224, 224, 224);
const QColor white(255, 255, 255);
const QColor lightOrange(255, 224, 192);
const QColor lightPink(255, 192, 192);
const QColor lightGreen(192, 255, 192);

void setBackground(QWidget *control, const QColor &colour)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::Base, colour);
    control->setPalette(palette);
}

QLabel *makeLabel(QDialog *window, int index, const QString &caption, const QRect &twips)
{
    auto *label = new QLabel(caption, window);
    label->setObjectName(QStringLiteral("lblDestí(%1)").arg(index));
    label->setGeometry(twips);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QLineEdit *makeTextBox(QDialog *window, const QString &name, const QString &text, int limit,
                       const QColor &background, const QRect &twips)
{
    auto *box = new QLineEdit(window);
    box->setObjectName(name);
    box->setMaxLength(limit);
    box->setText(text);
    box->setGeometry(twips);
    setBackground(box, background);
    return box;
}

GraphicalButton *makeButton(QDialog *window, const QString &name, const QString &caption,
                            const QColor &background, const QRect &twips)
{
    auto *button = new GraphicalButton(name, caption, background, twips, window);
    // Enter and Escape press no button of this window, not even the one
    // that has the focus.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace

frmCRExportDesign::frmCRExportDesign(QDialog *window)
{
    WindowDesign::describe(window, QStringLiteral("frmCRExport"), QStringLiteral("Exportador de Crystal Reports"),
                           Qt::Dialog, QSize(8835, 1350));

    lblDestí[1] = makeLabel(window, 1, QStringLiteral("Format"), Twips::rect(0, 120, 1575, 255));
    comboFormat = new QComboBox(window);
    comboFormat->setObjectName(QStringLiteral("comboFormat"));
    comboFormat->setEditable(false);
    comboFormat->setStyle(new CompactComboStyle(comboFormat));
    comboFormat->setGeometry(Twips::rect(1680, 120, 2415, 315));

    lblDestí[0] = makeLabel(window, 0, QStringLiteral("Carpeta"), Twips::rect(120, 540, 1455, 255));
    txtNovaCarpeta = makeTextBox(window, QStringLiteral("txtNovaCarpeta"), QStringLiteral("C:\\"),
                                 folderLimit, lightGrey, Twips::rect(1680, 525, 6015, 315));
    txtNovaCarpeta->setReadOnly(true);
    cmdExplorar = makeButton(window, QStringLiteral("cmdExplorar"), QStringLiteral("explorar..."),
                             lightOrange, Twips::rect(7800, 507, 975, 320));

    lblDestí[2] = makeLabel(window, 2, QStringLiteral("Nom d'arxiu"), Twips::rect(0, 960, 1575, 255));
    txtNouFitxer = makeTextBox(window, QStringLiteral("txtNouFitxer"), QStringLiteral("ZelExport.txt"),
                               fileNameLimit, white, Twips::rect(1680, 952, 4335, 315));
    cmdCancelar = makeButton(window, QStringLiteral("cmdCancelar"), QStringLiteral("Cancelar"), lightPink,
                             Twips::rect(6240, 900, 1215, 375));
    cmdAcceptar = makeButton(window, QStringLiteral("cmdAcceptar"), QStringLiteral("Acceptar"), lightGreen,
                             Twips::rect(7560, 900, 1215, 375));

    lblDestí[0]->setBuddy(txtNovaCarpeta);
    lblDestí[1]->setBuddy(comboFormat);
    lblDestí[2]->setBuddy(txtNouFitxer);
    txtNovaCarpeta->setAccessibleName(QStringLiteral("Carpeta"));
    comboFormat->setAccessibleName(QStringLiteral("Format"));
    txtNouFitxer->setAccessibleName(QStringLiteral("Nom d'arxiu"));

    QWidget::setTabOrder(cmdCancelar, cmdAcceptar);
    QWidget::setTabOrder(cmdAcceptar, comboFormat);
    QWidget::setTabOrder(comboFormat, txtNouFitxer);
    QWidget::setTabOrder(txtNouFitxer, txtNovaCarpeta);
    QWidget::setTabOrder(txtNovaCarpeta, cmdExplorar);
    cmdCancelar->setFocus();
}

} // namespace velmora

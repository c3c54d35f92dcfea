#include "viewer/frmMargesDesign.h"

#include "export/GraphicalButton.h"
#include "export/WindowDesign.h"
#include "viewer/Twips.h"

namespace velmora {

namespace {
const QColor lightGreen(192, 255, 192);
const QColor lightPink(255, 192, 192);

constexpr int rowTop = 120;
constexpr int rowStep = 420;
constexpr int textBoxMaxLength = 8;

struct SideCaption {
    const char16_t *name;     ///< the controls' name ending
    const char16_t *caption;  ///< the label before the box
    const char16_t *accessible;
};

constexpr std::array<SideCaption, 4> sides{{
    {u"Esquerre", u"&Esquerre", u"Marge esquerre, en mil·límetres"},
    {u"Superior", u"&Superior", u"Marge superior, en mil·límetres"},
    {u"Dret", u"&Dret", u"Marge dret, en mil·límetres"},
    {u"Inferior", u"&Inferior", u"Marge inferior, en mil·límetres"},
}};

QLabel *makeLabel(QDialog *window, const QString &name, const QString &caption, Qt::Alignment alignment,
                  const QRect &twips)
{
    auto *label = new QLabel(caption, window);
    label->setObjectName(name);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setGeometry(pixelRectFromTwips(twips.x(), twips.y(), twips.width(), twips.height()));
    return label;
}

QLineEdit *makeTextBox(QDialog *window, const QString &name, const QString &accessibleName, int top)
{
    auto *box = new QLineEdit(window);
    box->setObjectName(name);
    box->setMaxLength(textBoxMaxLength);
    box->setAlignment(Qt::AlignRight);
    box->setAccessibleName(accessibleName);
    box->setGeometry(pixelRectFromTwips(1560, top, 1095, 315));
    return box;
}

GraphicalButton *makeButton(QDialog *window, const QString &name, const QString &caption, const QColor &colour,
                            int left)
{
    return new GraphicalButton(name, caption, colour, pixelRectFromTwips(left, 2280, 1215, 375), window);
}
} // namespace

QString frmMargesDesign::caption() { return QStringLiteral("Marges d'impressió"); }

frmMargesDesign::frmMargesDesign(QDialog *window)
{
    WindowDesign::describe(window, QStringLiteral("frmMarges"), caption(), Qt::Dialog, QSize(4200, 2775));

    for (std::size_t side = 0; side < sides.size(); ++side) {
        const int top = rowTop + int(side) * rowStep;
        const QString name = QString::fromUtf16(sides[side].name);
        lblMarge[side] = makeLabel(window, QStringLiteral("lbl") + name, QString::fromUtf16(sides[side].caption),
                                   Qt::AlignRight, QRect(120, top + 30, 1320, 255));
        txtMarge[side] = makeTextBox(window, QStringLiteral("txt") + name,
                                     QString::fromUtf16(sides[side].accessible), top);
        lblUnitat[side] = makeLabel(window, QStringLiteral("lblUnitat") + name, QStringLiteral("mm"),
                                    Qt::AlignLeft, QRect(2760, top + 30, 600, 255));
        lblMarge[side]->setBuddy(txtMarge[side]);
    }
    lblPaper = makeLabel(window, QStringLiteral("lblPaper"), QString(), Qt::AlignLeft, QRect(120, 1830, 3960, 255));
    lblPaper->setAccessibleName(QStringLiteral("Mida del paper"));

    cmdCancelar = makeButton(window, QStringLiteral("cmdCancelar"), QStringLiteral("Cancelar"), lightPink, 1440);
    cmdAcceptar = makeButton(window, QStringLiteral("cmdAcceptar"), QStringLiteral("Acceptar"), lightGreen, 2760);
    cmdCancelar->setAutoDefault(false);
    cmdAcceptar->setAutoDefault(false);
    cmdAcceptar->setDefault(true);

    for (std::size_t side = 1; side < txtMarge.size(); ++side)
        QWidget::setTabOrder(txtMarge[side - 1], txtMarge[side]);
    QWidget::setTabOrder(txtMarge.back(), cmdAcceptar);
    QWidget::setTabOrder(cmdAcceptar, cmdCancelar);
}

} // namespace velmora

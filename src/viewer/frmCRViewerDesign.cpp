#include "viewer/frmCRViewerDesign.h"

#include "engine/render/FontResolver.h"
#include "engine/seam/ReportEngine.h"
#include "viewer/Twips.h"

#include <QBitmap>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace velmora {

namespace {

QFont designFont(const QString &family)
{
    FontSpec font;
    font.family = family;
    font.pointSize = 8.25;
    font.bold = true;
    return toQFont(font);
}

// The pictures' background (their corner colour) shows the button's face.
QIcon picture(const QString &resource)
{
    QPixmap pixmap(resource);
    const QImage image = pixmap.toImage();
    pixmap.setMask(QBitmap::fromImage(image.createMaskFromColor(image.pixel(0, 0), Qt::MaskInColor)));
    return QIcon(pixmap);
}

QPushButton *pictureButton(QWidget *parent, const char *name, const QString &tooltip, const QString &accessibleName,
                           const QRect &twips)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(tooltip);
    button->setAccessibleName(accessibleName);
    button->setAccessibleDescription(tooltip);
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setGeometry(pixelRectFromTwips(twips.x(), twips.y(), twips.width(), twips.height()));
    return button;
}

} // namespace

QString frmCRViewerDesign::caption() { return QStringLiteral("Visualitzador de Crystal Reports"); }

ViewerFeatures frmCRViewerDesign::crViewer1Settings()
{
    constexpr bool on = true, off = false;
    return ViewerFeatures::fromSwitches({on, on, on, on, on, on, on, on, on, on, off, on,
                                         on, off, on, on, on, on, on, on, on, off, on},
                                        QString());
}

frmCRViewerDesign::frmCRViewerDesign(QWidget *window, ReportViewerControl *viewer) : CRViewer1(viewer)
{
    window->setWindowTitle(caption());
    window->resize(pixelsFromTwips(clientWidthTwips), pixelsFromTwips(clientHeightTwips));
    buildStrip(window);
    if (CRViewer1) {
        CRViewer1->setObjectName(QStringLiteral("CRViewer1"));
        CRViewer1->setGeometry(pixelRectFromTwips(120, 600, 10215, 5655));
        CRViewer1->setFeatures(crViewer1Settings());
        CRViewer1->setFocusPolicy(Qt::StrongFocus);
    }
    setTabOrder();
}

void frmCRViewerDesign::buildStrip(QWidget *window)
{
    PictureBotons = new QFrame(window);
    PictureBotons->setObjectName(QStringLiteral("PictureBotons"));
    PictureBotons->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PictureBotons->setLineWidth(1);
    PictureBotons->setFocusPolicy(Qt::TabFocus);
    PictureBotons->setAccessibleName(QStringLiteral("Botons"));
    dockStrip(pixelsFromTwips(clientWidthTwips));
    stripArea = new QWidget(PictureBotons);
    stripArea->setObjectName(QStringLiteral("PictureBotonsArea"));
    stripArea->setGeometry(PictureBotons->contentsRect());

    lblExportar = new QLabel(QStringLiteral("Exportar :"), stripArea);
    lblExportar->setObjectName(QStringLiteral("lblExportar"));
    lblExportar->setFont(designFont(QStringLiteral("MS Sans Serif")));
    lblExportar->setAlignment(Qt::AlignRight | Qt::AlignTop);
    lblExportar->setGeometry(pixelRectFromTwips(0, 0, 950, 255));

    buildExportButtons();

    cmdMarges = pictureButton(stripArea, "cmdMarges", QStringLiteral("Marges d'impressió"),
                              QStringLiteral("Marges d'impressió"), QRect(2670, 30, 375, 255));
    cmdMarges->setIcon(picture(QStringLiteral(":/viewer/margins.png")));
    cmdMarges->setIconSize(QSize(22, 17));

    cmdImpressora = pictureButton(stripArea, "cmdImpressora", QStringLiteral("Configurar impressora"),
                                  QStringLiteral("Configurar impressora"), QRect(3120, 30, 375, 255));
    cmdImpressora->setText(QStringLiteral("..."));

    lblImpressora = new QLabel(QStringLiteral("impressora"), stripArea);
    lblImpressora->setObjectName(QStringLiteral("lblImpressora"));
    lblImpressora->setFont(designFont(QStringLiteral("Arial")));
    lblImpressora->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette navy = lblImpressora->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    lblImpressora->setPalette(navy);
    lblImpressora->setGeometry(pixelRectFromTwips(3600, 30, 6495, 255));
}

void frmCRViewerDesign::buildExportButtons()
{
    struct Design {
        const char *name;
        QString tooltip;
        QString accessibleName;
        QString picture;
        int left;
    };
    const Design designs[] = {
        {"cmdExport1", QStringLiteral("Exportar a  MS-Excel"), QStringLiteral("Exportar a MS-Excel"),
         QStringLiteral(":/viewer/excel.png"), 960},
        {"cmdExport2", QStringLiteral("Exportar a MS-Word"), QStringLiteral("Exportar a MS-Word"),
         QStringLiteral(":/viewer/word.png"), 1320},
        {"cmdExport3", QStringLiteral("Exportar a PDF"), QStringLiteral("Exportar a PDF"),
         QStringLiteral(":/viewer/pdf.png"), 1680},
    };
    for (size_t i = 0; i < m_cmdExport.size(); ++i) {
        const Design &d = designs[i];
        // A top of -30 lets the strip clip the buttons' upper edge.
        QPushButton *button = pictureButton(stripArea, d.name, d.tooltip, d.accessibleName, QRect(d.left, -30, 375, 375));
        button->setIcon(picture(d.picture));
        button->setIconSize(QSize(16, 16));
        m_cmdExport[i] = button;
    }
}

void frmCRViewerDesign::dockStrip(int windowWidth)
{
    PictureBotons->setGeometry(0, 0, windowWidth, pixelsFromTwips(stripHeightTwips));
    if (stripArea)
        stripArea->setGeometry(PictureBotons->contentsRect());
}

void frmCRViewerDesign::setTabOrder()
{
    QList<QWidget *> order{PictureBotons, cmdImpressora, cmdMarges};
    if (CRViewer1)
        order.append(CRViewer1);
    order << cmdExport(2) << cmdExport(1) << cmdExport(3);
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace velmora

#include "engine/control/ViewerToolBar.h"

#include "engine/control/ViewerIcons.h"
#include "engine/control/ZoomLevel.h"

#include <QAction>
#include <QComboBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QProgressBar>
#include <QStyle>

namespace velmora {

ViewerToolBar::ViewerToolBar(QWidget *parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("viewerToolBar"));
    setAccessibleName(QStringLiteral("Barra d'eines del visualitzador"));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    const QStyle *s = style();

    closeViewAction = command(ViewerIcons::closeView(), QStringLiteral("Tanca la vista"),
                              QStringLiteral("Tanca la vista de detall actual"));
    printAction = command(ViewerIcons::print(), QStringLiteral("Imprimeix"), QStringLiteral("Imprimeix l'informe"));
    exportAction = command(ViewerIcons::exportReport(), QStringLiteral("Exporta"),
                           QStringLiteral("Exporta l'informe a un fitxer"));
    groupTreeAction = command(ViewerIcons::groupTree(), QStringLiteral("Arbre de grups"),
                              QStringLiteral("Mostra o amaga l'arbre de grups"));
    groupTreeAction->setCheckable(true);
    m_separators.append(addSeparator());
    firstPageAction = command(s->standardIcon(QStyle::SP_MediaSkipBackward), QStringLiteral("Primera pàgina"),
                              QStringLiteral("Vés a la primera pàgina"));
    previousPageAction = command(s->standardIcon(QStyle::SP_MediaSeekBackward), QStringLiteral("Pàgina anterior"),
                                 QStringLiteral("Vés a la pàgina anterior"));
    pageNumberBox = new QLineEdit(this);
    pageNumberBox->setValidator(new QIntValidator(1, 999999, pageNumberBox));
    pageNumberBox->setFixedWidth(56);
    pageNumberBox->setAlignment(Qt::AlignRight);
    m_pageBoxAction = placed(pageNumberBox, QStringLiteral("Número de pàgina"),
                             QStringLiteral("Escriviu un número de pàgina i premeu Retorn per anar-hi"));
    nextPageAction = command(s->standardIcon(QStyle::SP_MediaSeekForward), QStringLiteral("Pàgina següent"),
                             QStringLiteral("Vés a la pàgina següent"));
    lastPageAction = command(s->standardIcon(QStyle::SP_MediaSkipForward), QStringLiteral("Darrera pàgina"),
                             QStringLiteral("Vés a la darrera pàgina"));
    m_separators.append(addSeparator());
    stopAction = command(s->standardIcon(QStyle::SP_BrowserStop), QStringLiteral("Atura"),
                         QStringLiteral("Atura la feina en curs"));
    refreshAction = command(s->standardIcon(QStyle::SP_BrowserReload), QStringLiteral("Actualitza"),
                            QStringLiteral("Torna a llegir les dades i actualitza l'informe"));
    m_separators.append(addSeparator());
    zoomList = new QComboBox(this);
    for (const ZoomLevel &zoom : ZoomLevel::choices())
        zoomList->addItem(zoom.caption(), zoom.code());
    m_zoomListAction = placed(zoomList, QStringLiteral("Zoom"), QStringLiteral("Mida de la pàgina a la pantalla"));
    m_separators.append(addSeparator());
    findBox = new QLineEdit(this);
    findBox->setPlaceholderText(QStringLiteral("Cerca text"));
    findBox->setClearButtonEnabled(true);
    findBox->setFixedWidth(160);
    m_findBoxAction = placed(findBox, QStringLiteral("Text a cercar"),
                             QStringLiteral("Escriviu el text a cercar i premeu Retorn"));
    findAction = command(ViewerIcons::find(), QStringLiteral("Cerca el següent"),
                         QStringLiteral("Cerca el text a partir de la pàgina actual"));

    auto *spacer = new QWidget(this);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    addWidget(spacer);
    busyIndicator = new QProgressBar(this);
    busyIndicator->setRange(0, 0);
    busyIndicator->setTextVisible(false);
    busyIndicator->setFixedSize(60, 12);
    m_busyAction = placed(busyIndicator, QStringLiteral("Treballant"), QStringLiteral("L'informe s'està preparant"));
    m_busyAction->setVisible(false);
}

QAction *ViewerToolBar::command(const QIcon &icon, const QString &name, const QString &tip)
{
    QAction *action = addAction(icon, name);
    action->setToolTip(tip);
    if (QWidget *button = widgetForAction(action)) {
        button->setAccessibleName(name);
        button->setAccessibleDescription(tip);
    }
    return action;
}

QAction *ViewerToolBar::placed(QWidget *widget, const QString &name, const QString &tip)
{
    widget->setAccessibleName(name);
    widget->setAccessibleDescription(tip);
    widget->setToolTip(tip);
    return addWidget(widget);
}

void ViewerToolBar::showFeatures(const ViewerFeatures &features)
{
    setVisible(features.toolbarShown);
    setEnabled(features.toolbarEnabled);
    closeViewAction->setVisible(features.closeView);
    printAction->setVisible(features.print);
    exportAction->setVisible(features.exportReport);
    groupTreeAction->setVisible(features.groupTreeToggle);
    for (QAction *a : {firstPageAction, previousPageAction, nextPageAction, lastPageAction, m_pageBoxAction})
        a->setVisible(features.navigation);
    stopAction->setVisible(features.stop);
    refreshAction->setVisible(features.refresh);
    m_zoomListAction->setVisible(features.zoomList);
    m_findBoxAction->setVisible(features.findText);
    findAction->setVisible(features.findText);
    m_busyAnimation = features.busyAnimation;
    if (!m_busyAnimation)
        m_busyAction->setVisible(false);
}

void ViewerToolBar::showBusy(bool busy) { m_busyAction->setVisible(busy && m_busyAnimation); }

} // namespace velmora

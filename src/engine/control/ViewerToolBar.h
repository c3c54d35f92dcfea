#pragma once

#include "engine/seam/ViewerFeatures.h"

#include <QToolBar>

class QAction;
class QComboBox;
class QLineEdit;
class QProgressBar;

namespace velmora {

/// The viewer control's toolbar: its commands, pictures, Catalan captions,
/// tooltips and accessible names. It holds no behaviour: the control
/// connects the actions and widgets.
class ViewerToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit ViewerToolBar(QWidget *parent = nullptr);

    /// Shows only the commands the design settings allow.
    void showFeatures(const ViewerFeatures &features);
    /// Shows the busy animation while work runs, if the design allows it.
    void showBusy(bool busy);

    QAction *closeViewAction;
    QAction *printAction;
    QAction *exportAction;
    QAction *groupTreeAction;
    QAction *firstPageAction;
    QAction *previousPageAction;
    QAction *nextPageAction;
    QAction *lastPageAction;
    QAction *stopAction;
    QAction *refreshAction;
    QAction *findAction;
    QLineEdit *pageNumberBox;
    QComboBox *zoomList;
    QLineEdit *findBox;
    QProgressBar *busyIndicator;

private:
    QAction *command(const QIcon &icon, const QString &name, const QString &tip);
    QAction *placed(QWidget *widget, const QString &name, const QString &tip);

    QAction *m_pageBoxAction;
    QAction *m_zoomListAction;
    QAction *m_findBoxAction;
    QAction *m_busyAction;
    QList<QAction *> m_separators;
    bool m_busyAnimation = true;
};

} // namespace velmora

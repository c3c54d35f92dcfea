#pragma once

#include "engine/seam/ViewerFeatures.h"

#include <QRect>
#include <QSize>

#include <array>

class QFrame;
class QLabel;
class QPushButton;
class QWidget;

namespace velmora {

class ReportViewerControl;

/// The viewer window's design: its caption, restored size, the button strip
/// `PictureBotons` docked to the top with its labels and picture buttons at
/// their design places, fonts, tooltips, tab order, and the viewer control's
/// design settings. Builds the controls onto the window; holds no behaviour.
class frmCRViewerDesign {
public:
    static constexpr int clientWidthTwips = 10545;
    static constexpr int clientHeightTwips = 7500;
    static constexpr int stripHeightTwips = 375;

    /// Creates the controls on `window`, around the engine's `viewer`.
    frmCRViewerDesign(QWidget *window, ReportViewerControl *viewer);

    /// The control's 23 on/off settings and its text, in its own order:
    /// all on but the 11th, 14th and 22nd; the text is empty.
    static ViewerFeatures crViewer1Settings();
    static QString caption();
    /// Keeps the strip across the window's full width at the top.
    void dockStrip(int windowWidth);

    QFrame *PictureBotons = nullptr;
    /// The strip's inner area: the strip's controls are placed in it and
    /// clipped by it.
    QWidget *stripArea = nullptr;
    QLabel *lblExportar = nullptr;
    QPushButton *cmdMarges = nullptr;
    QPushButton *cmdImpressora = nullptr;
    QLabel *lblImpressora = nullptr;
    ReportViewerControl *CRViewer1 = nullptr;

    /// `cmdExport` is indexed 1 to 3, as its click handler counts.
    QPushButton *cmdExport(int index) const { return m_cmdExport.at(size_t(index - 1)); }

private:
    void buildStrip(QWidget *window);
    void buildExportButtons();
    void setTabOrder();

    std::array<QPushButton *, 3> m_cmdExport{};
};

} // namespace velmora

#pragma once

#include <QString>

#include <array>

namespace velmora {

/// The viewer control's design settings: 23 on/off switches and one text,
/// in the order a window's design stores them. A switch that is off hides
/// (or disables) that feature; nothing changes them at run time.
/// docs/viewer.md describes each feature.
struct ViewerFeatures {
    bool groupTreeShownAtStart = true; ///<  1 the group tree panel is open when a report is shown
    bool groupTreeToggle = true;       ///<  2 a toolbar button opens and closes the group tree
    bool toolbarShown = true;          ///<  3 the toolbar is visible
    bool toolbarEnabled = true;        ///<  4 the toolbar's commands can be used
    bool viewTabs = true;              ///<  5 a tab per view (the report and each drill-down)
    bool border = true;                ///<  6 a sunken frame around the page area
    bool greyEdge = true;              ///<  7 grey background around the page (else white)
    bool navigation = true;            ///<  8 first, previous, next, last page and go to page
    bool zoomList = true;              ///<  9 the zoom list and Ctrl+wheel zooming
    bool print = true;                 ///< 10 print the report
    bool findByFormula = false;        ///< 11 not offered by this control
    bool exportReport = true;          ///< 12 the engine's own export dialog
    bool refresh = true;               ///< 13 read the data again
    bool editRecordSelection = false;  ///< 14 not offered by this control
    bool closeView = true;             ///< 15 close the current drill-down view
    bool stop = true;                  ///< 16 stop long work
    bool progress = true;              ///< 17 records read and pages done in the status line
    bool busyAnimation = true;         ///< 18 an animated indicator while working
    bool findText = true;              ///< 19 search box: next match highlighted
    bool drillDown = true;             ///< 20 double-click a group to open its pages in a tab
    bool contextMenu = true;           ///< 21 right-click menu on the page
    bool help = false;                 ///< 22 not offered by this control
    bool webLinks = true;              ///< 23 a click on a web address on a page opens it
    /// The caption of the report's own view tab; empty: the report's title,
    /// or a plain "Informe" when it has none.
    QString mainViewCaption;

    static constexpr int switchCount = 23;
    using Switches = std::array<bool, switchCount>;

    /// Features from the 23 switches in design order.
    static ViewerFeatures fromSwitches(const Switches &switches, const QString &text = {});
    Switches switches() const;
};

} // namespace velmora

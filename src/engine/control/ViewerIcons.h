#pragma once

#include <QIcon>

namespace velmora {

/// The toolbar pictures the platform's style does not provide, drawn here so
/// the viewer looks the same with or without an icon theme.
class ViewerIcons {
public:
    static QIcon print();
    static QIcon exportReport();
    static QIcon find();
    static QIcon closeView();
    static QIcon groupTree();
};

} // namespace velmora

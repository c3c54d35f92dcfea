#pragma once

#include <QProxyStyle>

namespace velmora {

/// A drop-down list drawn by the current style with a narrower arrow, so that
/// the longest format caption fits the width the design gives the list.
class CompactComboStyle : public QProxyStyle {
    Q_OBJECT
public:
    /// Owned by `owner`; the widget that uses it must not outlive it.
    explicit CompactComboStyle(QObject *owner);

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl part,
                         const QWidget *widget) const override;

private:
    static constexpr int arrowWidth = 13;
};

} // namespace velmora

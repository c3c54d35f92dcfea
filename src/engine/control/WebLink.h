#pragma once

#include "engine/page/Page.h"

#include <QPointF>
#include <QUrl>

#include <optional>

namespace velmora {

/// Web addresses on a page: the link a text or picture was given, or a line
/// of text that is itself an address ("https://...", "http://...",
/// "www...."), can be opened in a browser.
class WebLink {
public:
    /// The address of the item under `pointTwips`, if it has one.
    static std::optional<QUrl> at(const Page &page, QPointF pointTwips);
    /// The address `text` stands for, if it is one.
    static std::optional<QUrl> fromText(const QString &text);
};

} // namespace velmora

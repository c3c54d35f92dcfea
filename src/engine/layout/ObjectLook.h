#pragma once

#include "engine/definition/ReportDefinition.h"

namespace velmora {

/// How an object looks on one record: what the file fixes, with the results
/// of its formatting formulas put in. The layout places items from this,
/// never from the definition's format directly.
struct ObjectLook {
    ObjectFormat format;
    Twips lineWidth = 20;
    LineStyle lineStyle = LineStyle::Solid;
    bool boxFilled = false;
    /// The address the object links to when it is one that is followed
    /// (followableLink); empty otherwise.
    QString link;

    /// The look the file fixes.
    static ObjectLook designed(const ReportObject &object);
    /// Keeps the link only when it is one that is followed.
    void keepFollowableLink();
};

} // namespace velmora

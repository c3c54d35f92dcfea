#pragma once

#include "engine/chart/ChartTextMetrics.h"

namespace velmora::testing {

/// Every character 100 twips wide, every line 200 high: what a label
/// takes can be worked out by hand.
class FixedMetrics : public ChartTextMetrics {
public:
    static constexpr Twips characterWidth = 100;
    Twips width(const FontSpec &, const QString &text) override { return Twips(text.size()) * characterWidth; }
    Twips lineHeight(const FontSpec &) override { return 200; }
    Twips ascent(const FontSpec &) override { return 160; }
};

} // namespace velmora::testing

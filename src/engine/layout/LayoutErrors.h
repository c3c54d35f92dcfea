#pragma once

#include "engine/core/Failure.h"

#include <QtGlobal>

namespace velmora::LayoutErrors {
// 5000-5999: records, groups and pagination (docs/layout.md)
constexpr qint32 SectionTooTall = 5001;
constexpr qint32 CircularFormula = 5002;
constexpr qint32 NotAvailableWhileReading = 5003;
constexpr qint32 UnknownReference = 5004;
constexpr qint32 SummaryOverflow = 5005;
constexpr qint32 NoTables = 5006;
constexpr qint32 NoLocation = 5007;
constexpr qint32 BadParameter = 5008;
constexpr qint32 Stopped = 5009;
constexpr qint32 TooManyPages = 5010;
constexpr qint32 BadPicture = 5011;
constexpr qint32 BadPageSetup = 5012;
// Charts
constexpr qint32 ChartGroupMissing = 5040;
constexpr qint32 ChartDataMissing = 5041;
} // namespace velmora::LayoutErrors

#pragma once

#include <QtGlobal>

namespace velmora::SeamErrors {
// 1000-1999: the seam itself (docs/errors.md)
constexpr qint32 NegativeSize = 1001;
constexpr qint32 UnknownProperty = 1002;
constexpr qint32 NotASubreport = 1003;
constexpr qint32 ExportUnavailable = 1004;
constexpr qint32 UnknownExportFormat = 1005;
constexpr qint32 UnknownDestination = 1006;
constexpr qint32 NoReportSource = 1007;
constexpr qint32 Stopped = 1008;
constexpr qint32 MissingExportFileName = 1009;
constexpr qint32 TableWithoutLocation = 1010;
constexpr qint32 NotForSubreport = 1011;
constexpr qint32 ComponentUnavailable = 1012;
constexpr qint32 PrintFailed = 1013;
constexpr qint32 BadCommandLine = 1014;
constexpr qint32 InvalidMargins = 1015;
constexpr qint32 ZoomOutOfRange = 1016;
constexpr qint32 UnexpectedFault = 1017;
constexpr qint32 NoViewerControl = 1018;
} // namespace velmora::SeamErrors

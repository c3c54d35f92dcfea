#pragma once

#include <QtGlobal>

/// Failure numbers of reading and writing report files (2000-2999); their
/// texts are listed in docs/report-format.md, "Errors".
namespace velmora::DefinitionErrors {
// The file itself
constexpr qint32 FileNotFound = 2001;
constexpr qint32 FileUnreadable = 2002;
constexpr qint32 FileTooLarge = 2003;
constexpr qint32 EmptyFile = 2004;
constexpr qint32 CompoundDocument = 2005;
constexpr qint32 ZipArchive = 2006;
constexpr qint32 PdfDocument = 2007;
constexpr qint32 BinaryData = 2008;
constexpr qint32 NotXml = 2009;
constexpr qint32 MalformedXml = 2010;
constexpr qint32 NotAReport = 2011;
constexpr qint32 UnsupportedVersion = 2012;
constexpr qint32 UnsupportedEncoding = 2013;
// Elements and attributes
constexpr qint32 UnknownElement = 2020;
constexpr qint32 UnknownAttribute = 2021;
constexpr qint32 MissingAttribute = 2022;
constexpr qint32 BadNumber = 2023;
constexpr qint32 BadColour = 2024;
constexpr qint32 BadBoolean = 2025;
constexpr qint32 BadChoice = 2026;
constexpr qint32 BadReference = 2027;
constexpr qint32 BadParameterValue = 2028;
constexpr qint32 ElementOutOfPlace = 2029;
constexpr qint32 UnexpectedText = 2030;
constexpr qint32 MissingElement = 2031;
constexpr qint32 EmptyFormula = 2032;
constexpr qint32 BadName = 2033;
constexpr qint32 BadSummaryOption = 2034;
// Names
constexpr qint32 DuplicateTable = 2040;
constexpr qint32 DuplicateFormula = 2041;
constexpr qint32 DuplicateParameter = 2042;
constexpr qint32 DuplicateRunningTotal = 2043;
constexpr qint32 DuplicateSection = 2044;
constexpr qint32 DuplicateObject = 2045;
// References and structure
constexpr qint32 UnknownTable = 2050;
constexpr qint32 UnknownFormula = 2051;
constexpr qint32 UnknownParameter = 2052;
constexpr qint32 UnknownRunningTotal = 2053;
constexpr qint32 WrongReferenceKind = 2054;
constexpr qint32 GroupOutOfRange = 2055;
constexpr qint32 SectionOutOfOrder = 2056;
constexpr qint32 UnknownGroup = 2057;
// Pictures, subreports, geometry
constexpr qint32 PictureFileMissing = 2060;
constexpr qint32 BadPicture = 2061;
constexpr qint32 PictureSource = 2062;
constexpr qint32 NestingTooDeep = 2063;
constexpr qint32 BadGeometry = 2064;
// Writing
constexpr qint32 WriteFailed = 2070;
// Charts
constexpr qint32 ChartPlace = 2100;
constexpr qint32 ChartCategories = 2101;
constexpr qint32 ChartSeriesCount = 2102;
constexpr qint32 ChartSeriesKind = 2103;
constexpr qint32 ChartPalette = 2104;
constexpr qint32 ChartOptionNotApplicable = 2105;
// Formatting formulas
constexpr qint32 UnknownProperty = 2080;
constexpr qint32 RepeatedProperty = 2081;
// Cross-tabs
constexpr qint32 CrossTabPlacement = 2090;
constexpr qint32 CrossTabShape = 2091;
constexpr qint32 CrossTabRepeatedStyle = 2092;
} // namespace velmora::DefinitionErrors

#pragma once

#include <QtGlobal>

/// Failure numbers of the export writers (6000-6999), described in
/// docs/exports.md.
namespace velmora::ExportErrors {
constexpr qint32 UnknownFormat = 6000;
constexpr qint32 Stopped = 6001;
constexpr qint32 InvalidPdfOption = 6002;
constexpr qint32 MissingInput = 6003;

constexpr qint32 NoFileName = 6010;
constexpr qint32 FolderMissing = 6011;
constexpr qint32 TargetIsFolder = 6012;
constexpr qint32 HiddenTargetExists = 6013;
constexpr qint32 CannotCreateFile = 6014;
constexpr qint32 WriteFailed = 6015;
constexpr qint32 CannotReplaceTarget = 6016;

constexpr qint32 PdfRenderingFailed = 6020;
constexpr qint32 FontUnavailable = 6021;

constexpr qint32 SpoolFailed = 6030;
constexpr qint32 WorkbookTooLarge = 6031;
} // namespace velmora::ExportErrors

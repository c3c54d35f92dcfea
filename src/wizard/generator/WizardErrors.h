#pragma once

#include <QtGlobal>

namespace velmora::wizard::WizardErrors {

// docs/errors.md, "Report wizard (1100-1119)".
constexpr qint32 NoTables = 1100;
constexpr qint32 UnreachedTable = 1101;
constexpr qint32 NoColumns = 1102;
constexpr qint32 UnknownField = 1103;
constexpr qint32 BadConditionValue = 1104;
constexpr qint32 NotAWizardReport = 1105;
constexpr qint32 BadWizardChoices = 1106;
constexpr qint32 TooManyGroups = 1107;

} // namespace velmora::wizard::WizardErrors

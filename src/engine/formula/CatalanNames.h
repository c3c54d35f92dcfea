#pragma once

#include <QString>

/// Month and weekday names as Catalan writes them, in lower case.
namespace velmora::CatalanNames {

/// 1 = gener ... 12 = desembre; empty outside 1..12.
QString monthName(int month);
/// gen., febr., març, abr., maig, juny, jul., ag., set., oct., nov., des.
QString monthAbbreviation(int month);
/// 1 = dilluns ... 7 = diumenge, Monday first as the Catalan week runs.
QString weekdayName(int dayOfWeek);
/// dl., dt., dc., dj., dv., ds., dg.
QString weekdayAbbreviation(int dayOfWeek);

} // namespace velmora::CatalanNames

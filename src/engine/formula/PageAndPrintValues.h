#pragma once

namespace velmora {

/// Values a formula reads from the running report rather than from a record.
/// PageNofM is the text "Pàgina N de M"; PrintDate and PrintTime are the
/// moment the report was run, the same for every record.
enum class SpecialValue { PageNumber, TotalPageCount, PageNofM, PrintDate, PrintTime, RecordNumber, GroupNumber };

} // namespace velmora

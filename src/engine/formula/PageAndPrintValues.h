#pragma once

namespace velmora {

/// Values a formula reads from the running report rather than from a record.
/// PageNofM is the text "Pàgina N de M"; PrintDate and PrintTime are the
/// moment the report was run, the same for every record. DesignValue and
/// ObjectValue only mean something in a formatting formula: the property's
/// value as the file fixes it, and the value the object shows.
enum class SpecialValue {
    PageNumber, TotalPageCount, PageNofM, PrintDate, PrintTime, RecordNumber, GroupNumber,
    DesignValue, ObjectValue,
};

} // namespace velmora

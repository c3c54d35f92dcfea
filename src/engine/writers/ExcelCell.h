#pragma once

#include "engine/core/Value.h"

#include <QString>

namespace velmora {

/// A report value as an Excel cell: numbers (Integer, Number, Currency) and
/// dates as numbers with a fitting format, booleans as booleans, text as
/// text, Null as no cell. Dates become serials of Excel's 1900 system;
/// dates before 1 January 1900, which it cannot hold, become ISO text.
/// Binary values become their hexadecimal text.
struct ExcelCell {
    enum class Kind : quint8 { Blank, Number, Text, Boolean };

    Kind kind = Kind::Blank;
    double number = 0;
    QString text;
    bool boolean = false;
    /// The format the value's type suggests ("dd/mm/yyyy"); empty = General.
    QString defaultFormat;

    static ExcelCell from(const Value &value);
    /// Excel's serial for an Access day count, if Excel can show it.
    static std::optional<double> excelSerial(double accessDays);
};

} // namespace velmora

#pragma once

#include <QByteArray>

#include <stdexcept>
#include <vector>

namespace velmora::fuzzing {

/// Each function feeds one arbitrary input to one of the program's entry
/// points. A velmora::Failure is the program's proper answer to bad input and
/// is let through; any other exception, a crash or a sanitizer report is a
/// fault. The libFuzzer targets and the corpus replay test share these, so a
/// corpus file means the same to both.
void readReport(const QByteArray &input);
void runFormula(const QByteArray &input);
void parseCommandLine(const QByteArray &input);
void applyFileNameRules(const QByteArray &input);
void readAccessFile(const QByteArray &input);
void readEncryptedAccessFile(const QByteArray &input);
void readTrueTypeFont(const QByteArray &input);

/// Raised when an entry point answers without failing but breaks a promise
/// of its own contract.
class BrokenPromise : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

struct FuzzTarget {
    const char *name; ///< also the folder of its corpus under fuzz/corpus/
    void (*feed)(const QByteArray &input);
};

const std::vector<FuzzTarget> &fuzzTargets();

} // namespace velmora::fuzzing

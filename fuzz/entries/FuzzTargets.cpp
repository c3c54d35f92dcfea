#include "FuzzEntries.h"

namespace velmora::fuzzing {

const std::vector<FuzzTarget> &fuzzTargets()
{
    static const std::vector<FuzzTarget> targets{
        {"report_reader", readReport},
        {"formula", runFormula},
        {"command_line", parseCommandLine},
        {"file_name_rules", applyFileNameRules},
        {"access_file", readAccessFile},
        {"encryption_header", readEncryptedAccessFile},
        {"true_type_font", readTrueTypeFont},
    };
    return targets;
}

} // namespace velmora::fuzzing

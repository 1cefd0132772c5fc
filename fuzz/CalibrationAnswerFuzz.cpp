// The sensor-adjustment answer: the result is -1, 0 or 1; a failed check names a line that is
// in the answer; nothing outside the buffers is touched.

#include "FuzzSupport.h"

using namespace qm;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view answer(reinterpret_cast<const char*>(data), size);
    SettingsRecord record;
    record.text = AnsiToWide(answer);
    SettingsParser parser;
    const int failed = parser.ParseCalibrationAnswer(record);
    const ErrorLine& line = parser.LastErrorLine();
    fuzz::Check(failed == 0 || failed == 1, "the check returns 0 or 1");
    fuzz::Check((failed == 1) == (line.number > 0), "a failed check names its line");
    fuzz::Check(line.text.size() <= SettingsParser::kMaxLineLength, "the line is at most 99 bytes");
    if (failed) {
        fuzz::Check(!line.text.empty(), "the named line is not empty");
        fuzz::Check(WideToAnsi(record.text).find(line.text) != std::string::npos,
                    "the named line is part of the answer");
    }
    const int result = parser.CalibrationResult();
    fuzz::Check(result >= -1 && result <= 1, "the result is -1, 0 or 1");
    // The same answer gives the same verdict a second time (nothing is left over).
    fuzz::Check(parser.ParseCalibrationAnswer(record) == failed &&
                    parser.CalibrationResult() == result,
                "the check gives the same verdict twice");
    return 0;
}

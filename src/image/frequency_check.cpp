#include "image/frequency_check.h"

#include "config/error_texts.h"
#include "image/cell_rules.h"

FrequencyCheck ValidateFrequencies(const ChannelTable& table, int band) {
    // No band selected gives 0-0, which no filled frequency passes.
    const CellRules::FrequencyLimits limits = CellRules::bandLimits(band);
    const int columns[] = {columnOf(table.layout(), ChannelField::RxFrequency),
                           columnOf(table.layout(), ChannelField::TxFrequency)};
    for (int row = 1; row <= table.channelCount(); ++row) {
        for (const int column : columns) {
            const QString text = table.cell(row, column);
            if (text.isEmpty() || text.contains(QLatin1String("FF")))
                continue;
            const std::optional<int> mhz = CellRules::wholeMegahertz(text, true);
            FrequencyCheck check;
            check.row = row;
            check.transmit = column == columns[1];
            check.lower = limits.lower;
            check.upper = limits.upper;
            if (!mhz) {
                check.verdict = FrequencyCheck::Verdict::NotANumber;
                check.error = {ErrorCode::TypeMismatch, ErrorText::frequencyNotANumber(row, text)};
                return check;
            }
            if (*mhz > limits.upper || *mhz < limits.lower) {
                check.verdict = FrequencyCheck::Verdict::OutOfBand;
                return check;
            }
        }
    }
    return {};
}

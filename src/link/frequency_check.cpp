#include "link/frequency_check.h"

#include "link/link_texts.h"

BandLimits writeBandLimits(int band) {
    if (band == 0)
        return {300, 650};
    if (band == 1)
        return {70, 300};
    return {0, 0};
}

FrequencyCheck ValidateFrequencies(const ChannelTable& table, int band) {
    const BandLimits limits = writeBandLimits(band);
    for (int row = 1; row <= table.channelCount(); ++row) {
        for (int column = 1; column <= 2; ++column) {
            const QString text = table.cell(row, column);
            if (text.isEmpty() || text.contains(QLatin1String("FF")))
                continue;
            const QString whole = text.left(3).trimmed();
            bool number = false;
            int mhz = whole.toInt(&number);
            if (!number) {
                const double d = whole.toDouble(&number);
                mhz = static_cast<int>(d);
            }
            FrequencyCheck check;
            check.row = row;
            check.transmit = column == 2;
            if (!number) {
                check.ok = false;
                check.runtimeError = true;
                check.error = {
                    ErrorCode::TypeMismatch,
                    QStringLiteral("类型不匹配：第 %1 个信道的频率 \"%2\" 不是数字").arg(row).arg(text)};
                return check;
            }
            if (mhz > limits.upper || mhz < limits.lower) {
                check.ok = false;
                check.error = {ErrorCode::InvalidArgument,
                               LinkText::frequencyOutOfBand(row, check.transmit, limits.lower, limits.upper)};
                return check;
            }
        }
    }
    return {};
}

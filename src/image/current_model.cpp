#include "image/current_model.h"

#include "image/block_address.h"
#include "image/hex.h"

void CurrentModel::applyEntry(const ModelEntry& entry) {
    strPc = entry.name;
    strStype = entry.layout;
    strType = qMax(0, entry.channels());
}

void CurrentModel::selectBand(const ModelTable& table, int bandIndex) {
    band = bandIndex;
    if (modelIndex < 0 || modelIndex >= ModelTable::kSize)
        return;
    const ModelEntry& e = table.entries[modelIndex];
    if (bandIndex == 0)
        strBandCode = e.codeA;
    else if (bandIndex == 1)
        strBandCode = e.codeB;
}

bool CurrentModel::modelCodeByte(quint8* value) const {
    const QString code = strBandCode.trimmed();
    if (code.size() == 1)
        return parseByteText(QLatin1Char('0') + code, value);
    return parseByteText(code, value);
}

int lookupModel(const ModelTable& table, const QString& code) {
    for (int i = 0; i < ModelTable::kSize - 1; ++i) {
        const ModelEntry& e = table.entries[i];
        if (e.codeB == code || e.codeA == code)
            return i;
    }
    return ModelTable::kSize - 1;
}

QString modelNameOfCode(const ModelTable& table, const QString& code) {
    const int entry = lookupModel(table, code);
    const ModelEntry& e = table.entries[entry];
    return entry < ModelTable::kSize - 1 ? e.name : QString();
}

int bandFromModelCode(const QString& code) {
    if (code.isEmpty())
        return 0;
    const int digit = HexToInt(code.right(1));
    return (digit >= 0 && digit % 2 == 0) ? 1 : 0;
}

#include "image/radio_settings.h"

#include "config/error_texts.h"

namespace {

QStringList numbers(int from, int to) {
    QStringList l;
    for (int i = from; i <= to; ++i)
        l << QString::number(i);
    return l;
}

} // namespace

const QStringList& RadioSettings::items(List list) {
    static const QStringList lists[ListCount] = {
        {QStringLiteral("打开"), QStringLiteral("关闭")},
        {QStringLiteral("有效"), QStringLiteral("无效")},
        {QStringLiteral("打开"), QStringLiteral("关闭")},
        {QStringLiteral("打开"), QStringLiteral("关闭")},
        {QStringLiteral("关闭"), QStringLiteral("30s"), QStringLiteral("60s"), QStringLiteral("90s"),
         QStringLiteral("120s"), QStringLiteral("150s"), QStringLiteral("180s"), QStringLiteral("210s"),
         QStringLiteral("240s"), QStringLiteral("270s"), QStringLiteral("300s")},
        numbers(0, 9),
        {QStringLiteral("有效"), QStringLiteral("无效")},
        numbers(1, 16),
        {QStringLiteral("关"), QStringLiteral("中文"), QStringLiteral("英文")},
    };
    return lists[list];
}

QString RadioSettings::objectName(List list) {
    static const char* const names[ListCount] = {"cboFuncMoni", "cbosd",      "cboTSY",
                                                 "cboRPGN",     "cboFuncTOT", "cboFuncSQL",
                                                 "cboFuncSave", "cboYXXD",    "cboYYBP"};
    return QString::fromLatin1(names[list]);
}

QString RadioSettings::label(List list) {
    static const QString labels[ListCount] = {
        QStringLiteral("监听："),     QStringLiteral("省电功能："), QStringLiteral("提示音："),
        QStringLiteral("扰频功能："), QStringLiteral("发射限时："), QStringLiteral("静噪等级："),
        QStringLiteral("扫描功能："), QStringLiteral("优先信道："), QStringLiteral("语音报频："),
    };
    return labels[list];
}

QString RadioSettings::text(List list) const {
    const int i = index_[list];
    return i >= 0 && i < items(list).size() ? items(list)[i] : QString();
}

Error RadioSettings::setIndex(List list, int index) {
    if (index < -1 || index >= items(list).size()) {
        return {ErrorCode::InvalidPropertyValue, ErrorText::noSuchItem(objectName(list), index)};
    }
    index_[list] = index;
    switch (list) {
    case FuncMoni:
    case Sd:
    case TSY:
    case RPGN:
        recomputeFunctionByte();
        break;
    case YYBP:
        recomputeVoiceByte();
        break;
    default:
        break;
    }
    return Error::none();
}

void RadioSettings::recomputeFunctionByte() {
    // Bit 7 monitor, bit 6 power saving; then, in layout 1, bit 5 tones and bit 4 scrambling; then the
    // crystal and the IF polarity. The two-item lists store their index as the bit.
    const int crystal = tune.optJT == 1 ? 1 : 0;
    const int polarity = tune.Option1 == 1 ? 1 : 0;
    int byte = 0;
    switch (layout_) {
    case Layout::One:
        if (index_[FuncMoni] < 0 || index_[Sd] < 0 || index_[TSY] < 0 || index_[RPGN] < 0)
            return;
        byte = index_[FuncMoni] << 7 | index_[Sd] << 6 | (index_[TSY] == 0 ? 0 : 1) << 5 | index_[RPGN] << 4 |
               crystal << 3 | polarity << 2;
        break;
    case Layout::Zero:
        if (index_[FuncMoni] < 0 || index_[Sd] < 0)
            return;
        byte = index_[FuncMoni] << 7 | index_[Sd] << 6 | crystal << 5 | polarity << 4;
        break;
    case Layout::Other:
        return;
    }
    functionByte_ = byte;
}

void RadioSettings::recomputeVoiceByte() {
    switch (index_[YYBP]) {
    case 0:
        voiceByte_ = 0xFF;
        break;
    case 1:
        voiceByte_ = 0x00;
        break;
    case 2:
        voiceByte_ = 0x01;
        break;
    default:
        break;
    }
}

void RadioSettings::selectStartupDefaults() {
    setIndex(FuncMoni, 0);
    setIndex(Sd, 0);
    setIndex(FuncTOT, 1);
    setIndex(FuncSQL, 4);
    setIndex(FuncSave, 0);
    setIndex(YYBP, 0);
    setIndex(TSY, 0);
    setIndex(RPGN, 1);
    setIndex(YXXD, 0);
    recomputeFunctionByte();
    recomputeVoiceByte();
}

bool RadioSettings::operator==(const RadioSettings& o) const {
    for (int i = 0; i < ListCount; ++i) {
        if (index_[i] != o.index_[i])
            return false;
    }
    return layout_ == o.layout_ && functionByte_ == o.functionByte_ && voiceByte_ == o.voiceByte_ &&
           tune == o.tune;
}

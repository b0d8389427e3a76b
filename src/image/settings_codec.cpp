#include "image/settings_codec.h"

#include <cmath>

#include "config/error_texts.h"
#include "image/hex.h"

namespace SettingsCodec {

namespace {

// Round half to even, as the stored time-out is divided by three.
int roundHalfEven(double v) {
    return int(std::nearbyint(v));
}

} // namespace

Error decode(const Block& a, const Block* b, const QString& modelCodeText, RadioSettings& s) {
    auto bit = [&](int n) { return (a[4] >> n) & 1; };
    if (Error e = s.setIndex(RadioSettings::FuncMoni, bit(7)); e.isError())
        return e;
    if (Error e = s.setIndex(RadioSettings::Sd, bit(6)); e.isError())
        return e;
    if (modelCodeText.startsWith(QLatin1Char('7'))) {
        s.setIndex(RadioSettings::TSY, bit(5));
        s.setIndex(RadioSettings::RPGN, bit(4));
        s.setCrystal(bit(3));
        s.setPolarity(bit(2));
    } else {
        s.setCrystal(bit(5));
        s.setPolarity(bit(4));
    }
    // The options changed after the lists: bring the kept byte in line with what was loaded.
    s.recomputeFunctionByte();

    const int timeout = a[5];
    const int timeoutIndex = timeout == 0 ? 0 : roundHalfEven(timeout / 3.0);
    if (Error e = s.setIndex(RadioSettings::FuncTOT, timeoutIndex); e.isError())
        return {e.code, ErrorText::badTimeoutByte(byteText(a[5]))};

    const QString squelch = byteText(a[6]);
    if (!isDecimal(squelch))
        return {ErrorCode::TypeMismatch, ErrorText::squelchNotDecimal(squelch)};
    if (Error e = s.setIndex(RadioSettings::FuncSQL, squelch.toInt()); e.isError())
        return {e.code, ErrorText::badSquelchByte(squelch)};

    if (a[7] % 5 == 0 && a[7] <= 0x32)
        s.tune.sPower = a[7] / 5;

    if (!b)
        return Error::none();
    const Block& bb = *b;
    if (bb[0] == 0xFF)
        s.setIndex(RadioSettings::YYBP, 0);
    else if (bb[0] == 0x00)
        s.setIndex(RadioSettings::YYBP, 1);
    else if (bb[0] == 0x01)
        s.setIndex(RadioSettings::YYBP, 2);

    if (bb[1] == 0xFF)
        s.setIndex(RadioSettings::FuncSave, 0);
    else if (bb[1] == 0x00)
        s.setIndex(RadioSettings::FuncSave, 1);

    if (s.layout() == Layout::One) {
        if (bb[2] < 1 || bb[2] > 16) {
            return {ErrorCode::InvalidPropertyValue, ErrorText::badPriorityByte(byteText(bb[2]))};
        }
        s.setIndex(RadioSettings::YXXD, int(bb[2]) - 1);
    } else {
        s.setIndex(RadioSettings::YXXD, 0);
    }
    return Error::none();
}

quint8 timeoutByte(const QString& text) {
    if (text == QLatin1String("关闭") || text.isEmpty())
        return 0x00;
    QString digits = text;
    digits.remove(QLatin1Char('s'));
    return quint8(digits.toInt() / 10);
}

Error encode(const RadioSettings& s, quint8 modelCode, Block* a, Block* b) {
    if (!s.functionByte() || !s.voiceByte())
        return {ErrorCode::InvalidArgument, ErrorText::settingsUndecided()};
    *a = filledBlock();
    *b = filledBlock();
    (*a)[0] = modelCode;
    (*a)[4] = quint8(*s.functionByte());
    (*a)[5] = timeoutByte(s.text(RadioSettings::FuncTOT));
    (*a)[6] = quint8(qMax(0, s.index(RadioSettings::FuncSQL)));
    (*a)[7] = quint8(qBound(0, s.tune.sPower, 10) * 5);
    (*b)[0] = quint8(*s.voiceByte());
    (*b)[1] = s.index(RadioSettings::FuncSave) == 0 ? 0xFF : 0x00;
    (*b)[2] = s.layout() == Layout::Zero ? 0xFF : quint8(s.index(RadioSettings::YXXD) + 1);
    return Error::none();
}

} // namespace SettingsCodec

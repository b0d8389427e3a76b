#include "sim/radio_fault.h"

#include <QStringList>
#include <array>

namespace {

struct KindName {
    RadioFault::Kind kind;
    const char* name;
};

constexpr std::array<KindName, 6> kNumbered{{
    {RadioFault::Kind::NoAck, "noack"},
    {RadioFault::Kind::ShortReply, "short"},
    {RadioFault::Kind::LongReply, "long"},
    {RadioFault::Kind::Stop, "stop"},
    {RadioFault::Kind::HangUp, "hangup"},
    {RadioFault::Kind::Flip, "flip"},
}};

Error invalid(const QString& text) {
    return {
        ErrorCode::InvalidArgument,
        QStringLiteral("unknown fault \"%1\" (silent, noack:N, short:N, long:N, stop:N, hangup:N, flip:N)")
            .arg(text)};
}

} // namespace

Error RadioFault::parse(const QString& text, RadioFault* out) {
    const QString t = text.trimmed().toLower();
    if (t.isEmpty() || t == QLatin1String("none")) {
        *out = {};
        return Error::none();
    }
    if (t == QLatin1String("silent")) {
        *out = {Kind::Silent, 0};
        return Error::none();
    }
    const QStringList parts = t.split(QLatin1Char(':'));
    if (parts.size() != 2)
        return invalid(text);
    bool ok = false;
    const int block = parts[1].toInt(&ok);
    if (!ok || block < 1)
        return invalid(text);
    for (const KindName& k : kNumbered) {
        if (parts[0] == QLatin1String(k.name)) {
            *out = {k.kind, block};
            return Error::none();
        }
    }
    return invalid(text);
}

QString RadioFault::text() const {
    if (kind == Kind::None)
        return QStringLiteral("none");
    if (kind == Kind::Silent)
        return QStringLiteral("silent");
    for (const KindName& k : kNumbered) {
        if (k.kind == kind)
            return QLatin1String(k.name) + QLatin1Char(':') + QString::number(block);
    }
    return {};
}

// Feeds arbitrary bytes to the INI reader and writer: they must never crash, and a write must keep the rest.
#include <QByteArray>

#include "config/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    IniFile ini = IniFile::fromBytes(QByteArray(reinterpret_cast<const char*>(data), int(size)));
    ini.value(QStringLiteral("Frequent"), QStringLiteral("PL1"));
    ini.setValue(QStringLiteral("Frequent"), QStringLiteral("PL2"), QStringLiteral("136MHz---174MHz"));
    const IniFile again = IniFile::fromBytes(ini.toBytes());
    if (again.value(QStringLiteral("Frequent"), QStringLiteral("PL2")) != QLatin1String("136MHz---174MHz") &&
        ini.encoding() != IniFile::Encoding::Gb18030)
        __builtin_trap();
    return 0;
}

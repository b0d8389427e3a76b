#include "texts/version_text.h"

#include <QFileInfo>

#include "config/build_info.h"

QString versionText(const QString& program, const QString& configPath) {
    QString text = program + QLatin1Char(' ') + QStringLiteral(RADIOCPS_VERSION);
    if (configPath.isEmpty())
        return text;
    const QString path = QFileInfo(configPath).absoluteFilePath();
    if (QFileInfo(path).isFile())
        return text + QStringLiteral("\n配置文件：") + path;
    return text + QStringLiteral("\n配置文件：%1（不存在）").arg(path);
}

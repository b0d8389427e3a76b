#pragma once

#include <QString>
#include <QVariant>

// What the desktop program remembers between runs (the write options, the folder used last), all in the
// user's settings of organisation and application "RadioCPS".
namespace Remembered {

QVariant value(const QString& key, const QVariant& fallback = {});
void setValue(const QString& key, const QVariant& value);

} // namespace Remembered

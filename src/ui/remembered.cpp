#include "ui/remembered.h"

#include <QSettings>

namespace Remembered {

namespace {
const QString kOrganisation = QStringLiteral("RadioCPS");
const QString kApplication = QStringLiteral("RadioCPS");
} // namespace

QVariant value(const QString& key, const QVariant& fallback) {
    return QSettings(kOrganisation, kApplication).value(key, fallback);
}

void setValue(const QString& key, const QVariant& value) {
    QSettings(kOrganisation, kApplication).setValue(key, value);
}

} // namespace Remembered

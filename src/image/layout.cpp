#include "image/layout.h"

Layout parseLayout(const QString& text) {
    if (text.isEmpty() || text == QLatin1String("0"))
        return Layout::Zero;
    if (text == QLatin1String("1"))
        return Layout::One;
    return Layout::Other;
}

QString layoutText(Layout layout) {
    switch (layout) {
    case Layout::Zero:
        return QStringLiteral("0");
    case Layout::One:
        return QStringLiteral("1");
    case Layout::Other:
        break;
    }
    return {};
}

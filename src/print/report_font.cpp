#include "print/report_font.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QMutex>

namespace {

// Faces that may stand for "宋体", best first: the face itself under its usual names, then serif
// Simplified Chinese faces that Linux distributions ship. AR PL UMing leads the stand-ins because a PDF set
// in it reads back as the text drawn; the Noto and Source Han faces share glyphs between ideographs and
// radicals, so Qt's PDF text map turns some ideographs (一, 页, 音) into radicals and a saved report cannot
// be searched.
const QStringList& songAliases() {
    static const QStringList names{QStringLiteral("宋体"), QStringLiteral("SimSun"),
                                   QStringLiteral("NSimSun"), QStringLiteral("新宋体")};
    return names;
}

const QStringList& serifFallbacks() {
    static const QStringList names{
        QStringLiteral("AR PL UMing CN"),      QStringLiteral("AR PL SungtiL GB"),
        QStringLiteral("Noto Serif CJK SC"),   QStringLiteral("Source Han Serif SC"),
        QStringLiteral("Source Han Serif CN"), QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("Source Han Sans SC"),  QStringLiteral("WenQuanYi Zen Hei"),
        QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Droid Sans Fallback")};
    return names;
}

QString findInstalled(const QStringList& wanted, const QStringList& installed) {
    for (const QString& w : wanted) {
        for (const QString& f : installed) {
            if (f.compare(w, Qt::CaseInsensitive) == 0)
                return f;
        }
    }
    return {};
}

QString resolveUncached(const QString& name) {
    const QStringList installed = QFontDatabase::families();
    const bool isSong = songAliases().contains(name, Qt::CaseInsensitive);
    if (!isSong) {
        const QString exact = findInstalled({name}, installed);
        if (!exact.isEmpty())
            return exact;
    }
    QString found = findInstalled(songAliases(), installed);
    if (found.isEmpty())
        found = findInstalled(serifFallbacks(), installed);
    if (!found.isEmpty())
        return found;
    // Anything that covers Simplified Chinese; prefer a serif-looking face.
    const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    for (const QString& f : chinese) {
        if (f.contains(QLatin1String("Serif"), Qt::CaseInsensitive) ||
            f.contains(QLatin1String("Song"), Qt::CaseInsensitive) ||
            f.contains(QLatin1String("Ming"), Qt::CaseInsensitive))
            return f;
    }
    if (!chinese.isEmpty())
        return chinese.first();
    return name;
}

} // namespace

QString resolveFontFamily(const QString& name) {
    // The font database is asked once per face; drawing a report asks for every text.
    static QMutex mutex;
    static QHash<QString, QString> cache;
    QMutexLocker lock(&mutex);
    auto it = cache.constFind(name);
    if (it != cache.constEnd())
        return *it;
    const QString family = resolveUncached(name);
    cache.insert(name, family);
    return family;
}

QFont reportFont(const QString& name, bool bold, double points) {
    QFont font;
    const QString family = resolveFontFamily(name.isEmpty() ? kReportFontName : name);
    // The resolved face first; the Chinese fallbacks behind it catch glyphs a Latin face lacks.
    QStringList families{family};
    if (family != resolveFontFamily(kReportFontName))
        families << resolveFontFamily(kReportFontName);
    font.setFamilies(families);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferNoShaping);
    font.setPointSizeF(qMax(1.0, points));
    return font;
}

namespace {

// Text is measured at a printer's resolution, where hinting no longer rounds advances to whole pixels.
constexpr double kMeasureDpi = 1200;

const QImage& measuringDevice() {
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = qRound(kMeasureDpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return device;
}

} // namespace

QSizeF textSizePoints(const QFont& font, const QString& text) {
    const QFontMetricsF metrics(font, &measuringDevice());
    const double toPoints = 72 / kMeasureDpi;
    return {metrics.horizontalAdvance(text) * toPoints, metrics.height() * toPoints};
}

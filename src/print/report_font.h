#pragma once

#include <QFont>
#include <QSizeF>
#include <QString>

// The report is set in this face throughout.
inline const QString kReportFontName = QStringLiteral("宋体");

// The installed family that stands for a requested face. "宋体" is rarely installed outside its home
// platform, so it (and any face that is not installed) falls back to an installed Simplified Chinese serif,
// then to any Simplified Chinese family, so that the Chinese texts of the report never go missing.
QString resolveFontFamily(const QString& name);

// The font for a text: resolved family, weight and size in points (never below a readable minimum of
// 1 point, which keeps a degenerate scale factor from producing an invalid font).
QFont reportFont(const QString& name, bool bold, double points);

// How much room a text takes in a font, in points: its advance and the font's line height (ascent plus
// descent), independent of the screen's resolution.
QSizeF textSizePoints(const QFont& font, const QString& text);

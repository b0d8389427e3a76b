#pragma once

#include <QString>
#include <QStringList>

#include "image/chirp_csv.h"

// What importing a CHIRP list tells the user, in the import dialog and on radiocps-cli's stderr alike: the
// lines left out and why, and what the channels read lose.
namespace ImportTexts {

// One loss, without its line: "名称“Club”不保存".
QString loss(const ChirpCsv::Loss& loss);

// The lines left out, one per problem, as the reader describes them.
QStringList problemLines(const ChirpCsv::ReadResult& result);
// The losses, one line per file line: "第 5 行：名称“Club”不保存；功率 0.5W 取为“低”".
QStringList lossLines(const ChirpCsv::ReadResult& result);

// "可以导入 12 个信道；8 行不能导入；3 个信道会失去一些信息。"
QString summary(const ChirpCsv::ReadResult& result);

// The report as text to read or copy: the lines left out, then the losses.
QString report(const ChirpCsv::ReadResult& result);

// Whether the user should see the report before the import: anything left out or lost.
bool hasNews(const ChirpCsv::ReadResult& result);

// The lines left out, each counted once however many problems it has.
int leftOutCount(const ChirpCsv::ReadResult& result);

// The channels that carry a receive frequency: those the import places.
int usableCount(const ChirpCsv::ReadResult& result);

inline const QString DialogTitle = QStringLiteral("导入 CSV");
inline const QString ImportFit = QStringLiteral("导入可用的 %1 个信道");
inline const QString Cancel = QStringLiteral("取消");
inline const QString InFileOrder = QStringLiteral("按文件中的顺序从第 1 信道起编号（不按 Location）");
inline const QString NothingToImport = QStringLiteral("文件中没有可以导入的信道。");
inline const QString LeftOutHeading = QStringLiteral("不能导入的行：");
inline const QString LostHeading = QStringLiteral("导入后不保存的信息（本机没有这些项目）：");

// radiocps-cli convert.
inline const QString SkippedLine = QStringLiteral("跳过：%1");
inline const QString LostLine = QStringLiteral("警告：%1");
inline const QString SkipUnfitHint = QStringLiteral("加 --skip-unfit 只导入可用的信道");
inline const QString SkipUnfitDone = QStringLiteral("已导入 %1 个信道，跳过 %2 行");

} // namespace ImportTexts

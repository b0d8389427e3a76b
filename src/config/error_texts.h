#pragma once

#include <QString>

// The descriptions of the core's errors, each built from its numbers and names in one place. Where a
// description begins with the wording of its error code ("类型不匹配：", "路径/文件访问错误：" ...), that
// wording belongs to the code in error.h.
namespace ErrorText {

// Files.
QString fileNotFound(const QString& path);                      // FileNotFound
QString fileAccess(const QString& reason);                      // PathFileAccess
QString fileAccess(const QString& path, const QString& reason); // PathFileAccess, naming the file
QString pathNotFound(const QString& folder);                    // PathNotFound
QString cannotRemove(const QString& path);                      // PermissionDenied
QString notRegularFile(const QString& path);                    // PathFileAccess: a folder, FIFO or device
QString symbolicLink(const QString& path);                      // PathFileAccess: never written through

// The frequency limits of the tune window. Either or both of the limits may be wrong.
QString limitsNotAscending(const QString& low, const QString& high);
QString bandRangeForm(const QString& text);
QString limitsNotThreeDigits(const QString& low, bool lowWrong, const QString& high, bool highWrong);

// Channel files; lines and bytes count from 1.
QString blankLine(int line);
QString wrongByteCount(int line, int count);
QString notHexByte(int line, int byte, const QString& token);
QString emptyFile();
QString noModelForCode(const QString& code);
QString noModelChosen();
QString frequencyNotANumber(int channel, const QString& cell); // the check before a write
// Communication: a transfer met an event that no row of its tables answers, a fault of this program.
QString transferTableGap(int state, int event);

// CHIRP's CSV files; lines count from 1 as in the file, columns are named by their CHIRP header.
QString csvNoHeader();                                                        // InputPastEnd
QString csvMissingColumn(int line, const QString& column);                    // TypeMismatch
QString csvNotANumber(int line, const QString& column, const QString& text);  // TypeMismatch
QString csvNoSuchChoice(int line, const QString& column, const QString& text, // InvalidPropertyValue
                        const QString& choices);
QString csvNoSuchTone(int line, const QString& column, const QString& text); // InvalidPropertyValue
QString csvNoSuchCode(int line, const QString& column, const QString& text); // InvalidPropertyValue
QString csvReverseSquelch(int line, const QString& mode);                    // InvalidPropertyValue
QString csvOutOfBand(int line, const QString& column, const QString& mhz, int lower,
                     int upper);                                           // InvalidPropertyValue
QString csvOffRaster(int line, const QString& column, const QString& mhz); // InvalidPropertyValue
QString csvLocationOutOfRange(int line, int location, int channels);
QString csvPastLastChannel(int line, int channels);                           // SubscriptOutOfRange
QString csvFieldCount(int line, int fields, int headerFields);                // TypeMismatch
QString csvNoSuchValue(int line, const QString& column, const QString& text); // SubscriptOutOfRange
QString csvLocationRepeated(int line, int location, int firstLine);           // InvalidPropertyValue
QString csvBadTag(int line, const QString& tag);                              // InvalidPropertyValue

// The settings lists and the settings blocks.
QString noSuchItem(const QString& list, int index);
QString badTimeoutByte(const QString& byte);
QString squelchNotDecimal(const QString& byte);
QString badSquelchByte(const QString& byte);
QString badPriorityByte(const QString& byte);
QString settingsUndecided();

// The serial port; reason is the system's own explanation.
QString noPortChosen();
QString portNotFound(const QString& device, const QString& reason);
QString portForbidden(const QString& device, const QString& reason);
QString portInUse(const QString& device, const QString& reason);
QString portWontOpen(const QString& device, const QString& reason);
QString portLost(const QString& device, const QString& reason);
QString portSettingsRefused(const QString& device, const QString& settings, const QString& reason);

// The printer and the PDF writer (PrinterError); pages count from 1.
QString pageRefused(int page);
QString documentRefused();
QString pdfNotCreated(const QString& path);

} // namespace ErrorText

// The JSON form of a channel file: what is wrong with a file that is refused.
namespace JsonText {
inline const QString NotJson = QStringLiteral("不是有效的 JSON：");
inline const QString JsonLayout = QStringLiteral("\"layout\" 必须是 \"0\" 或 \"1\"");
inline const QString JsonChannelCount = QStringLiteral("\"channelCount\" 必须在 1 到 126 之间");
inline const QString JsonBand = QStringLiteral("\"band\" 必须是 0 或 1");
inline const QString JsonModelCode =
    QStringLiteral("\"modelCode\" 必须是两位十六进制数，或在配置文件中找到机型 \"%1\"");
inline const QString JsonModel = QStringLiteral("\"model\" 的 \"%1\" 不是配置文件中的机型");
inline const QString JsonChannelCountOfModel =
    QStringLiteral("\"channelCount\" 为 %1，但机型 \"%2\" 有 %3 个信道");
inline const QString JsonLayoutOfModel =
    QStringLiteral("\"layout\" 为 \"%1\"，但机型 \"%2\" 的布局是 \"%3\"");
inline const QString JsonModelCodeOfModel =
    QStringLiteral("\"modelCode\" 为 \"%1\"，但配置文件中机型 \"%2\" 在 \"band\" %3 的代码是 \"%4\"");
inline const QString JsonModelCodeType = QStringLiteral("\"modelCode\" 必须是文本");
inline const QString JsonSetting =
    QStringLiteral("\"settings\" 的 \"%1\" 必须是该列表的一项文本，不能缺少或为 null");
inline const QString JsonTuneType = QStringLiteral("\"tune\" 的 \"%1\" 必须是整数，不能缺少");
inline const QString JsonCellType = QStringLiteral("第 %1 行第 %2 列（%3）必须是文本，空的单元格写 \"\"");
inline const QString JsonNoSuchItem = QStringLiteral("%1 没有 \"%2\" 这一项");
inline const QString JsonTune =
    QStringLiteral("\"tune\" 的值超出范围（optJT、Option1 为 0 或 1，sPower 为 0 到 10）");
inline const QString JsonGridRows = QStringLiteral("\"grid\" 应有 %1 行（含标题行），实有 %2 行");
inline const QString JsonRowColumns = QStringLiteral("第 %1 行应有 %2 列，实有 %3 列");
inline const QString JsonCell = QStringLiteral("第 %1 行第 %2 列（%3）的 \"%4\" 不是信道编辑器接受的值");
inline const QString JsonBlocks = QStringLiteral("\"blocks\" 与机型不符：应为 %1");
inline const QString JsonComplete = QStringLiteral("\"complete\" 必须是 true 或 false");
inline const QString JsonUnknownColumn = QStringLiteral("\"grid\" 的标题行中的 \"%1\" 不是本机型的列");
inline const QString JsonRepeatedColumn = QStringLiteral("\"grid\" 的标题行中 \"%1\" 出现了两次");
inline const QString JsonMissingColumn = QStringLiteral("\"grid\" 的标题行缺少 \"%1\" 列");
inline const QString JsonChannelNumber = QStringLiteral("\"grid\" 第 %1 行的信道号应为 %1，实为 \"%2\"");
inline const QString JsonKeptBytesType = QStringLiteral("\"keptBytes\" 必须是数组");
inline const QString JsonKeptByte = QStringLiteral(
    "\"keptBytes\" 的第 %1 项不成立：须为 {\"row\", \"column\", \"byte\"}，\"byte\" 是该列列表中没有的"
    "两位大写十六进制数，且该单元格的文本正是这个字节的含义");
} // namespace JsonText

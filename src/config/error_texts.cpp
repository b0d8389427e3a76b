#include "config/error_texts.h"

namespace ErrorText {

namespace {

const QString kTypeMismatch = QStringLiteral("类型不匹配：");
const QString kInvalidValue = QStringLiteral("无效的属性值：");
const QString kInvalidCall = QStringLiteral("无效的过程调用或参数：");
const QString kFileAccess = QStringLiteral("路径/文件访问错误：");

} // namespace

QString fileNotFound(const QString& path) {
    return QStringLiteral("文件未找到：") + path;
}

QString fileAccess(const QString& reason) {
    return kFileAccess + reason;
}

QString fileAccess(const QString& path, const QString& reason) {
    return kFileAccess + path + QLatin1Char(' ') + reason;
}

QString notRegularFile(const QString& path) {
    return kFileAccess + path + QStringLiteral(" 不是普通文件（可能是文件夹、管道或设备）");
}

QString symbolicLink(const QString& path) {
    return kFileAccess + path + QStringLiteral(" 是符号链接，不是普通文件：程序不经由它写入");
}

QString pathNotFound(const QString& folder) {
    return QStringLiteral("路径未找到：") + folder;
}

QString cannotRemove(const QString& path) {
    return QStringLiteral("没有权限：无法删除 ") + path;
}

QString limitsNotThreeDigits(const QString& low, bool lowWrong, const QString& high, bool highWrong) {
    QString which;
    if (lowWrong && highWrong)
        which = QStringLiteral("低端频率“%1”和高端频率“%2”").arg(low, high);
    else if (lowWrong)
        which = QStringLiteral("低端频率“%1”").arg(low);
    else
        which = QStringLiteral("高端频率“%1”").arg(high);
    return QStringLiteral("%1不是三位整数（MHz），例如 400。频率范围未保存。").arg(which);
}

QString limitsNotAscending(const QString& low, const QString& high) {
    return QStringLiteral("低端频率“%1”应小于高端频率“%2”（MHz）。频率范围未保存。").arg(low, high);
}

QString bandRangeForm(const QString& text) {
    return QStringLiteral("“%1”不是“400MHz---470MHz”这样的频率范围").arg(text);
}

QString blankLine(int line) {
    return kTypeMismatch + QStringLiteral("第 %1 行是空行").arg(line);
}

QString wrongByteCount(int line, int count) {
    return kTypeMismatch + QStringLiteral("第 %1 行应有 12 个字节，实有 %2 个").arg(line).arg(count);
}

QString notHexByte(int line, int byte, const QString& token) {
    return kTypeMismatch +
           QStringLiteral("第 %1 行第 %2 个字节 \"%3\" 不是两位十六进制数").arg(line).arg(byte).arg(token);
}

QString emptyFile() {
    return QStringLiteral("输入超出文件尾：文件是空的");
}

QString noModelForCode(const QString& code) {
    return QStringLiteral("没有与机型代码 %1 相符的机型，配置文件中也没有第 8 个机型").arg(code);
}

QString noModelChosen() {
    return kInvalidCall + QStringLiteral("尚未选择机型");
}

QString transferTableGap(int state, int event) {
    return QStringLiteral("通信错误：传输程序内部错误（状态 %1，事件 %2），传输已停止").arg(state).arg(event);
}

QString noSuchItem(const QString& list, int index) {
    return kInvalidValue + QStringLiteral("%1 没有第 %2 项").arg(list).arg(index);
}

QString badTimeoutByte(const QString& byte) {
    return kInvalidValue + QStringLiteral("发射限时字节 %1").arg(byte);
}

QString squelchNotDecimal(const QString& byte) {
    return kTypeMismatch + QStringLiteral("静噪等级字节 %1").arg(byte);
}

QString badSquelchByte(const QString& byte) {
    return kInvalidValue + QStringLiteral("静噪等级字节 %1").arg(byte);
}

QString badPriorityByte(const QString& byte) {
    return kInvalidValue + QStringLiteral("优先信道字节 %1").arg(byte);
}

QString settingsUndecided() {
    return kInvalidCall + QStringLiteral("功能设置尚未确定");
}

QString noPortChosen() {
    return QStringLiteral("没有选择串口");
}

QString portNotFound(const QString& device, const QString& reason) {
    return QStringLiteral("找不到串口 %1（%2）").arg(device, reason);
}

QString portForbidden(const QString& device, const QString& reason) {
    return QStringLiteral("没有使用串口 %1 的权限（%2）。当前用户必须获准使用串口"
                          "（在 Debian 上须加入 dialout 组，然后重新登录）。")
        .arg(device, reason);
}

QString portInUse(const QString& device, const QString& reason) {
    return QStringLiteral("串口 %1 已被占用（%2）").arg(device, reason);
}

QString portWontOpen(const QString& device, const QString& reason) {
    return QStringLiteral("无法打开串口 %1（%2）").arg(device, reason);
}

QString portLost(const QString& device, const QString& reason) {
    return QStringLiteral("与串口 %1 的连接已断开（%2）").arg(device, reason);
}

QString portSettingsRefused(const QString& device, const QString& settings, const QString& reason) {
    return QStringLiteral("无法设置串口 %1 的参数 %2（%3）").arg(device, settings, reason);
}

QString pageRefused(int page) {
    return QStringLiteral("打印机无法开始第 %1 页，打印已中止。").arg(page);
}

QString documentRefused() {
    return QStringLiteral("打印机没有接受打印文档，打印失败。");
}

QString pdfNotCreated(const QString& path) {
    return QStringLiteral("无法创建 PDF 文件 %1。").arg(path);
}

QString frequencyNotANumber(int channel, const QString& cell) {
    return kTypeMismatch + QStringLiteral("第 %1 个信道的频率 \"%2\" 不是数字").arg(channel).arg(cell);
}

QString csvNoHeader() {
    return QStringLiteral("输入超出文件尾：文件中没有 CHIRP 的标题行（Location,Name,Frequency,…）");
}

QString csvMissingColumn(int line, const QString& column) {
    return kTypeMismatch +
           QStringLiteral("第 %1 行的标题中没有 %2 列，不是 CHIRP 的 CSV 文件").arg(line).arg(column);
}

QString csvNotANumber(int line, const QString& column, const QString& text) {
    return kTypeMismatch + QStringLiteral("第 %1 行 %2 列的 \"%3\" 不是数字").arg(line).arg(column, text);
}

QString csvNoSuchChoice(int line, const QString& column, const QString& text, const QString& choices) {
    return kInvalidValue +
           QStringLiteral("第 %1 行 %2 列的 \"%3\" 不可用，只能是 %4").arg(line).arg(column, text, choices);
}

QString csvNoSuchTone(int line, const QString& column, const QString& text) {
    return kInvalidValue +
           QStringLiteral("第 %1 行 %2 列的 \"%3\" 不是本机的亚音频率").arg(line).arg(column, text);
}

QString csvNoSuchCode(int line, const QString& column, const QString& text) {
    return kInvalidValue +
           QStringLiteral("第 %1 行 %2 列的 \"%3\" 不是本机的数字亚音码").arg(line).arg(column, text);
}

QString csvReverseSquelch(int line, const QString& mode) {
    return kInvalidValue +
           QStringLiteral("第 %1 行 Tone 列的 \"%2\" 是反向静噪，本机不支持").arg(line).arg(mode);
}

QString csvOutOfBand(int line, const QString& column, const QString& mhz, int lower, int upper) {
    return kInvalidValue + QStringLiteral("第 %1 行 %2 列：频率 %3 MHz 超出 %4–%5 MHz")
                               .arg(line)
                               .arg(column, mhz)
                               .arg(lower)
                               .arg(upper);
}

QString csvOffRaster(int line, const QString& column, const QString& mhz) {
    return kInvalidValue + QStringLiteral("第 %1 行 %2 列：频率 %3 MHz 不是 6.25 kHz 或 5 kHz 的整数倍")
                               .arg(line)
                               .arg(column, mhz);
}

QString csvLocationOutOfRange(int line, int location, int channels) {
    return QStringLiteral("下标越界：第 %1 行的 Location %2 不在本机型的信道 1 到 %3 之内")
        .arg(line)
        .arg(location)
        .arg(channels);
}

QString csvPastLastChannel(int line, int channels) {
    return QStringLiteral("下标越界：第 %1 行排在本机型的 %2 个信道之后").arg(line).arg(channels);
}

QString csvFieldCount(int line, int fields, int headerFields) {
    return kTypeMismatch + QStringLiteral("第 %1 行有 %2 个字段，标题行有 %3 个（值中的分隔符要加引号）")
                               .arg(line)
                               .arg(fields)
                               .arg(headerFields);
}

QString csvNoSuchValue(int line, const QString& column, const QString& text) {
    return kInvalidValue +
           QStringLiteral("第 %1 行 %2 列的 \"%3\" 不是 CHIRP 的值").arg(line).arg(column, text);
}

QString csvLocationRepeated(int line, int location, int firstLine) {
    return kInvalidValue +
           QStringLiteral("第 %1 行的 Location %2 与第 %3 行重复").arg(line).arg(location).arg(firstLine);
}

QString csvBadTag(int line, const QString& tag) {
    return kInvalidValue + QStringLiteral("第 %1 行 Comment 列的标记 \"%2\" 无效").arg(line).arg(tag);
}

} // namespace ErrorText

#pragma once

#include <QString>

// The texts only radiocps-cli prints; where it shows what a window shows it uses ui_texts.h, and the
// core's error descriptions come from config/error_texts.h. "%n" marks where a value goes.
namespace CliText {

// Every failure: the error's code and description.
inline const QString Failure = QStringLiteral("错误 %1: %2");

// The command line itself: usage lines, unknown commands and options (exit 2).
inline const QString Usage = QStringLiteral("用法：radiocps-cli %1");
inline const QString Commands = QStringLiteral("radiocps-cli：在命令行上处理信道文件、读写对讲机\n\n命令：");
inline const QString UnknownCommand = QStringLiteral("未知的命令：%1");
inline const QString UnknownOption = QStringLiteral("未知的选项 %1");
inline const QString OptionNeedsValue = QStringLiteral("选项 %1 需要一个值");
inline const QString TimeoutSeconds = QStringLiteral("--timeout 需要大于 0、不超过 86400 的秒数");

// show and convert.
inline const QString FileIncomplete =
    QStringLiteral("注意：文件不完整，只有 %1 行（应有 %2 行），缺少的信道为空。");
inline const QString InputIncomplete = QStringLiteral("注意：输入文件不完整，缺少的信道为空。");

// convert with a CHIRP CSV file.
inline const QString CsvNeedsModel = QStringLiteral(
    "读入 .csv 文件须指定机型：--base FILE.qfd（取该文件的机型和设置）或 --model NAME --band 0|1，"
    "二者只能选一");
inline const QString CsvNeedsBand = QStringLiteral("--model 须与 --band 0 或 --band 1 一起使用");
inline const QString CsvBandWithBase =
    QStringLiteral("--band 只与 --model 一起使用，--base 的波段取自该文件");
inline const QString CsvOptionsWithoutCsv =
    QStringLiteral("--base、--model、--band、--renumber、--skip-unfit 只用于读入 .csv 文件");
inline const QString CsvStartsAtZero =
    QStringLiteral("注意：文件的 Location 从 0 开始；加 --renumber 可改为从信道 1 开始编号");
inline const QString NoSuchModel = QStringLiteral("配置文件中没有机型 \"%1\"");

// The plain-text form of show, after the model and range lines of the main window.
inline const QString ShowModelCodes = QStringLiteral("机型代码：%1  布局：%2  信道数：%3  块数：%4");
inline const QString ShowSettings = QStringLiteral("功能设置：");
inline const QString ShowTune = QStringLiteral("调整模式：晶体 %1  中频 %2  功率调整 %3");
inline const QString ShowChannels = QStringLiteral("信道数据：");

// What "radiocps-cli COMMAND --help" prints after the usage line, one text per command.
inline const QString ShowHelp =
    QStringLiteral("  --config INI   机型表所在的配置文件（默认为程序旁的 Sfc.ini）\n"
                   "  --json         以 JSON 形式输出（convert 能读回）\n"
                   "数据在标准输出，提示在标准错误。\n"
                   "退出码：0 成功，1 失败，2 用法错误");
inline const QString ConvertHelp = QStringLiteral(
    "  --config INI        机型表所在的配置文件（默认为程序旁的 Sfc.ini）\n"
    "  --base FILE.qfd     读入 .csv 时：机型、频段和设置取自该信道文件，信道换成 CSV 中的\n"
    "  --model NAME --band 0|1\n"
    "                      读入 .csv 时：按该机型和频段新建信道表（默认设置）\n"
    "  --renumber          CSV 的信道从 0 开始编号时，改为从 1 开始；与 --skip-unfit 一起时，\n"
    "                      可用的信道按文件中的顺序从信道 1 起编号\n"
    "  --skip-unfit        只导入本机型放得下的信道：不能导入的行和不保存的信息列在标准\n"
    "                      错误上；默认列出所有问题后整个文件不导入\n"
    "按扩展名转换：.json 为 JSON 形式，.csv 为 CHIRP 的 CSV 格式，其余为信道文件。\n"
    "OUT 只有在全部写好后才被替换。\n"
    "退出码：0 成功，1 失败，2 用法错误");
inline const QString ReportHelp =
    QStringLiteral("  --config INI   机型表所在的配置文件（默认为程序旁的 Sfc.ini）\n"
                   "  --pdf OUT.pdf  设置报表写入的 PDF 文件（A4 纵向）\n"
                   "退出码：0 成功，1 失败，2 用法错误");
inline const QString PortsHelp =
    QStringLiteral("列出系统报告的每个串口：设备路径、描述、制造商、USB 厂商:产品号和序列号。\n"
                   "  --json         以 JSON 数组输出\n"
                   "伪终端不在其列；--port 可直接写设备路径，或只写名称（ttyUSB0 即 /dev/ttyUSB0）。\n"
                   "退出码：0 成功（没有串口也是），2 用法错误");
inline const QString DiffHelp = QStringLiteral(
    "逐个信道、逐列（列标题和两边的值）以及逐项设置（列表名称和两边的值、调整模式的值）列出两个文件的不同。\n"
    "A、B 可以是信道文件或 convert 写出的 .json 文件。\n"
    "  --config INI   机型表所在的配置文件（默认为程序旁的 Sfc.ini）\n"
    "退出码：0 相同，1 不同，2 用法错误，5 文件无法打开或解码（没有比较）");
inline const QString TraceOption =
    QStringLiteral("  --trace FILE   把串口收发的每个字节连同时间记入 FILE（失败时也写），供技术支持分析\n");
inline const QString ReadHelp =
    QStringLiteral(
        "  --out FILE     读到的数据存入 FILE；只有读频完成才替换 FILE，失败或取消时 FILE 保持原样\n"
        "  --timeout S    对讲机无响应的等待秒数\n"
        "  --json         以 JSON 形式输出读到的数据\n") +
    TraceOption +
    QStringLiteral("每次读频（完成与否）都在备份文件夹保存一份；RADIOCPS_BACKUP_DIR 可指定备份文件夹。\n"
                   "退出码：0 读频完成，1 失败，2 用法错误");
inline const QString WriteHelp =
    QStringLiteral("  --allow-incomplete  允许写入不完整的文件，缺少的信道写成空信道\n"
                   "  --backup            写频前先读取整个对讲机并备份，机型不同则不写入\n"
                   "  --verify            写频后读回对讲机，核对写入的每一块\n") +
    TraceOption +
    QStringLiteral(
        "写入的数据在备份文件夹保存一份；RADIOCPS_BACKUP_DIR 可指定备份文件夹。\n"
        "退出码：0 写频完成（校验一致），1 失败，2 用法错误，3 校验不一致，4 对讲机是另一机型（没有写入）");
inline const QString VerifyHelp =
    QStringLiteral("读取对讲机，与 FILE 逐块核对（与 write --verify 的核对相同），不写入任何数据。\n"
                   "  --timeout S    对讲机无响应的等待秒数\n") +
    TraceOption +
    QStringLiteral(
        "退出码：0 一致，1 失败，2 用法错误，3 不一致（列出信道和设置数据块），4 对讲机是另一机型");
inline const QString FleetHelp =
    QStringLiteral("批量写频：每个 --port 接一根写频线，依次等待对讲机接上，写入 "
                   "FILE，记录结果，等对讲机取下后接着等下一台。\n"
                   "  --port DEVICE       写频线所在的端口，可给多个\n"
                   "  --no-verify         写频后不读回校验（默认校验）\n"
                   "  --backup            写频前先读取每台对讲机并备份，机型不同则不写入\n"
                   "  --count N           共写 N 台后结束\n"
                   "  --gap S             对讲机对唤醒连续 S 秒无应答即视为已取下（默认 2）\n"
                   "  --log FILE          记录写入 CSV 文件（UTF-8，首行为列名），每写完一台更新一次\n"
                   "  --timeout S         对讲机写频中无响应的等待秒数\n"
                   "每写完一台在标准输出打印一行：序号、端口、开始时间、机型、结果、校验、用时、备份文件。\n"
                   "Ctrl+C 或 SIGTERM：正在写的对讲机写完后结束；再按一次立即停止。\n"
                   "退出码：0 每台都成功，1 有失败（或端口出错），2 用法错误");
inline const QString FleetStopping =
    QStringLiteral("正在停止：等正在写频的对讲机写完（再按一次 Ctrl+C 立即停止）");
inline const QString FleetPort = QStringLiteral("%1：%2");
inline const QString FleetLogFailed = QStringLiteral("警告：记录没有写入 %1");
inline const QString FleetSummary = QStringLiteral("批量写频结束：%1");
inline const QString FleetCount = QStringLiteral("--count 需要大于 0 的台数");
// A full cycle of the wake-up takes 0.7 s: a shorter gap would take every radio as gone.
inline const QString FleetGap = QStringLiteral("--gap 需要 1 到 3600 的秒数");
inline const QString ReadIncomplete = QStringLiteral("注意：读频未完成，只收到 %1 块（应有 %2 块）");
inline const QString WriteFileIncomplete =
    QStringLiteral("注意：文件不完整，只有 %1 行（应有 %2 行），缺少的信道按空信道写入。");
inline const QString WriteRefusesIncomplete =
    QStringLiteral("文件不完整，只有 %1 行（应有 %2 行）：写频会把缺少的信道写成空信道，没有写入。"
                   "确实要这样写入，请加 --allow-incomplete");
inline const QString Cancelled = QStringLiteral("已取消");
// The backup of a read or a write, on stderr.
inline const QString BackupSaved = QStringLiteral("已备份到：%1");
inline const QString InvalidCell = QStringLiteral("警告：%1");
inline const QString BackupFailed = QStringLiteral("警告：备份没有保存：%1");

// The no-answer hint of a transfer, printed once; the port that did not answer follows.
inline const QString NoAnswerPort = QStringLiteral("（端口 %1）");
// Where the serial trace of a transfer went, and why it did not.
inline const QString TraceSaved = QStringLiteral("串口记录：%1");
inline const QString TraceFailed = QStringLiteral("警告：串口记录没有保存：%1");

// verify.
inline const QString VerifySame = QStringLiteral("对讲机与文件一致");
inline const QString VerifyDiffers = QStringLiteral("对讲机与文件不一致：对讲机中的%1 与文件中的不同");
inline const QString VerifyOtherModel = QStringLiteral("对讲机是%1，文件是%2：机型不同，没有核对");

// diff: one line per difference on stdout, "A → B"; an empty value shows as EmptyValue.
inline const QString DiffModel = QStringLiteral("%1：%2 → %3");
inline const QString DiffCell = QStringLiteral("信道 %1 %2：%3 → %4");
inline const QString DiffSetting = QStringLiteral("设置 %1%2 → %3");
inline const QString DiffTune = QStringLiteral("调整模式 %1：%2 → %3");
inline const QString DiffKeptByte = QStringLiteral("%1：%2 → %3");
inline const QString DiffSame = QStringLiteral("两个文件没有不同");
inline const QString DiffCount = QStringLiteral("共 %1 处不同");
inline const QString EmptyValue = QStringLiteral("（空）");
inline const QString ModelName = QStringLiteral("机型");
inline const QString ModelCode = QStringLiteral("机型代码");
inline const QString ChannelCount = QStringLiteral("信道数");
inline const QString LayoutName = QStringLiteral("布局");
inline const QString TuneCrystal = QStringLiteral("晶体（optJT）");
inline const QString TunePolarity = QStringLiteral("中频极性（Option1）");
inline const QString TunePower = QStringLiteral("功率调整（sPower）");
inline const QString FunctionByte = QStringLiteral("功能字节");
inline const QString VoiceByte = QStringLiteral("语音字节");

// ports.
inline const QString PortsHeader = QStringLiteral("设备\t描述\t制造商\tUSB\t序列号");
inline const QString NoPorts = QStringLiteral("没有找到串口（伪终端不在其列，请用 --port 指定设备）");

// report.
inline const QString PdfWritten = QStringLiteral("已写入 %1（%2 页）");

// The checks of a channel set read from JSON.

} // namespace CliText

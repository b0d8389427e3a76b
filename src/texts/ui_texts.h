#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include "config/config_check.h"

// Every text the desktop program shows, one definition per text, in sections by window. The data tokens
// the codec stores (cell values, settings list items, column headers) stay beside the codec in image/,
// and the descriptions of the core's errors beside config/error.h.

// The words many windows share, and the main window with its model dialog.
namespace UiText {

// Buttons and message titles.
inline const QString Ok = QStringLiteral("确定");
inline const QString Cancel = QStringLiteral("取消");
inline const QString Yes = QStringLiteral("是");
inline const QString No = QStringLiteral("否");
inline const QString Save = QStringLiteral("保存");
inline const QString DontSave = QStringLiteral("不保存");
inline const QString TitleNotice = QStringLiteral("提示");
inline const QString TitleInformation = QStringLiteral("信息提示");
inline const QString TitleError = QStringLiteral("错误");
// The last entry of every file filter; a filter is "name(pattern)|pattern|..." as the prompter takes it.
inline const QString AllFilesFilter = QStringLiteral("所有文件(*.*)|*.*");

// Menus: "&" marks the access key.
inline const QString MenuFile = QStringLiteral("文件(&F)");
inline const QString MenuNew = QStringLiteral("新建(&N)");
inline const QString MenuOpen = QStringLiteral("打开(&O)");
inline const QString MenuSave = QStringLiteral("另存(&S)");
inline const QString MenuPreview = QStringLiteral("打印预览(&V)");
inline const QString MenuPrint = QStringLiteral("打印(&P)");
inline const QString MenuExit = QStringLiteral("退出(&X)");
inline const QString MenuProgram = QStringLiteral("编程(&P)");
inline const QString MenuRead = QStringLiteral("读频(&R)");
inline const QString MenuWrite = QStringLiteral("写频(&W)");
inline const QString MenuOpenBackups = QStringLiteral("打开备份文件夹");
inline const QString MenuRecent = QStringLiteral("最近打开的文件");
inline const QString RecentMissing = QStringLiteral("文件不存在，已从最近打开的文件中删除：\n%1");
inline const QString DropUnknown = QStringLiteral("只能打开 .qfd、.csv 或 .json 文件：\n%1");
inline const QString MenuEdit = QStringLiteral("编辑(&E)");
inline const QString MenuTune = QStringLiteral("调整模式(&T)");
inline const QString MenuPortMenu = QStringLiteral("端口选择(&C)");
inline const QString MenuPort = QStringLiteral("选择端口(&P)");
inline const QString MenuHelp = QStringLiteral("帮助(&H)");
inline const QString MenuAbout = QStringLiteral("关于(&A)");
inline const QString MenuOpenTraces = QStringLiteral("打开日志文件夹");

// Toolbar buttons, left to right. "打开" is the open dialog's title as well.
inline const QString ToolNew = QStringLiteral("新建");
inline const QString Open = QStringLiteral("打开");
inline const QString ToolSave = QStringLiteral("另存");
inline const QString ToolPrint = QStringLiteral("打印");
inline const QString ToolRead = QStringLiteral("读频");
inline const QString ToolWrite = QStringLiteral("写频");

// Frames and labels. "机型选择" is the model dialog's caption too, "频率：" the tune window's label.
inline const QString FrameModel = QStringLiteral("机型选择");
inline const QString FrameSettings = QStringLiteral("功能设置");
inline const QString FrameChannels = QStringLiteral("信道数据设置");
inline const QString LabelModel = QStringLiteral("型号：");
inline const QString LabelRange = QStringLiteral("频率：");
// The band selector's entries before the first model is known.
inline const QString DesignBandU = QStringLiteral("LX-58_U");
inline const QString DesignBandV = QStringLiteral("LX-58_V");
inline const QString BandSuffixU = QStringLiteral("(U)");
inline const QString BandSuffixV = QStringLiteral("(V)");

// Model dialog (caption FrameModel).
inline const QString ModelDialogPrompt = QStringLiteral("请选择新建机型");

// Channel files (open dialog title Open).
inline const QString ChannelFileFilter = QStringLiteral("qfd(*.qfd)|*.qfd|") + AllFilesFilter;
inline const QString SaveDialogTitle = QStringLiteral("另存为");
inline const QString Saved = QStringLiteral("保存成功");
inline const QString AskSaveChanges = QStringLiteral("信道数据已修改，是否保存？");
inline const QString FileIncomplete = QStringLiteral("输入超出文件尾：文件只有 %1 行，应有 %2 行");

// Start-up (a missing icon file is ErrorText::fileNotFound).
inline const QString IconInvalid = QStringLiteral("无效的图片：%1");

// The main window's title: the file's name with "*" while the table differs from it and a word when
// channels are missing, then the caption ("信道表.qfd* - 编程软件"); the caption alone for a new table.
QString documentTitle(const QString& fileName, bool modified, bool incomplete, const QString& caption);
// The model with its band: "RC-160(U)".
QString modelAndBand(const QString& model, int band);
// What stands for the file's name after a read, until the channels are saved: "RC-160(U) 读频".
QString readDocumentName(const QString& model, int band);
// The entries of the configuration file that cannot be used, one a line, under the file's name.
QString configProblems(const QString& path, const QVector<ConfigProblem>& problems);
inline const QString Incomplete = QStringLiteral("（不完整）");
// Between two notes of one command in the status bar.
inline const QString NoteSeparator = QStringLiteral("；");
} // namespace UiText

// The desktop program's command-line options.
namespace AppText {
inline const QString PortOption =
    QStringLiteral("串口设备（例如 /dev/ttyUSB0）；可给多个，第一个用于读频和写频，全部列入批量写频");
inline const QString OpenOption = QStringLiteral("启动后打开的信道文件");
inline const QString FileArgument = QStringLiteral("启动后打开的信道文件（同 --open）");
inline const QString ScreenshotOption = QStringLiteral("保存主窗口图片后退出");
} // namespace AppText

// The about box (button UiText::Ok).
namespace AboutText {
inline const QString Caption = QStringLiteral("关于");
inline const QString Title = QStringLiteral("无线对讲机电脑编程软件");

// The description reads prefix, gap, type, series phrase, type, suffix; the gap lines the text up under
// the heading on the box's design.
inline const QString DescriptionPrefix = QStringLiteral("应用程序描述:");
inline const QString DescriptionGap = QString(34, QLatin1Char(' '));
inline const QString DescriptionSeries = QStringLiteral("系列电脑编程软件，适用于");
inline const QString DescriptionSuffix = QStringLiteral("等系列无线对讲机,进行与对讲机之间进数据通信。");

inline const QString Disclaimer =
    QStringLiteral("警告：本软件受版权法保护。未经授权擅自复制或传播本软件的全部或部分，将承担法律责任。");

inline const QString SysInfo = QStringLiteral("系统信息");
inline const QString SysInfoUnavailable = QStringLiteral("此时系统信息不可用");
} // namespace AboutText

// The channel cell editors' messages (title UiText::TitleNotice).
namespace EditingText {
inline const QString OutOfRange = QStringLiteral("请在正确的频率范围输入");
inline const QString OffRaster = QStringLiteral("输入的频率需为6.25K或5K的整数");
inline const QString UnknownItem = QStringLiteral("你输入的信令不存在，请核实！");
} // namespace EditingText

// Undo, whole channels, the clipboard and bulk changes (the 编辑 menu and the grid's context menu).
namespace RowText {
inline const QString MenuUndo = QStringLiteral("撤销(&U)");
inline const QString MenuRedo = QStringLiteral("重做(&R)");
inline const QString MenuCopy = QStringLiteral("复制");
inline const QString MenuCut = QStringLiteral("剪切");
inline const QString MenuPaste = QStringLiteral("粘贴");
inline const QString MenuInsertRow = QStringLiteral("插入空信道");
inline const QString MenuDeleteRow = QStringLiteral("删除信道");
inline const QString MenuMoveUp = QStringLiteral("上移");
inline const QString MenuMoveDown = QStringLiteral("下移");
inline const QString MenuClearRow = QStringLiteral("清空信道");
inline const QString MenuBulkEdit = QStringLiteral("批量修改…");

inline const QString LastChannelFallsOff =
    QStringLiteral("插入空信道后，第 %1 信道的数据将被移出信道表。是否继续？");
inline const QString PastePastEnd =
    QStringLiteral("粘贴的内容有 %1 个信道，从第 %2 信道起只能放下 %3 个。是否只粘贴放得下的信道？");
inline const QString PasteRefused = QStringLiteral("没有粘贴：第 %1 信道的“%2”不能是“%3”。");
inline const QString PasteUnknown =
    QStringLiteral("没有粘贴：剪贴板中的内容不是信道表格（每行应为 %1 或 %2 列，以制表符或逗号分隔）。");
inline const QString PasteEmpty = QStringLiteral("剪贴板中没有可粘贴的信道。");

inline const QString BulkCaption = QStringLiteral("批量修改");
inline const QString BulkChannels = QStringLiteral("所选信道：%1");
inline const QString BulkColumn = QStringLiteral("修改项目：");
inline const QString BulkValue = QStringLiteral("新值：");
inline const QString BulkOffset = QStringLiteral("频率偏移（MHz）：");
inline const QString BulkNoChannels =
    QStringLiteral("请先选择要修改的信道（单击信道号，按住 Shift 或 Ctrl 可多选）。");
inline const QString BulkRefused = QStringLiteral("没有修改：第 %1 信道的“%2”不能是“%3”。");
inline const QString BulkBadOffset = QStringLiteral("请输入频率偏移，例如 5 或 -0.6。");
} // namespace RowText

// CHIRP-compatible CSV in and out (文件 menu, drag and drop, the clipboard).
namespace CsvText {
inline const QString MenuImport = QStringLiteral("导入 CSV…");
inline const QString MenuExport = QStringLiteral("导出 CSV…");
inline const QString ImportTitle = QStringLiteral("导入 CSV");
inline const QString ExportTitle = QStringLiteral("导出 CSV");
inline const QString Filter = QStringLiteral("CSV(*.csv)|*.csv|") + UiText::AllFilesFilter;
inline const QString StartsAtZero = QStringLiteral(
    "这个文件的信道从 0 开始编号。是否从 1 开始重新编号后导入？\n（第 0 个位置成为第 1 信道，依此类推。）");
inline const QString Imported = QStringLiteral("已从 %2 导入 %1 个信道，其余信道已清空。");
inline const QString Exported = QStringLiteral("已导出 %1 个信道到 %2");
inline const QString NothingToExport = QStringLiteral("信道表中没有可导出的信道（没有接收频率）。");
inline const QString PasteRefused = QStringLiteral("没有粘贴：%1");
} // namespace CsvText

// The password dialog and the tune window.
namespace TuneText {
inline const QString LoginCaption = QStringLiteral("请输入进入调整模式的密码");
inline const QString WrongPassword = QStringLiteral("密码不正确，请重新输入");

inline const QString Caption = QStringLiteral("调整模式");
inline const QString NodeRoot = QStringLiteral("调整项");
inline const QString NodeFrequency = QStringLiteral("频率调整");
inline const QString NodePower = QStringLiteral("功率调整");
inline const QString NodeExit = QStringLiteral("退出调整");
inline const QString RadioModel = QStringLiteral("机型号：");
inline const QString LowEnd = QStringLiteral("低端频率(MHz)：");
inline const QString HighEnd = QStringLiteral("高端频率(MHz)：");
inline const QString IntermediateFrequency = QStringLiteral("中频：");
inline const QString Positive = QStringLiteral("正");
inline const QString Negative = QStringLiteral("负");
inline const QString Crystal = QStringLiteral("晶体：");
inline const QString Crystal13 = QStringLiteral("13MHz "); // the trailing space is the item's own
inline const QString Crystal144 = QStringLiteral("14.4MHz");
inline const QString PowerStep = QStringLiteral("功率调整：");
inline const QStringList PowerSteps = {QStringLiteral("-5"), QStringLiteral("-4"), QStringLiteral("-3"),
                                       QStringLiteral("-2"), QStringLiteral("-1"), QStringLiteral("0"),
                                       QStringLiteral("1"),  QStringLiteral("2"),  QStringLiteral("3"),
                                       QStringLiteral("4"),  QStringLiteral("5")};
inline const QString EnterNumber = QStringLiteral("请输入数字");
inline const QString RangeNotWritten =
    QStringLiteral("频率范围无法写入配置文件：%1\n新的频率范围只在本次运行中有效。");
} // namespace TuneText

// The port dialog, the progress window and the read and write commands.
namespace RadioText {
// frmDK
inline const QString PortDialogCaption = QStringLiteral("端口选择");
QString portName(int index);    // the button of port index (0-based): "COM1" ...
QString portChanged(int index); // the message after choosing port index

// frmWAIT
inline const QString ProgressCaption = QStringLiteral("正在向对讲机读取数据。。。");
inline const QString ConfirmCancel = QStringLiteral("确定要取消吗");
inline const QString ReadEscaped = QStringLiteral("读频错误，请重新读频！错误信息：");
inline const QString WriteEscaped = QStringLiteral("写频错误，请重新写频！错误信息：");

// The commands.
inline const QString ConfirmRead = QStringLiteral("确定要开始读频吗?");
inline const QString ReadCaption = QStringLiteral("读频进度显示");
inline const QString ConfirmWrite = QStringLiteral("确定要开始写频吗?");
// Before writing a table that lacks channels: the first and last missing channel.
QString confirmIncompleteWrite(int firstMissing, int last);
// The status bar while the document lacks channels.
QString incompleteStatus(int firstMissing, int last);
inline const QString WriteCaption = QStringLiteral("写频进度显示");

// The backups of reads and writes: the status bar notes, the line the message after a failed or
// cancelled read adds, and the folder command (title UiText::TitleNotice).
inline const QString BackupSaved = QStringLiteral("已备份到：%1");
inline const QString BackupFailed = QStringLiteral("备份没有保存：%1");
inline const QString ReceivedBackedUp = QStringLiteral("已收到的数据已备份到：%1");
inline const QString BackupFolderWontOpen = QStringLiteral("无法打开备份文件夹：%1");
// The serial trace of a transfer: named in the messages of one that failed, a note when it was not saved.
inline const QString TraceSaved = QStringLiteral("串口记录：%1");
inline const QString TraceFailed = QStringLiteral("串口记录没有保存：%1");
inline const QString TraceFolderWontOpen = QStringLiteral("无法打开日志文件夹：%1");
// The write options of the 编程 menu.
inline const QString MenuVerifyAfterWrite = QStringLiteral("写频后校验");
inline const QString MenuBackupBeforeWrite = QStringLiteral("写频前先备份并核对机型");
} // namespace RadioText

// The preview window and the print and preview commands (titles UiText::TitleNotice, UiText::TitleError).
namespace ReportText {
inline const QString PreviewCaption = QStringLiteral("打印预览");
inline const QString DocumentName = QStringLiteral("本机设置数据"); // the print job's name
inline const QString NoDefaultPrinter = QStringLiteral("没有设置默认打印机。");
inline const QString PrinterWontOpen = QStringLiteral("无法打开打印机“%1”，报表没有打印。");
inline const QString NoPrinter =
    QStringLiteral("没有设置默认打印机，无法打印。\n是否将报表另存为 PDF 文件？");
inline const QString PdfDialogTitle = QStringLiteral("另存为 PDF");
inline const QString PdfFilter = QStringLiteral("PDF 文件(*.pdf)|*.pdf|") + UiText::AllFilesFilter;
inline const QString PrintFailed = QStringLiteral("打印失败：%1");
inline const QString PdfFailed = QStringLiteral("无法保存 PDF 文件：%1");
} // namespace ReportText

#pragma once

#include <QString>

#include "image/frequency_check.h"
#include "link/transfer_action.h"
#include "link/transfer_session.h"
#include "link/write_sequence.h"

// The words of the transfers: the progress window's captions and the messages a read or a write shows.
// The desktop program and radiocps-cli both show them through these functions.
namespace TransferTexts {

enum class Icon { None, Information, Warning, Critical };

// A message as a face shows it.
struct Shown {
    Icon icon = Icon::None;
    QString title;
    QString text;

    bool operator==(const Shown& o) const { return icon == o.icon && title == o.title && text == o.text; }
};

QString caption(TransferCaption caption);
// A stage by itself: "读频", "读取备份", "写频", "校验".
QString stageName(TransferStage stage);
// The stage under way, for a job of several: "第 1 步，共 3 步：读取备份"; empty for a job of one stage.
QString stageLine(const QVector<TransferStage>& stages, int index);

// `applicationTitle` is the title of the messages that carry the program's name.
Shown message(const TransferMessage& message, const QString& applicationTitle);

// How an error value is shown, by both faces and by every command: the one mapping from an error to a
// message.
enum class ErrorForm {
    Coded,    // titled with its code, as the program reports a failed operation (a port, a read)
    Numbered, // "错误号：" code and description, titled "错误": an error in the settings blocks of a write
    Failed,  // a file that could not be written or read for a command, titled "错误"
    Refused, // input the program will not take, titled "错误"
};
Shown error(const Error& error, ErrorForm form = ErrorForm::Coded);

// A failed check before a write: a cell that is not a number as its error, titled with the code; a
// frequency outside the band naming the channel, the direction and the limits, titled "提示".
Shown writeCheck(const FrequencyCheck& check);
// The out-of-band text alone.
QString frequencyOutOfBand(const FrequencyCheck& check);
// Before a write to a port whose last radio was another model: both models named, and the question.
QString confirmOtherModel(const QString& radioModel, const QString& radioCode, const QString& documentModel,
                          const QString& documentCode);
// A refused write: the frequency check as writeCheck words it, else the first marked cell ("提示").
Shown writeRefusal(const TransferSession::WriteRefusal& refusal, const ChannelTable& table);
// The same as an error value, for the command line: the code of a cell that is not a number, else 5.
Error writeRefusalError(const TransferSession::WriteRefusal& refusal, const ChannelTable& table);

// How a write ended beyond the transfers' own messages: "写频完成，校验一致" after a matching read-back,
// the channels and blocks that differ, why the read-back failed, both models when the radio is another
// one, that nothing was written after a failed read before the write, or what the radio holds after a write
// that stopped part of the way. Empty text when there is nothing to add (a plain write, or one that failed
// before its first block).
Shown writeReport(const WriteSequence::Report& report);
// "写频没有完成：对讲机中第 1–N 信道已是新数据，其余仍是原来的数据。请重新写频。" and its forms for a write
// that stopped in the settings blocks.
QString unfinishedWrite(const WriteSequence::Unfinished& unfinished);
// Why a transfer did not complete, in a few words: "对讲机没有响应", "通信错误", "已取消" or the error.
QString failureReason(const TransferResult& result);
// "RC-160（机型代码 71）", or "未知机型（机型代码 99）".
QString modelText(const QString& name, const QString& code);
// The parts of an image that differ, "信道 3、5；设置数据块 A；填充数据块 200".
QString differencesText(const ImageDifferences& differences);

} // namespace TransferTexts

#include "texts/transfer_texts.h"

#include <QStringList>
#include <functional>

#include "texts/ui_texts.h"
#include "texts/validity_texts.h"

namespace TransferTexts {

QString caption(TransferCaption caption) {
    switch (caption) {
    case TransferCaption::Connecting:
        return QStringLiteral("正在连接对讲机。。。");
    case TransferCaption::Reading:
        return QStringLiteral("正在从对讲机读取数据。。。");
    case TransferCaption::Writing:
        return QStringLiteral("正在向对讲机写入数据。。。");
    case TransferCaption::NoAnswer:
        return QStringLiteral("无应答：请检查电缆连接、对讲机电源和端口选择");
    }
    return {};
}

QString stageName(TransferStage stage) {
    switch (stage) {
    case TransferStage::Read:
        return QStringLiteral("读频");
    case TransferStage::BackupRead:
        return QStringLiteral("读取备份");
    case TransferStage::Write:
        return QStringLiteral("写频");
    case TransferStage::Verify:
        return QStringLiteral("校验");
    }
    return {};
}

QString stageLine(const QVector<TransferStage>& stages, int index) {
    if (stages.size() < 2 || index < 0 || index >= stages.size())
        return {};
    return QStringLiteral("第 %1 步，共 %2 步：%3")
        .arg(index + 1)
        .arg(stages.size())
        .arg(stageName(stages[index]));
}

Shown error(const Error& error, ErrorForm form) {
    switch (form) {
    case ErrorForm::Coded:
        return {Icon::Information, QString::number(error.code), error.description};
    case ErrorForm::Numbered:
        return {Icon::Warning, UiText::TitleError,
                QStringLiteral("错误号：") + QString::number(error.code) + error.description};
    case ErrorForm::Failed:
        return {Icon::Critical, UiText::TitleError, error.description};
    case ErrorForm::Refused:
        return {Icon::Warning, UiText::TitleError, error.description};
    }
    return {};
}

Shown message(const TransferMessage& m, const QString& applicationTitle) {
    using Kind = TransferMessage::Kind;
    switch (m.kind) {
    case Kind::NoResponse:
        return {Icon::Information, QStringLiteral("信息提示"),
                QStringLiteral("通信端口没有响应，请确保连接正确和电源打开")};
    case Kind::LeftDuringHold:
        return {Icon::Information, QStringLiteral("信息提示"),
                QStringLiteral("询问是否取消期间，对讲机已退出编程状态，之后没有应答。请重新开始。")};
    case Kind::CommunicationError:
        return {Icon::None, applicationTitle, QStringLiteral("通信错误")};
    case Kind::CodedError:
        return error(m.error, ErrorForm::Coded);
    case Kind::ReadBlocksSent:
        return {Icon::None, applicationTitle,
                QStringLiteral("总共发送了") + QString::number(m.blocks) +
                    QStringLiteral("组数据,其中I_data的值为") + QString::number(m.iData)};
    case Kind::SettingsBlockError:
        return error(m.error, ErrorForm::Numbered);
    case Kind::WriteProgress:
        return {Icon::None, applicationTitle,
                QStringLiteral("其中进度条的值为") + QString::number(m.progress)};
    case Kind::WriteBlocksSent:
        return {Icon::None, applicationTitle,
                QStringLiteral("共发送了") + QString::number(m.blocks) +
                    QStringLiteral("组数据,其中i_data的值为") + QString::number(m.iData) +
                    QStringLiteral("strType的值为") + QString::number(m.strType)};
    }
    return {};
}

QString frequencyOutOfBand(const FrequencyCheck& check) {
    return QStringLiteral("第") + QString::number(check.row) +
           (check.transmit ? QStringLiteral("个信道数据的发射频率不合法，请在正确频率范围（")
                           : QStringLiteral("个信道数据的接收频率不合法，请在正确频率范围（")) +
           QString::number(check.lower) + QStringLiteral("Mhz--") + QString::number(check.upper) +
           QStringLiteral("Mhz）内输入");
}

Shown writeCheck(const FrequencyCheck& check) {
    if (check.verdict == FrequencyCheck::Verdict::NotANumber)
        return {Icon::Critical, QString::number(check.error.code), check.error.description};
    return {Icon::Information, UiText::TitleNotice, frequencyOutOfBand(check)};
}

Shown writeRefusal(const TransferSession::WriteRefusal& refusal, const ChannelTable& table) {
    if (!refusal.frequency)
        return writeCheck(refusal.frequency);
    return {Icon::Information, UiText::TitleNotice, writeRefusalError(refusal, table).description};
}

Error writeRefusalError(const TransferSession::WriteRefusal& refusal, const ChannelTable& table) {
    if (refusal.frequency.verdict == FrequencyCheck::Verdict::NotANumber)
        return refusal.frequency.error;
    if (!refusal.frequency)
        return {ErrorCode::InvalidArgument, frequencyOutOfBand(refusal.frequency)};
    if (refusal.cell)
        return {ErrorCode::InvalidArgument,
                ValidityText::writeRefused(table, *refusal.cell, refusal.limits, refusal.invalidCells)};
    return Error::none();
}

namespace {

QString joined(const QVector<int>& numbers, const std::function<QString(int)>& word) {
    QStringList parts;
    for (int n : numbers)
        parts << word(n);
    return parts.join(QStringLiteral("、"));
}

} // namespace

QString failureReason(const TransferResult& result) {
    switch (result.outcome) {
    case TransferResult::Outcome::Cancelled:
        return QStringLiteral("已取消");
    case TransferResult::Outcome::NoResponse:
        return QStringLiteral("对讲机没有响应");
    case TransferResult::Outcome::CommunicationError:
        return QStringLiteral("通信错误");
    default:
        return result.error.description.isEmpty() ? QStringLiteral("通信错误") : result.error.description;
    }
}

QString modelText(const QString& name, const QString& code) {
    return (name.isEmpty() ? QStringLiteral("未知机型") : name) + QStringLiteral("（机型代码 ") + code +
           QStringLiteral("）");
}

QString differencesText(const ImageDifferences& d) {
    QStringList parts;
    if (!d.channels.isEmpty())
        parts << QStringLiteral("信道 ") + joined(d.channels, [](int n) { return QString::number(n); });
    if (!d.settingsBlocks.isEmpty()) {
        parts << QStringLiteral("设置数据块 ") + joined(d.settingsBlocks, [](int n) {
                     return n == 0 ? QStringLiteral("A") : QStringLiteral("B");
                 });
    }
    if (!d.fillerBlocks.isEmpty())
        parts << QStringLiteral("填充数据块 ") +
                     joined(d.fillerBlocks, [](int n) { return QString::number(n); });
    return parts.join(QStringLiteral("；"));
}

QString confirmOtherModel(const QString& radioModel, const QString& radioCode, const QString& documentModel,
                          const QString& documentCode) {
    return QStringLiteral("这个端口上次连接的对讲机是") + modelText(radioModel, radioCode) +
           QStringLiteral("，要写入的是") + modelText(documentModel, documentCode) +
           QStringLiteral("，机型不同。确定要写入吗？");
}

Shown writeReport(const WriteSequence::Report& report) {
    using V = WriteSequence::Verdict;
    switch (report.verdict) {
    case V::Verified:
        return {Icon::Information, UiText::TitleNotice, QStringLiteral("写频完成，校验一致")};
    case V::Differs:
        return {Icon::Warning, UiText::TitleNotice,
                QStringLiteral("写频完成，但校验不一致：对讲机中的") + differencesText(report.differences) +
                    QStringLiteral(" 与写入的不同，请重新写频。")};
    case V::VerifyFailed:
        return {Icon::Warning, UiText::TitleNotice,
                QStringLiteral("写频已完成，但校验时读频失败（") + failureReason(report.verifyResult) +
                    QStringLiteral("），没有校验。")};
    case V::OtherModel:
        return {Icon::Critical, UiText::TitleNotice,
                QStringLiteral("对讲机是") + modelText(report.models.radioModel, report.models.radioCode) +
                    QStringLiteral("，要写入的是") +
                    modelText(report.models.documentModel, report.models.documentCode) +
                    QStringLiteral("：机型不同，没有写入。")};
    case V::PreReadFailed:
        return {Icon::Warning, UiText::TitleNotice, QStringLiteral("写频前读取对讲机失败，没有写入。")};
    case V::WriteFailed:
        if (report.unfinished)
            return {Icon::Warning, UiText::TitleNotice, unfinishedWrite(*report.unfinished)};
        break;
    case V::Pending:
    case V::Written:
        break;
    }
    return {};
}

QString unfinishedWrite(const WriteSequence::Unfinished& u) {
    QString held;
    if (u.channels > 0) {
        held = QStringLiteral("对讲机中第 %1 信道已是新数据，其余仍是原来的数据")
                   .arg(u.channels == 1 ? QStringLiteral("1") : QStringLiteral("1–%1").arg(u.channels));
    } else if (u.settingsBlocks == 2) {
        held = QStringLiteral("对讲机中的设置数据块 A、B 已是新数据，信道仍是原来的数据");
    } else if (u.settingsBlocks == 1) {
        held = QStringLiteral("对讲机中的设置数据块 A 已是新数据，设置数据块 B 和信道仍是原来的数据");
    } else {
        held = QStringLiteral("对讲机中的信道仍是原来的数据，设置数据块 A 可能已是新数据");
    }
    return QStringLiteral("写频没有完成：") + held + QStringLiteral("。请重新写频。");
}

} // namespace TransferTexts

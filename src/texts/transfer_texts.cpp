#include "texts/transfer_texts.h"

#include "texts/ui_texts.h"

namespace TransferTexts {

QString caption(TransferCaption caption) {
    switch (caption) {
    case TransferCaption::Connecting:
        return QStringLiteral("正在连接对讲机。。。");
    case TransferCaption::Reading:
        return QStringLiteral("正在从对讲机读取数据。。。");
    case TransferCaption::Writing:
        return QStringLiteral("正在向对讲机写入数据。。。");
    }
    return {};
}

QString errorNumberText(const Error& error) {
    return QStringLiteral("错误号：") + QString::number(error.code) + error.description;
}

Shown message(const TransferMessage& m, const QString& applicationTitle) {
    using Kind = TransferMessage::Kind;
    switch (m.kind) {
    case Kind::NoResponse:
        return {Icon::Information, QStringLiteral("信息提示"),
                QStringLiteral("通信端口没有响应，请确保连接正确和电源打开")};
    case Kind::CommunicationError:
        return {Icon::None, applicationTitle, QStringLiteral("通信错误")};
    case Kind::CodedError:
        return {Icon::Information, QString::number(m.error.code), m.error.description};
    case Kind::ReadBlocksSent:
        return {Icon::None, applicationTitle,
                QStringLiteral("总共发送了") + QString::number(m.blocks) +
                    QStringLiteral("组数据,其中I_data的值为") + QString::number(m.iData)};
    case Kind::SettingsBlockError:
        return {Icon::Warning, UiText::TitleError, errorNumberText(m.error)};
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

} // namespace TransferTexts

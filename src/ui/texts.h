#pragma once

#include <QString>

// Captions, menu items and messages of the main window and its model dialog, in one place.
namespace UiText {

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
inline const QString MenuEdit = QStringLiteral("编辑(&E)");
inline const QString MenuTune = QStringLiteral("调整模式(&T)");
inline const QString MenuPortMenu = QStringLiteral("端口选择(&C)");
inline const QString MenuPort = QStringLiteral("选择端口(&P)");
inline const QString MenuHelp = QStringLiteral("帮助(&H)");
inline const QString MenuAbout = QStringLiteral("关于(&A)");

// Toolbar buttons, left to right.
inline const QString ToolNew = QStringLiteral("新建");
inline const QString ToolOpen = QStringLiteral("打开");
inline const QString ToolSave = QStringLiteral("另存");
inline const QString ToolPrint = QStringLiteral("打印");
inline const QString ToolRead = QStringLiteral("读频");
inline const QString ToolWrite = QStringLiteral("写频");

// Frames and labels.
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

// Model dialog.
inline const QString ModelDialogCaption = QStringLiteral("机型选择");
inline const QString ModelDialogPrompt = QStringLiteral("请选择新建机型");
inline const QString Ok = QStringLiteral("确定");
inline const QString Cancel = QStringLiteral("取消");

// Message titles.
inline const QString TitleNotice = QStringLiteral("提示");
inline const QString TitleInformation = QStringLiteral("信息提示");
inline const QString TitleError = QStringLiteral("错误");

// Channel files.
inline const QString ChannelFileFilter = QStringLiteral("qfd(*.qfd)|*.qfd|所有文件(*.*)|*.*");
inline const QString OpenDialogTitle = QStringLiteral("打开");
inline const QString SaveDialogTitle = QStringLiteral("另存为");
inline const QString Saved = QStringLiteral("保存成功");
inline const QString FileIncomplete = QStringLiteral("输入超出文件尾：文件只有 %1 行，应有 %2 行");

// Start-up.
inline const QString IconNotFound = QStringLiteral("文件未找到：%1");
inline const QString IconInvalid = QStringLiteral("无效的图片：%1");

} // namespace UiText

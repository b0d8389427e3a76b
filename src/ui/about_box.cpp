#include "ui/about_box.h"

#include <QFileInfo>
#include <QFont>
#include <QGridLayout>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "config/app_config.h"
#include "texts/ui_texts.h"
#include "ui/prompter.h"

namespace {

// Where the system information program registers itself: its full path first, else the folder it lives in.
const QString kSysInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kSysInfoValue = QStringLiteral("PATH");
const QString kSysInfoLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString kSysInfoLocationValue = QStringLiteral("MSINFO");
const QString kSysInfoProgram = QStringLiteral("\\MSINFO32.EXE");

// The picture sits beside the title; a larger one would push the texts aside.
constexpr int kPictureSize = 64;

QString description(const QString& type) {
    return AboutText::DescriptionPrefix + AboutText::DescriptionGap + type + AboutText::DescriptionSeries +
           type + AboutText::DescriptionSuffix;
}

} // namespace

AboutBox::AboutBox(const QString& configPath, Prompter& prompter, SystemInfoPlatform& platform,
                   QWidget* parent)
    : QDialog(parent), configPath_(configPath), prompter_(prompter), platform_(platform) {
    setObjectName(QStringLiteral("frmAbout"));
    setModal(true);

    picIcon_ = new QLabel(this);
    picIcon_->setObjectName(QStringLiteral("picIcon"));
    picIcon_->setFixedSize(kPictureSize, kPictureSize);
    picIcon_->setAlignment(Qt::AlignCenter);
    lblTitle_ = new QLabel(this);
    lblTitle_->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle_->font();
    titleFont.setBold(true);
    if (titleFont.pointSizeF() > 0) // a font sized in pixels keeps its size
        titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    lblTitle_->setFont(titleFont);
    lblVersion_ = new QLabel(this);
    lblVersion_->setObjectName(QStringLiteral("lblVersion"));
    lblDescription_ = new QLabel(this);
    lblDescription_->setObjectName(QStringLiteral("lblDescription"));
    lblDescription_->setWordWrap(true);
    lblDescription_->setMinimumWidth(320);
    lblDisclaimer_ = new QLabel(AboutText::Disclaimer, this);
    lblDisclaimer_->setObjectName(QStringLiteral("lblDisclaimer"));
    lblDisclaimer_->setWordWrap(true);
    cmdOK_ = new QPushButton(UiText::Ok, this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    cmdSysInfo_ = new QPushButton(AboutText::SysInfo, this);
    cmdSysInfo_->setObjectName(QStringLiteral("cmdSysInfo"));

    // Picture left of the texts; the warning under them with the buttons at its right.
    auto* grid = new QGridLayout(this);
    grid->addWidget(picIcon_, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(lblTitle_, 0, 1, 1, 2);
    grid->addWidget(lblVersion_, 1, 1, 1, 2);
    grid->addWidget(lblDescription_, 2, 1, 1, 2);
    grid->setRowStretch(3, 1);
    grid->addWidget(lblDisclaimer_, 4, 0, 2, 2);
    grid->addWidget(cmdOK_, 4, 2);
    grid->addWidget(cmdSysInfo_, 5, 2);
    grid->setColumnStretch(1, 1);

    connect(cmdOK_, &QPushButton::clicked, this, &AboutBox::accept);
    connect(cmdSysInfo_, &QPushButton::clicked, this, &AboutBox::StartSysInfo);

    load();
}

void AboutBox::load() {
    setWindowTitle(AboutText::Caption);
    lblTitle_->setText(AboutText::Title);
    const AboutConfig config = AboutConfig::read(configPath_, QFileInfo(configPath_).absolutePath());
    loadPicture(config.pictureKey, config.picturePath);
    lblDescription_->setText(description(config.type));
    lblVersion_->setText(config.version);
}

void AboutBox::loadPicture(const QString& pictureKey, const QString& path) {
    QImage image;
    // An empty key would name the folder itself.
    if (!pictureKey.isEmpty() && QFileInfo(path).isFile())
        image = QImageReader(path).read();
    if (image.isNull()) {
        picIcon_->clear();
        picIcon_->hide();
        return;
    }
    if (image.width() > kPictureSize || image.height() > kPictureSize)
        image = image.scaled(kPictureSize, kPictureSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    picIcon_->setPixmap(QPixmap::fromImage(image));
    picIcon_->show();
}

bool AboutBox::GetKeyValue(RegistryRoot root, const QString& keyPath, const QString& valueName,
                           QString* result) {
    QString value;
    const bool read = platform_.readRegistryValue(root, keyPath, valueName, &value);
    if (!read)
        value.clear();
    // Registry strings may carry their terminator.
    while (value.endsWith(QChar(u'\0')))
        value.chop(1);
    if (result)
        *result = value;
    return read;
}

bool AboutBox::tryStartSysInfo() {
    QString path;
    if (GetKeyValue(RegistryRoot::LocalMachine, kSysInfoKey, kSysInfoValue, &path) && !path.isEmpty())
        return platform_.startProgram(path);
    QString folder;
    if (!GetKeyValue(RegistryRoot::LocalMachine, kSysInfoLocationKey, kSysInfoLocationValue, &folder) ||
        folder.isEmpty())
        return false;
    const QString program = folder + kSysInfoProgram;
    return platform_.fileExists(program) && platform_.startProgram(program);
}

void AboutBox::StartSysInfo() {
    if (!tryStartSysInfo())
        prompter_.message(this, Prompter::Icon::Information, windowTitle(), AboutText::SysInfoUnavailable);
}

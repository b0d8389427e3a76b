#pragma once

#include <QDialog>

#include "ui/system_info.h"

class Prompter;
class QLabel;
class QPushButton;

// frmAbout: the program's name, description and version from the [PcHelp] keys of the configuration file,
// its picture, and a button that starts the system information program where the system has one.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    // The application folder is the folder of the configuration file. The box loads itself.
    AboutBox(const QString& configPath, Prompter& prompter, SystemInfoPlatform& platform,
             QWidget* parent = nullptr);

    // Fills the texts and the picture from the configuration file; reading it again picks up changes.
    // A picture that is missing or cannot be read leaves the box without one, silently.
    void load();

    // A registry value as text, a trailing NUL removed; on failure *result is "" and false is returned.
    bool GetKeyValue(RegistryRoot root, const QString& keyPath, const QString& valueName, QString* result);
    // Starts the program the registry names; tells the user when there is none or it will not start.
    void StartSysInfo();

    QLabel* picture() const { return picIcon_; }
    QLabel* titleLabel() const { return lblTitle_; }
    QLabel* descriptionLabel() const { return lblDescription_; }
    QLabel* versionLabel() const { return lblVersion_; }
    QPushButton* okButton() const { return cmdOK_; }
    QPushButton* sysInfoButton() const { return cmdSysInfo_; }

private:
    void loadPicture(const QString& pictureKey, const QString& path);
    bool tryStartSysInfo();

    QString configPath_;
    Prompter& prompter_;
    SystemInfoPlatform& platform_;
    QLabel* picIcon_;
    QLabel* lblTitle_;
    QLabel* lblDescription_;
    QLabel* lblVersion_;
    QLabel* lblDisclaimer_;
    QPushButton* cmdOK_;
    QPushButton* cmdSysInfo_;
};

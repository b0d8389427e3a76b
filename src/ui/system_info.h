#pragma once

#include <QString>

enum class RegistryRoot { LocalMachine, CurrentUser };

// What the about box needs from the operating system to find and start the system information program.
// Tests answer it from a table.
class SystemInfoPlatform {
public:
    virtual ~SystemInfoPlatform() = default;

    // A value of a registry key as text; false when the key or the value is not there.
    virtual bool readRegistryValue(RegistryRoot root, const QString& keyPath, const QString& valueName,
                                   QString* value) = 0;
    // Whether the path names an existing file (a folder does not count).
    virtual bool fileExists(const QString& path) = 0;
    // Starts the program detached from this one, in a normal focused window; false when it cannot start.
    virtual bool startProgram(const QString& program) = 0;
};

// The platform the program runs on. There is no registry on Linux and macOS, so readRegistryValue always
// fails there and the about box reports that system information is unavailable.
class HostSystemInfo : public SystemInfoPlatform {
public:
    bool readRegistryValue(RegistryRoot root, const QString& keyPath, const QString& valueName,
                           QString* value) override;
    bool fileExists(const QString& path) override;
    bool startProgram(const QString& program) override;
};

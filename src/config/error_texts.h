#pragma once

#include <QString>

// The descriptions of the core's errors, each built from its numbers and names in one place. Where a
// description begins with the wording of its error code ("类型不匹配：", "路径/文件访问错误：" ...), that
// wording belongs to the code in error.h.
namespace ErrorText {

// Files.
QString fileNotFound(const QString& path);                      // FileNotFound
QString fileAccess(const QString& reason);                      // PathFileAccess
QString fileAccess(const QString& path, const QString& reason); // PathFileAccess, naming the file
QString pathNotFound(const QString& folder);                    // PathNotFound
QString cannotRemove(const QString& path);                      // PermissionDenied
QString notRegularFile(const QString& path);                    // PathFileAccess: a folder, FIFO or device

// The frequency limits of the tune window. Either or both of the limits may be wrong.
QString limitsNotThreeDigits(const QString& low, bool lowWrong, const QString& high, bool highWrong);

// Channel files; lines and bytes count from 1.
QString blankLine(int line);
QString wrongByteCount(int line, int count);
QString notHexByte(int line, int byte, const QString& token);
QString emptyFile();
QString noModelForCode(const QString& code);
QString noModelChosen();
QString frequencyNotANumber(int channel, const QString& cell); // the check before a write

// CHIRP's CSV files; lines count from 1 as in the file, columns are named by their CHIRP header.
QString csvNoHeader();                                                        // InputPastEnd
QString csvMissingColumn(int line, const QString& column);                    // TypeMismatch
QString csvNotANumber(int line, const QString& column, const QString& text);  // TypeMismatch
QString csvNoSuchChoice(int line, const QString& column, const QString& text, // InvalidPropertyValue
                        const QString& choices);
QString csvNoSuchTone(int line, const QString& column, const QString& text); // InvalidPropertyValue
QString csvNoSuchCode(int line, const QString& column, const QString& text); // InvalidPropertyValue
QString csvReverseSquelch(int line, const QString& mode);                    // InvalidPropertyValue
QString csvOutOfBand(int line, const QString& column, const QString& mhz, int lower,
                     int upper);                                           // InvalidPropertyValue
QString csvOffRaster(int line, const QString& column, const QString& mhz); // InvalidPropertyValue
QString csvLocationOutOfRange(int line, int location, int channels);       // SubscriptOutOfRange
QString csvLocationRepeated(int line, int location, int firstLine);        // InvalidPropertyValue
QString csvBadTag(int line, const QString& tag);                           // InvalidPropertyValue

// The settings lists and the settings blocks.
QString noSuchItem(const QString& list, int index);
QString badTimeoutByte(const QString& byte);
QString squelchNotDecimal(const QString& byte);
QString badSquelchByte(const QString& byte);
QString badPriorityByte(const QString& byte);
QString settingsUndecided();

// The serial port; reason is the system's own explanation.
QString noPortChosen();
QString portNotFound(const QString& device, const QString& reason);
QString portForbidden(const QString& device, const QString& reason);
QString portInUse(const QString& device, const QString& reason);
QString portWontOpen(const QString& device, const QString& reason);
QString portLost(const QString& device, const QString& reason);
QString portSettingsRefused(const QString& device, const QString& settings, const QString& reason);

// The printer and the PDF writer (PrinterError); pages count from 1.
QString pageRefused(int page);
QString documentRefused();
QString pdfNotCreated(const QString& path);

} // namespace ErrorText

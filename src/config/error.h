#pragma once

#include <QString>

// An error travels as a value: a code in the style of the original platform's runtime error
// numbers, and a description that the face shows as it stands. The descriptions are built in
// error_texts.h.
struct Error {
    int code = 0;
    QString description;

    bool isError() const { return code != 0; }
    static Error none() { return {}; }
};

namespace ErrorCode {
constexpr int InvalidArgument = 5;        // invalid procedure call or argument
constexpr int SubscriptOutOfRange = 9;    // an index outside a table
constexpr int TypeMismatch = 13;          // a malformed token
constexpr int FileNotFound = 53;          // no such file
constexpr int InputPastEnd = 62;          // a file that ended early
constexpr int PermissionDenied = 70;      // no permission
constexpr int PathFileAccess = 75;        // a file could not be read or written
constexpr int PathNotFound = 76;          // no such folder
constexpr int PrinterError = 482;         // a printer or PDF writer refused a page or the document
constexpr int InvalidPropertyValue = 380; // a value that a list cannot take
constexpr int NoSuchPort = 8002;          // the serial port does not exist
constexpr int PortInUse = 8005;           // the serial port is already open elsewhere
constexpr int PortPermission = 8010;      // not allowed to use the serial port
constexpr int PortFailure = 8015;         // the serial port failed or disappeared
constexpr int NoResponse = 8020;          // the radio did not answer in time
constexpr int Communication = 8021;       // the radio answered wrongly
} // namespace ErrorCode

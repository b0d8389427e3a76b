#pragma once

// The intervals of the radio link. Tests shorten them through LinkTimings, and radiocps-cli --timeout sets
// the no-response interval; the desktop program uses them as they stand.
namespace LinkTiming {
constexpr int kStartDelayMs = 500;   // the progress window starts the transfer this long after it shows
constexpr int kNoResponseMs = 60000; // the radio must answer within this time
constexpr int kWakeUpPacingMs = 100; // one wake-up byte about every this many milliseconds
// After the last byte of a transfer, before the port closes: a 12-byte frame takes 12.5 ms at 9600 baud,
// and a port closed earlier may drop what is still on its way (USB adapters, the virtual radio's wire).
constexpr int kDrainMs = 25;
// A wake-up that has heard nothing at all for this long tells the user to check cable, power and port,
// long before the no-response timer gives up.
constexpr int kNoAnswerHintMs = 5000;
} // namespace LinkTiming

struct LinkTimings {
    int startDelayMs = LinkTiming::kStartDelayMs;
    int noResponseMs = LinkTiming::kNoResponseMs;
    int wakeUpPacingMs = LinkTiming::kWakeUpPacingMs;
    int drainMs = LinkTiming::kDrainMs;
    int noAnswerHintMs = LinkTiming::kNoAnswerHintMs;
};

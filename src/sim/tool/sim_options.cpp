#include "sim_options.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

#include "image/block_address.h"

namespace {

const char* const kFaultHelp = "Faults (--fault KIND); blocks count from 1 in address order:\n"
                               "  silent     never answers, not even the wake-up sequence\n"
                               "  noack:N    answers block N once with 15 instead of 06\n"
                               "             (read: after the tool's 06; write: the frame is not stored)\n"
                               "  short:N    replies to the read request of block N once with 11 bytes\n"
                               "  long:N     replies to the read request of block N once with 13 bytes\n"
                               "  stop:N     answers nothing from block N on\n"
                               "  hangup:N   hangs up the line at block N and exits\n"
                               "  flip:N     stores the write frame of block N (the N-th frame of a write,\n"
                               "             address 8 * (N - 1)) once with its first data byte XOR 01,\n"
                               "             yet acknowledges it as usual: only a read-back finds it\n"
                               "With --swap, the fault belongs to the first radio only.\n"
                               "\n"
                               "Sessions: after the last block of a read or a write, and after --idle\n"
                               "seconds without a byte in the middle of one, the radio waits for the\n"
                               "wake-up sequence again, so the next transfer needs no restart.\n"
                               "\n"
                               "A fleet (--swap S [--radios N]): once the tool is through with a radio (it\n"
                               "had a session, and now the tool only checks with a wake-up that it is\n"
                               "still there), the radio leaves the cable; S seconds of silence later a\n"
                               "fresh radio with the starting memory answers. S must be longer than the\n"
                               "tool's gap, or the tool takes the fresh radio for the old one.\n";

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption image{QStringLiteral("image"), QStringLiteral("Memory from a channel file."),
                             QStringLiteral("FILE")};
    QCommandLineOption blocks{
        QStringLiteral("blocks"),
        QStringLiteral("Memory size, 128 or 256 blocks (default 128, or the size of --image)."),
        QStringLiteral("N")};
    QCommandLineOption baud{
        QStringLiteral("baud"),
        QStringLiteral("Pace both directions at N baud, 10 bits a byte (default: no pacing)."),
        QStringLiteral("N")};
    QCommandLineOption link{QStringLiteral("link"),
                            QStringLiteral("Also make PATH a symbolic link to the device (removed on exit)."),
                            QStringLiteral("PATH")};
    QCommandLineOption save{
        QStringLiteral("save"),
        QStringLiteral("Save the memory as a channel file whenever the tool closes the device, and on exit."),
        QStringLiteral("FILE")};
    QCommandLineOption fault{QStringLiteral("fault"), QStringLiteral("Misbehave (see the list above)."),
                             QStringLiteral("KIND")};
    QCommandLineOption stats{QStringLiteral("stats"),
                             QStringLiteral("Write byte counts and block-phase timing to FILE on exit."),
                             QStringLiteral("FILE")};
    QCommandLineOption idle{
        QStringLiteral("idle"),
        QStringLiteral("End a session after S seconds without a byte (default 2; 0: never)."),
        QStringLiteral("S")};
    QCommandLineOption swap{
        QStringLiteral("swap"),
        QStringLiteral("A fleet of radios: a fresh one S seconds after each leaves (see above)."),
        QStringLiteral("S")};
    QCommandLineOption radios{
        QStringLiteral("radios"),
        QStringLiteral("With --swap: exit once N radios have left (default: no limit)."),
        QStringLiteral("N")};

    Parser() {
        parser.setApplicationDescription(
            QStringLiteral(
                "A virtual radio on a pseudo-terminal. Prints the device path on stdout, answers the "
                "programming protocol and saves its memory as a channel file on exit.\n\n") +
            QLatin1String(kFaultHelp));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOptions({image, blocks, baud, link, save, fault, stats, idle, swap, radios});
    }
};

// Seconds as milliseconds, 0 ... a day; false for anything else.
bool seconds(const QString& text, int* ms) {
    bool ok = false;
    const double s = text.toDouble(&ok);
    if (!ok || s < 0 || s > 24 * 3600)
        return false;
    *ms = s > 0 ? qMax(1, int(s * 1000)) : 0;
    return true;
}

QString numbers(const Parser& p, SimOptions* o) {
    const QCommandLineParser& q = p.parser;
    bool ok = true;
    if (q.isSet(p.blocks)) {
        o->blocks = q.value(p.blocks).toInt();
        if (o->blocks != blockCount(1) && o->blocks != blockCount(2))
            return QStringLiteral("--blocks must be 128 or 256");
    }
    if (q.isSet(p.baud) && ((o->baud = q.value(p.baud).toInt(&ok)) <= 0 || !ok))
        return QStringLiteral("--baud must be a positive number");
    if (q.isSet(p.idle) && !seconds(q.value(p.idle), &o->idleMs))
        return QStringLiteral("--idle must be a number of seconds, 0 or more");
    if (q.isSet(p.swap) && !seconds(q.value(p.swap), &o->swapMs))
        return QStringLiteral("--swap must be a number of seconds, 0 or more");
    if (q.isSet(p.radios) && ((o->radios = q.value(p.radios).toInt(&ok)) <= 0 || !ok))
        return QStringLiteral("--radios must be a positive number");
    if (q.isSet(p.radios) && !q.isSet(p.swap))
        return QStringLiteral("--radios needs --swap");
    if (Error e = RadioFault::parse(q.value(p.fault), &o->fault); e.isError())
        return e.description;
    return {};
}

void printOut(const QString& text) {
    fputs(text.toLocal8Bit().constData(), stdout);
}

} // namespace

void printSimError(const QString& text) {
    fprintf(stderr, "radiocps-sim: %s\n", text.toLocal8Bit().constData());
}

int parseSimOptions(const QStringList& arguments, SimOptions* options) {
    Parser p;
    if (!p.parser.parse(arguments)) {
        printSimError(p.parser.errorText());
        return SimExit::kUsage;
    }
    if (p.parser.isSet(QStringLiteral("help"))) {
        printOut(p.parser.helpText());
        return SimExit::kSuccess;
    }
    if (p.parser.isSet(QStringLiteral("version"))) {
        printOut(QCoreApplication::applicationName() + QLatin1Char(' ') +
                 QCoreApplication::applicationVersion() + QLatin1Char('\n'));
        return SimExit::kSuccess;
    }
    if (!p.parser.positionalArguments().isEmpty()) {
        printSimError(QStringLiteral("unexpected argument ") + p.parser.positionalArguments().first());
        return SimExit::kUsage;
    }
    if (const QString problem = numbers(p, options); !problem.isEmpty()) {
        printSimError(problem);
        return SimExit::kUsage;
    }
    options->image = p.parser.value(p.image);
    options->link = p.parser.value(p.link);
    options->save = p.parser.value(p.save);
    options->stats = p.parser.value(p.stats);
    return -1;
}

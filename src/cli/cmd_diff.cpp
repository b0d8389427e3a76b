// radiocps-cli diff A B [--config INI]: what differs between two channel sets, one line per difference.
#include "cli/channel_input.h"
#include "cli/cli_support.h"
#include "cli/command_registry.h"
#include "document/document_diff.h"
#include "document/radio_document.h"
#include "texts/cli_texts.h"

namespace {

const QString kDiffUsage = QStringLiteral("diff A B [--config INI]");

// diff's own exit codes: "different" is 1 as for the diff tools people know, so a file that cannot be
// compared needs a code no other outcome of diff has.
constexpr int kDifferent = 1;
constexpr int kCannotCompare = 5;

QString shown(const QString& value) {
    return value.trimmed().isEmpty() ? CliText::EmptyValue : value;
}

QString nameOf(const DocumentDifference& d) {
    static const QList<QPair<QString, QString>> names{
        {QStringLiteral("model"), CliText::ModelName},
        {QStringLiteral("code"), CliText::ModelCode},
        {QStringLiteral("channels"), CliText::ChannelCount},
        {QStringLiteral("layout"), CliText::LayoutName},
        {QStringLiteral("optJT"), CliText::TuneCrystal},
        {QStringLiteral("Option1"), CliText::TunePolarity},
        {QStringLiteral("sPower"), CliText::TunePower},
        {QStringLiteral("function"), CliText::FunctionByte},
        {QStringLiteral("voice"), CliText::VoiceByte},
    };
    for (const auto& [key, word] : names) {
        if (key == d.name)
            return word;
    }
    return d.name;
}

QString line(const DocumentDifference& d) {
    using Kind = DocumentDifference::Kind;
    const QString a = shown(d.a);
    const QString b = shown(d.b);
    switch (d.kind) {
    case Kind::Model:
        return CliText::DiffModel.arg(nameOf(d), a, b);
    case Kind::Cell:
        return CliText::DiffCell.arg(d.channel).arg(d.name, a, b);
    case Kind::List:
        return CliText::DiffSetting.arg(d.name, a, b);
    case Kind::Tune:
        return CliText::DiffTune.arg(nameOf(d), a, b);
    case Kind::KeptByte:
        return CliText::DiffKeptByte.arg(nameOf(d), a, b);
    }
    return QString();
}

int runDiff(const QStringList& args) {
    Cli::Arguments a;
    QString problem;
    if (!Cli::parse(args, {QStringLiteral("--config")}, {}, &a, &problem) || a.positional.size() != 2) {
        if (!problem.isEmpty())
            Cli::printErr(problem);
        return Cli::usage(kDiffUsage);
    }
    RadioDocument left;
    RadioDocument right;
    for (const auto& [document, path] :
         {std::pair{&left, a.positional[0]}, std::pair{&right, a.positional[1]}}) {
        if (Error e = Cli::readChannelSet(a, path, document); e.isError()) {
            // Say which of the two files it was, unless the message does.
            if (!e.description.contains(path))
                e.description = path + QStringLiteral(": ") + e.description;
            Cli::fail(e);
            return kCannotCompare;
        }
        if (!document->isComplete())
            Cli::printErr(path + QStringLiteral(": ") + CliText::InputIncomplete);
    }
    const DocumentDifferences differences = compareChannelSets(left.contents(), right.contents());
    for (const DocumentDifference& d : differences)
        Cli::printOut(line(d));
    if (differences.isEmpty()) {
        Cli::printErr(CliText::DiffSame);
        return Cli::kSuccess;
    }
    Cli::printErr(CliText::DiffCount.arg(differences.size()));
    return kDifferent;
}

const CliCommandRegistrar diffCommand(
    QStringLiteral("diff"),
    {kDiffUsage + QStringLiteral("   list what differs between two channel files (.qfd or .json)"), runDiff,
     CliText::DiffHelp});

} // namespace

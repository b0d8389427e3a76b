// radiocps-cli convert IN OUT [--config INI] [--base FILE.qfd | --model NAME --band 0|1] [--renumber]
// [--skip-unfit]: .qfd, .json and CHIRP's .csv, by extension
#include <QJsonDocument>

#include "cli/channel_input.h"
#include "cli/cli_support.h"
#include "cli/command_registry.h"
#include "config/error_texts.h"
#include "config/safe_file.h"
#include "document/radio_document.h"
#include "image/chirp_csv.h"
#include "image/json_form.h"
#include "texts/cli_texts.h"
#include "texts/import_texts.h"

namespace {

const QString kConvertUsage =
    QStringLiteral("convert IN OUT [--config INI] [--base FILE.qfd | --model NAME --band 0|1] [--renumber] "
                   "[--skip-unfit]");
const QString kConvertHelp =
    kConvertUsage + QStringLiteral("   between .qfd, .json and CHIRP's .csv (by extension); "
                                   "a .csv is read into --base's model or a new --model table");

bool hasSuffix(const QString& path, const char* suffix) {
    return path.endsWith(QLatin1String(suffix), Qt::CaseInsensitive);
}

// The model a CSV file goes into: that of --base (its settings too), or a new table of --model and --band
// with the start-up settings, as the desktop program's 新建 gives it.
Error prepareModel(const Cli::Arguments& args, RadioDocument* document) {
    if (const auto base = args.option(QStringLiteral("--base")))
        return Cli::openDocument(args, *base, document);
    if (Error e = Cli::prepareDocument(args, document); e.isError())
        return e;
    const QString name = *args.option(QStringLiteral("--model"));
    for (int i = 0; i < ModelTable::kSize; ++i) {
        const ModelEntry& entry = document->models().entries[i];
        if (!entry.isEmpty() && entry.name.compare(name, Qt::CaseInsensitive) == 0) {
            document->chooseModel(i);
            document->selectBand(args.option(QStringLiteral("--band"))->toInt(), true);
            return Error::none();
        }
    }
    return {ErrorCode::InvalidArgument, CliText::NoSuchModel.arg(name)};
}

// By default a list is taken whole or not at all, every problem named; with --skip-unfit the channels that
// fit are taken and the rest is said on stderr. What the channels lose is said either way.
Error readCsv(const Cli::Arguments& args, const QString& path, RadioDocument* document) {
    if (Error e = prepareModel(args, document); e.isError())
        return e;
    QByteArray bytes;
    if (Error e = readRegularFile(path, &bytes); e.isError())
        return e;
    const bool skipUnfit = args.has(QStringLiteral("--skip-unfit"));
    const bool renumber = args.has(QStringLiteral("--renumber"));
    ChirpCsv::ReadOptions options = ChirpCsv::optionsFor(document->table(), document->frequencyLimits());
    options.renumber = renumber && !skipUnfit;
    options.inFileOrder = renumber && skipUnfit;
    ChirpCsv::ReadResult read;
    const Error refusal = ChirpCsv::read(bytes, options, &read);
    if (!read.isChirpFile)
        return refusal;
    if (refusal.isError() && !skipUnfit) {
        if (read.startsAtZero && !options.renumber)
            Cli::printErr(CliText::CsvStartsAtZero);
        return {refusal.code, refusal.description + QLatin1Char('\n') + ImportTexts::SkipUnfitHint};
    }
    for (const QString& line : ImportTexts::problemLines(read))
        Cli::printErr(ImportTexts::SkippedLine.arg(line));
    for (const QString& line : ImportTexts::lossLines(read))
        Cli::printErr(ImportTexts::LostLine.arg(line));
    if (ImportTexts::usableCount(read) == 0)
        return {ErrorCode::InvalidArgument, ImportTexts::NothingToImport};
    if (skipUnfit)
        Cli::printErr(ImportTexts::SkipUnfitDone.arg(ImportTexts::usableCount(read))
                          .arg(ImportTexts::leftOutCount(read)));
    document->setTable(ChirpCsv::tableOf(read.channels, options.layout, options.channelCount));
    return Error::none();
}

Error readState(const Cli::Arguments& args, const QString& path, RadioDocument* document) {
    if (hasSuffix(path, ".csv"))
        return readCsv(args, path, document);
    return Cli::readChannelSet(args, path, document);
}

Error writeState(const QString& path, RadioDocument& document) {
    if (hasSuffix(path, ".csv"))
        return writeFileAtomically(path, ChirpCsv::write(document.table()));
    if (hasSuffix(path, ".json"))
        return writeFileAtomically(
            path, QJsonDocument(JsonForm::toJson(document.contents())).toJson(QJsonDocument::Indented));
    return document.saveFile(path);
}

// What the options allow: the model options only for a CSV input, and then exactly one way to name the model.
QString optionProblem(const Cli::Arguments& a) {
    const bool base = a.option(QStringLiteral("--base")).has_value();
    const bool model = a.option(QStringLiteral("--model")).has_value();
    const auto band = a.option(QStringLiteral("--band"));
    if (!hasSuffix(a.positional[0], ".csv"))
        return base || model || band || a.has(QStringLiteral("--renumber")) ||
                       a.has(QStringLiteral("--skip-unfit"))
                   ? CliText::CsvOptionsWithoutCsv
                   : QString();
    if (base == model)
        return CliText::CsvNeedsModel;
    if (model && (!band || (*band != QLatin1String("0") && *band != QLatin1String("1"))))
        return CliText::CsvNeedsBand;
    if (base && band)
        return CliText::CsvBandWithBase;
    return {};
}

int runConvert(const QStringList& args) {
    Cli::Arguments a;
    QString problem;
    const QStringList valueOptions{QStringLiteral("--config"), QStringLiteral("--base"),
                                   QStringLiteral("--model"), QStringLiteral("--band")};
    if (!Cli::parse(args, valueOptions, {QStringLiteral("--renumber"), QStringLiteral("--skip-unfit")}, &a,
                    &problem) ||
        a.positional.size() != 2 || !(problem = optionProblem(a)).isEmpty()) {
        if (!problem.isEmpty())
            Cli::printErr(problem);
        return Cli::usage(kConvertUsage);
    }
    RadioDocument document;
    if (Error e = readState(a, a.positional[0], &document); e.isError())
        return Cli::fail(e);
    if (!document.isComplete())
        Cli::printErr(CliText::InputIncomplete);
    Cli::warnInvalidCells(document);
    if (Error e = writeState(a.positional[1], document); e.isError())
        return Cli::fail(e);
    return Cli::kSuccess;
}

const CliCommandRegistrar convertCommand(QStringLiteral("convert"),
                                         {kConvertHelp, runConvert, CliText::ConvertHelp});

} // namespace

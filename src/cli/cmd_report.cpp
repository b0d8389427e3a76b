// radiocps-cli report FILE [--config INI] --pdf OUT.pdf
#include "cli/cli_support.h"
#include "cli/command_registry.h"
#include "config/app_config.h"
#include "document/radio_document.h"
#include "print/report_data.h"
#include "print/report_print.h"
#include "texts/cli_texts.h"

namespace {

const QString kReportUsage = QStringLiteral("report FILE [--config INI] --pdf OUT.pdf");

int runReport(const QStringList& args) {
    Cli::Arguments a;
    QString problem;
    const bool parsed =
        Cli::parse(args, {QStringLiteral("--config"), QStringLiteral("--pdf")}, {}, &a, &problem);
    const auto pdf = a.option(QStringLiteral("--pdf"));
    if (!parsed || a.positional.size() != 1 || !pdf || pdf->isEmpty()) {
        if (!problem.isEmpty())
            Cli::printErr(problem);
        return Cli::usage(kReportUsage);
    }

    // Decoded exactly as the open command does: the model table of the configuration file, the start-up
    // settings as the values the file leaves alone.
    RadioDocument document;
    if (Error e = Cli::openDocument(a, a.positional[0], &document); e.isError())
        return Cli::fail(e);
    const ReportData report = reportOf(document);
    int pages = 0;
    if (Error e = writeReportPdf(*pdf, report, PaperInfo::a4Portrait(), &pages); e.isError())
        return Cli::fail(e);
    Cli::printOut(CliText::PdfWritten.arg(*pdf).arg(pages));
    return Cli::kSuccess;
}

const CliCommandRegistrar
    reportCommand(QStringLiteral("report"),
                  {kReportUsage + QStringLiteral("   draw the settings report of a channel file as a PDF"),
                   runReport, CliText::ReportHelp});

} // namespace

#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/output/PrintOrder.h"
#include "engine/output/TvlPrinter.h"
#include "engine/output/printing/QtPrinterSystem.h"
#include "engine/script/CodePage.h"
#include "engine/script/TextUtils.h"
#include "tools/vellum/CommandLine.h"
#include "tools/vellum/Commands.h"
#include "tools/vellum/OrganizerBuild.h"

#include <QFileInfo>

namespace vellum_cli {

namespace {

// What to print and how, as the print dialog would ask for it.
struct PrintOptions {
    std::optional<QString> printer;
    std::optional<QString> pdf;
    std::string pages;
    std::optional<int> copies;
    std::optional<bool> collate;
    int parity = vl::ppAllPages;
};

std::optional<int> copiesOption(const CommandArgs& cmd) {
    const auto text = cmd.option(QStringLiteral("copies"));
    if (!text) return std::nullopt;
    bool ok = false;
    const int copies = text->toInt(&ok);
    if (!ok || copies < 0) throw UsageError("--copies takes a whole number of copies");
    return copies;
}

// The page list is checked before anything is built or printed.
std::string pagesOption(const CommandArgs& cmd) {
    const std::string pages = vl::FromQt(cmd.option(QStringLiteral("pages")).value_or(QString()));
    try {
        (void)vl::TvlPageList(pages, 0);
    } catch (const vl::ConversionError& e) {
        throw vl::VlError(std::string("--pages: ") + e.what());
    }
    return pages;
}

PrintOptions printOptions(const CommandArgs& cmd) {
    PrintOptions o;
    o.printer = cmd.option(QStringLiteral("printer"));
    o.pdf = cmd.option(QStringLiteral("pdf"));
    if (o.printer && o.pdf) throw UsageError("--printer and --pdf exclude each other");
    o.pages = pagesOption(cmd);
    o.copies = copiesOption(cmd);
    const bool collate = cmd.flag(QStringLiteral("collate"));
    const bool noCollate = cmd.flag(QStringLiteral("no-collate"));
    if (collate && noCollate) throw UsageError("--collate and --no-collate exclude each other");
    if (collate || noCollate) o.collate = collate;
    const bool odd = cmd.flag(QStringLiteral("odd"));
    const bool even = cmd.flag(QStringLiteral("even"));
    if (odd && even) throw UsageError("--odd and --even exclude each other");
    o.parity = odd ? vl::ppOddPages : even ? vl::ppEvenPages : vl::ppAllPages;
    return o;
}

// Starts the engine's printer on the system's printers and "Print to PDF
// file", and returns the name of the printer to print on.
std::string choosePrinter(vl::TvlEngine& engine, const PrintOptions& o) {
    auto owned = std::make_unique<vl::QtPrinterSystem>();
    vl::QtPrinterSystem& system = *owned;
    system.setPdfPrinterOffered(true);
    engine.startPrinter(std::move(owned));
    const vl::TvlPrinter& printer = engine.printer();
    const vl::StringList& list = printer.PrinterList();
    if (o.pdf) {
        system.setPdfFileName(QFileInfo(*o.pdf).absoluteFilePath());
        return list.at(static_cast<std::size_t>(system.pdfPrinterIndex()));
    }
    if (o.printer) {
        const std::string name = vl::FromQt(*o.printer);
        for (int i = 0; i < printer.VirtualPrinterIndex(); ++i)
            if (i != system.pdfPrinterIndex() && vl::SameText(list[std::size_t(i)], name))
                return list[std::size_t(i)];
        throw vl::VlError("no printer named \"" + name + "\"");
    }
    if (system.pdfSelected() || printer.IsVirtual())
        throw vl::VlError("there is no printer; print into a PDF file with --pdf FILE");
    return printer.Device();
}

bool isPreparedReport(const QString& path) {
    return QFileInfo(path).suffix().compare(QLatin1String("vlp"), Qt::CaseInsensitive) == 0;
}

} // namespace

int RunPrint(const QStringList& args) {
    const CommandArgs cmd(args,
                          {QStringLiteral("organizer"), QStringLiteral("source"),
                           QStringLiteral("now"), QStringLiteral("locale"),
                           QStringLiteral("printer"), QStringLiteral("pdf"),
                           QStringLiteral("pages"), QStringLiteral("copies")},
                          {QStringLiteral("collate"), QStringLiteral("no-collate"),
                           QStringLiteral("odd"), QStringLiteral("even")});
    const QString file = cmd.positional(0, "prepared report or template file");
    if (cmd.positionals().size() > 1) throw UsageError("one FILE expected");
    const PrintOptions o = printOptions(cmd);
    if (const auto locale = cmd.option(QStringLiteral("locale")))
        SelectLocale(cmd.engine(), *locale);
    const std::string printerName = choosePrinter(cmd.engine(), o);

    OrganizerBuild build(cmd, file);
    vl::TvlReport& report = build.report();
    if (isPreparedReport(file)) {
        if (!QFileInfo::exists(file))
            throw vl::VlError("file \"" + vl::FromQt(file) + "\" does not exist");
        report.LoadPreparedReport(file);
        report.Title = vl::FromQt(QFileInfo(file).completeBaseName());
    } else {
        build.load();
        // The printer asked for, not the one the template names, lays the
        // pages out.
        report.PrintToDefault = false;
        report.PrinterName = printerName;
        if (!build.prepare()) return 1;
        if (report.Title.empty()) report.Title = vl::FromQt(QFileInfo(file).completeBaseName());
    }
    report.SetPrinterName(printerName);
    const int copies = o.copies.value_or(report.DefaultCopies);
    const bool collate = o.collate.value_or(report.DefaultCollate);
    const vl::TvlPrintOutcome printed =
        report.PrintPreparedReport(o.pages, copies, collate, o.parity);
    switch (printed.kind) {
    case vl::TvlPrintOutcome::Printed:
    case vl::TvlPrintOutcome::NothingToPrint: // a page list that selects none prints nothing
        return 0;
    case vl::TvlPrintOutcome::Cancelled:
        throw vl::VlError("printing was cancelled");
    case vl::TvlPrintOutcome::Failed:
        break;
    }
    throw vl::VlError(printed.message);
}

} // namespace vellum_cli

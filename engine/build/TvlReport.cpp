#include "engine/build/TvlReport.h"

#include "engine/build/BuildRun.h"
#include "engine/build/TemplateXml.h"
#include "engine/build/TvlEngine.h"
#include "engine/model/ObjectFactory.h"
#include "engine/model/ViewState.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/output/TvlPrinter.h"
#include "engine/script/CodePage.h"
#include "engine/script/DataFieldRef.h"
#include "engine/script/ScopedValue.h"
#include "engine/script/StreamIO.h"
#include "engine/script/TextUtils.h"
#include "engine/script/TvlLocale.h"
#include "engine/script/TvlParser.h"
#include "engine/script/TvlTable.h"
#include "engine/script/UiService.h"

#include <QFileInfo>
#include <utility>

namespace vl {

namespace {

// A first byte up to this value is no version byte: the stream starts with
// the page part of a version 21 template.
constexpr int kLastUnversioned = 20;
constexpr int kOldestVersion = 21;

} // namespace

TvlReport::TvlReport(std::string name, TvlComponent* owner)
    : TvlReport(Globals(), std::move(name), owner) {}

TvlReport::TvlReport(TvlEngine& engine, std::string name, TvlComponent* owner)
    : TvlComponent(std::move(name), owner), EmptyReportBinding(engine.script()),
      FileName(LoadResString(kUntitledId)), engine_(engine), pages_(*this), dictionary_(*this),
      emfPages_(std::make_unique<TvlEMFPages>(engine.output())) {
    Info.Reset();
    connectPages();
}

void TvlReport::connectPages() {
    emfPages_->Events.BeginPage = [this](int) {
        if (Events.OnBeginPage) Events.OnBeginPage(run_ ? run_->state().currentPageIndex : 0);
    };
}

std::unique_ptr<TvlEMFPages> TvlReport::TakeEMFPages() {
    std::unique_ptr<TvlEMFPages> taken = std::move(emfPages_);
    emfPages_ = std::make_unique<TvlEMFPages>(engine_.output());
    connectPages();
    return taken;
}

void TvlReport::GiveBackPages(std::unique_ptr<TvlEMFPages> pages) {
    if (!pages) return;
    emfPages_ = std::move(pages);
    connectPages();
}

TvlReport::~TvlReport() {
    TvlViewState& state = engine_.views();
    if (state.host == this) state.host = nullptr;
}

void TvlReport::Clear() {
    TwoPass = false;
    pages_.Clear();
    dictionary_.Clear();
    Info.Reset();
}

void TvlReport::resetToEmptyPage() {
    pages_.Clear();
    pages_.Add();
}

void TvlReport::SetPrinterName(const std::string& name) {
    if (!PrintToDefault) {
        TvlPrinter& printer = engine_.printer();
        const StringList& list = printer.PrinterList();
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (!SameText(list[i], name)) continue;
            printer.SelectPrinter(static_cast<int>(i));
            break;
        }
    }
    PrinterName = name;
}

void TvlReport::LoadFromStream(Stream& stream) {
    // what the objects read may reach the engine: the report's own
    const TvlEngineScope inEngine(engine_);
    TvlViewState& state = engine_.views();
    state.host = this;
    dictionary_.Clear();
    if (stream.remaining() <= 0) return;
    const std::int64_t start = stream.position();
    int version = ReadByte(stream);
    if (version <= kLastUnversioned) {
        version = kOldestVersion;
        stream.seek(start);
    }
    state.errorFlag = false;
    state.errorText.clear();
    if (version > kCurrentTemplateVersion)
        throw UnsupportedTemplateError("version " + std::to_string(version) + ", newer than " +
                                       std::to_string(kCurrentTemplateVersion));
    state.templateVersion = version;
    loadTemplate(stream);
    checkPassword(stream);
}

void TvlReport::LoadPagePart(Stream& stream) {
    const TvlEngineScope inEngine(engine_);
    TvlViewState& state = engine_.views();
    state.host = this;
    state.errorFlag = false;
    state.errorText.clear();
    state.templateVersion = kCurrentTemplateVersion;
    loadTemplate(stream);
}

void TvlReport::SavePagePart(Stream& stream) {
    const TvlEngineScope inEngine(engine_);
    engine_.views().templateVersion = kCurrentTemplateVersion;
    pages_.SaveToStream(stream);
}

void TvlReport::loadTemplate(Stream& stream) {
    TvlViewState& state = engine_.views();
    try {
        pages_.LoadFromStream(stream);
    } catch (const UnsupportedTemplateError& error) {
        resetToEmptyPage();
        throw UnsupportedTemplateError(error.cause());
    } catch (const VlError& error) {
        resetToEmptyPage();
        throw UnsupportedTemplateError(error.what());
    }
    if (state.errorFlag) throw ClassNotFoundError(NonPluggedComponentsText(state.errorText));
    ForEachObject([](TvlView& view) { view.AfterTemplateLoad(); });
    readTrailer(stream);
}

void TvlReport::readTrailer(Stream& stream) {
    if (stream.remaining() <= 0) {
        Info.Reset();
        return;
    }
    try {
        Info.ReadTrailer(stream);
    } catch (const VlError& error) {
        Info.Reset();
        resetToEmptyPage();
        throw UnsupportedTemplateError(error.what());
    }
}

void TvlReport::checkPassword(const Stream& stream) {
    if (!Info.Protected || dynamic_cast<const MemoryStream*>(&stream)) return;
    const std::optional<std::string> entered = engine_.uiService().askPassword(
        LoadResString(kPasswordCaptionId), LoadResString(kPasswordPromptId));
    if (entered && *entered == Info.Password) return;
    Info.Reset();
    FileName = LoadResString(kUntitledId);
    resetToEmptyPage();
    throw WrongPasswordError(entered.has_value());
}

void TvlReport::SaveToStream(Stream& stream) {
    const TvlEngineScope inEngine(engine_);
    if (XmlExport) {
        engine_.views().host = this;
        WriteTemplateXml(*this, stream);
        return;
    }
    engine_.views().templateVersion = kCurrentTemplateVersion;
    WriteByte(stream, kCurrentTemplateVersion);
    pages_.SaveToStream(stream);
    Info.WriteTrailer(stream);
}

namespace {

std::vector<std::string> LostClasses(const std::string& collected) {
    std::vector<std::string> names;
    std::size_t start = 0;
    for (std::size_t end; (end = collected.find('\r', start)) != std::string::npos; start = end + 1)
        if (end > start) names.push_back(collected.substr(start, end - start));
    return names;
}

} // namespace

TvlLoadOutcome TvlReport::LoadFromFile(const QString& path) {
    if (!QFileInfo(path).isFile())
        return {
            TvlLoadOutcome::NoFile, "There is no template file \"" + FromQt(path) + "\"", {}, {}};
    // The name is taken before the template is read, so that a template
    // emptied for a wrong password is not saved over the protected file.
    std::string previous = std::exchange(FileName, FromQt(path));
    try {
        FileStream file(path, FileStream::Mode::Read);
        LoadFromStream(file);
        return {};
    } catch (const WrongPasswordError& error) {
        // emptied and untitled: nothing is saved over either file
        return {TvlLoadOutcome::WrongPassword, error.what(), {}, {}};
    } catch (const ClassNotFoundError& error) {
        FileName = std::move(previous);
        return {
            TvlLoadOutcome::PartlyLoaded, error.what(), {}, LostClasses(engine_.views().errorText)};
    } catch (const UnsupportedTemplateError& error) {
        FileName = std::move(previous);
        return {TvlLoadOutcome::Unreadable, error.what(), error.cause(), {}};
    } catch (const std::exception& error) {
        FileName = std::move(previous);
        return {TvlLoadOutcome::Unreadable, error.what(), {}, {}};
    }
}

void TvlReport::SaveToFile(const QString& path) {
    ReplacingFileStream file(path);
    SaveToStream(file);
    file.Commit();
}

void TvlReport::ExportXml(const QString& path) {
    const QFileInfo info(path);
    const QString target =
        info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".vl3");
    ReplacingFileStream file(target);
    const ScopedValue xml(XmlExport, true);
    SaveToStream(file);
    file.Commit();
}

void TvlReport::WriteFormProperty(Stream& stream) {
    WriteInteger(stream, kCurrentTemplateVersion);
    if (!StoreInDFM) return;
    MemoryStream bytes;
    SaveToStream(bytes);
    WriteInteger(stream, static_cast<std::int32_t>(bytes.size()));
    stream.write(bytes.data().data(), bytes.data().size());
}

void TvlReport::ReadFormProperty(Stream& stream) {
    ReadInteger(stream);
    formTemplate_.clear();
    if (stream.remaining() <= 0) return;
    const std::int32_t count = ReadInteger(stream);
    if (count < 0 || count > stream.remaining()) throw StreamReadError();
    formTemplate_.resize(static_cast<std::size_t>(count));
    stream.readBuffer(formTemplate_.data(), formTemplate_.size());
}

void TvlReport::FormLoaded() {
    if (formTemplate_.empty()) return;
    MemoryStream bytes(std::exchange(formTemplate_, {}));
    LoadFromStream(bytes);
}

TvlView* TvlReport::findObject(std::string_view name) const {
    return pages_.FindObject(name);
}

Variant TvlReport::evaluate(std::string_view expression) {
    return engine_.globalParser().Evaluate(expression);
}

bool TvlReport::resolveDataField(std::string_view reference, TvlComponent*& dataSet,
                                 std::string& field) {
    if (dictionary_.IsVariable(reference)) {
        if (const TvlCacheItem* item = dictionary_.FindCacheItem(reference)) {
            dataSet = item->DataSet.get();
            field = item->FieldName;
            return dataSet != nullptr;
        }
    }
    dataSet = bandContextTable();
    field.clear();
    try {
        GetDataSetAndField(dictionaryComponents(), owner(), reference, dataSet, field);
    } catch (const VlError&) {
        return false;
    }
    return dataSet && !field.empty();
}

const ComponentDirectory& TvlReport::dictionaryComponents() const {
    return engine_.components();
}

TvlScriptContext& TvlReport::dictionaryEngine() const {
    return engine_.script();
}

} // namespace vl

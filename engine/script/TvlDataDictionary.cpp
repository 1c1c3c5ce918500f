#include "engine/script/TvlDataDictionary.h"

#include "engine/script/DataFieldRef.h"
#include "engine/script/Errors.h"
#include "engine/script/FieldAccess.h"
#include "engine/script/ScriptContext.h"
#include "engine/script/StreamIO.h"
#include "engine/script/TextUtils.h"
#include "engine/script/TvlParser.h"
#include "engine/script/TvlTable.h"

#include <algorithm>
#include <array>

namespace vl {

namespace {

bool lessText(const std::string& a, const std::string& b) {
    return CompareText(a, b) < 0;
}

bool startsWithText(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

std::string afterLastDot(const std::string& text) {
    const auto dot = text.rfind('.');
    return dot == std::string::npos ? text : text.substr(dot + 1);
}

// The built-in variable that a legacy entry of kind 2 names by number.
std::string legacyBuiltIn(std::int32_t number) {
    static const std::array<const char*, 9> names = {"PAGE#",   "(none)",   "DATE",
                                                     "TIME",    "LINE#",    "LINETHROUGH#",
                                                     "COLUMN#", "CURRENT#", "TOTALPAGES"};
    if (number < 0 || number >= static_cast<std::int32_t>(names.size())) return {};
    return names[static_cast<std::size_t>(number)];
}

std::string readShortString(Stream& stream) {
    std::string text(ReadByte(stream), '\0');
    stream.readBuffer(text.data(), text.size());
    return text;
}

void writePairs(Stream& stream, const TvlVariables& list) {
    WriteInteger(stream, list.Count());
    for (int i = 0; i < list.Count(); ++i) {
        WriteString(stream, list.GetName(i));
        WriteString(stream, list.GetValue(i).toString());
    }
}

void sortList(StringList& list) {
    std::stable_sort(list.begin(), list.end(), lessText);
}

// The text of an alias entry, empty when absent.
std::string aliasOf(const TvlVariables& list, std::string_view key) {
    const Variant* value = list.Find(key);
    return value ? value->toString() : std::string();
}

} // namespace

TvlDataDictionary::TvlDataDictionary(const TvlDictionaryContext& context) : context_(context) {}

TvlDataDictionary::~TvlDataDictionary() {
    ClearCache();
}

const ComponentDirectory& TvlDataDictionary::components() const {
    return context_.dictionaryComponents();
}

const TvlComponent* TvlDataDictionary::owner() const {
    return context_.dictionaryOwner();
}

void TvlDataDictionary::Clear() {
    Variables.Clear();
    FieldAliases.Clear();
    DataSourceAliases.Clear();
}

void TvlDataDictionary::ClearCache() {
    cache_.clear();
    cacheSorted_ = true;
}

void TvlDataDictionary::AddCacheItem(std::string_view name, TvlTable* dataSet,
                                     std::string_view fieldName) {
    auto item = std::make_unique<TvlCacheItem>();
    item->DataSet.reset(dataSet);
    item->FieldName = fieldName;
    cache_.emplace_back(std::string(name), std::move(item));
    cacheSorted_ = false;
}

void TvlDataDictionary::SortCache() {
    std::stable_sort(cache_.begin(), cache_.end(),
                     [](const auto& a, const auto& b) { return lessText(a.first, b.first); });
    cacheSorted_ = true;
}

TvlDataDictionary::Cache::iterator TvlDataDictionary::findInCache(std::string_view name) {
    if (!cacheSorted_)
        return std::find_if(cache_.begin(), cache_.end(),
                            [&](const auto& entry) { return SameText(entry.first, name); });
    const auto it = std::lower_bound(
        cache_.begin(), cache_.end(), name,
        [](const auto& entry, std::string_view n) { return CompareText(entry.first, n) < 0; });
    return it != cache_.end() && SameText(it->first, name) ? it : cache_.end();
}

const TvlCacheItem* TvlDataDictionary::FindCacheItem(std::string_view name) const {
    const auto it = const_cast<TvlDataDictionary*>(this)->findInCache(name);
    return it == cache_.end() ? nullptr : it->second.get();
}

TvlTable* TvlDataDictionary::resolve(std::string_view reference, TvlComponent* defaultDataSet,
                                     std::string& field) const {
    TvlComponent* dataSet = defaultDataSet;
    field.clear();
    try {
        GetDataSetAndField(components(), owner(), reference, dataSet, field);
    } catch (const VlError&) {
        // A path that leads nowhere names no field.
        field.clear();
    }
    auto* table = dynamic_cast<TvlTable*>(dataSet);
    if (!table) field.clear();
    return field.empty() ? nullptr : table;
}

bool TvlDataDictionary::cacheReference(std::string_view name, std::string_view reference) {
    std::string field;
    TvlTable* table = resolve(reference, context_.bandContextTable(), field);
    if (!table) return false;
    AddCacheItem(name, table, field);
    SortCache();
    return true;
}

bool TvlDataDictionary::IsVariable(std::string_view name) {
    if (FindCacheItem(name)) return true;
    if (const int index = Variables.IndexOf(name); index >= 0) {
        const Variant value = Variables.GetValue(index);
        if (!value.isNull()) {
            const std::string text = value.toString();
            if (text.find('.') != std::string::npos) cacheReference(name, text);
        }
        return true;
    }
    std::string reference(name);
    if (name.find('.') != std::string_view::npos) {
        std::string dataSet, field;
        SplitFieldName(name, dataSet, field);
        dataSet = RealDataSetName(dataSet);
        for (int i = 0; i < FieldAliases.Count(); ++i) {
            const std::string key = FieldAliases.GetName(i);
            if (SameText(FieldAliases.GetValue(i).toString(), field) &&
                startsWithText(key, dataSet)) {
                field = afterLastDot(key);
                break;
            }
        }
        reference = dataSet + ".\"" + field + "\"";
    }
    return cacheReference(name, reference);
}

void TvlDataDictionary::GetValue(std::string_view name, Variant& value) {
    value = Variant();
    if (const auto it = findInCache(name); it != cache_.end()) {
        TvlTable* table = it->second->DataSet.get();
        if (table) {
            if (!table->Active()) table->Open();
            value = GetFieldValue(table->FieldByName(it->second->FieldName));
            return;
        }
        // The data set is gone: the name is resolved afresh next time.
        cache_.erase(it);
    }
    const int index = Variables.IndexOf(name);
    if (index < 0) return;
    TvlScriptContext& engine = context_.dictionaryEngine();
    if (const Variant* global = engine.globalVariables().Find(name)) {
        value = *global;
        return;
    }
    value = Variables.GetValue(index);
    if (value.isString() && !value.toString().empty())
        value = engine.globalParser().Evaluate(value.toString());
}

bool TvlDataDictionary::IsDataSetEnabled(std::string_view dataSetName) const {
    for (const std::string& hidden : HiddenDataSets) {
        if (SameText(hidden, dataSetName)) return false;
        if (!hidden.empty() && hidden.back() == '*') {
            const std::string_view prefix(hidden.data(), hidden.size() - 1);
            if (dataSetName.substr(0, prefix.size()) == prefix) return false;
        }
    }
    return true;
}

void TvlDataDictionary::SplitFieldName(std::string_view text, std::string& dataSet,
                                       std::string& field) {
    bool quoted = false;
    for (std::size_t i = text.size(); i-- > 0;) {
        if (text[i] == '"') quoted = !quoted;
        if (text[i] == '.' && !quoted) {
            dataSet = text.substr(0, i);
            field = RemoveQuotes(text.substr(i + 1));
            return;
        }
    }
}

std::string TvlDataDictionary::RealDataSetName(std::string_view alias) const {
    for (int i = 0; i < FieldAliases.Count(); ++i)
        if (SameText(FieldAliases.GetValue(i).toString(), alias)) return FieldAliases.GetName(i);
    return std::string(alias);
}

std::string TvlDataDictionary::RealFieldName(std::string_view alias) const {
    return afterLastDot(RealDataSetName(alias));
}

std::string TvlDataDictionary::RealDataSourceName(std::string_view alias) const {
    for (int i = 0; i < DataSourceAliases.Count(); ++i)
        if (SameText(DataSourceAliases.GetValue(i).toString(), alias))
            return DataSourceAliases.GetName(i);
    return std::string(alias);
}

std::string TvlDataDictionary::GetAliasName(std::string_view name) const {
    if (std::string alias = aliasOf(FieldAliases, name); !alias.empty()) return alias;
    if (std::string alias = aliasOf(DataSourceAliases, name); !alias.empty()) return alias;
    return std::string(name);
}

void TvlDataDictionary::GetDataSetList(StringList& target) const {
    StringList all;
    GetComponentList(
        components(), owner(),
        [](const TvlComponent& c) { return dynamic_cast<const TvlTable*>(&c) != nullptr; }, all);
    target.clear();
    for (const std::string& name : all) {
        if (!IsDataSetEnabled(name)) continue;
        if (FieldAliases.Count() == 0) {
            target.push_back(name);
        } else if (FieldAliases.IndexOf(name) >= 0) {
            const std::string alias = aliasOf(FieldAliases, name);
            target.push_back(alias.empty() ? name : alias);
        }
    }
    sortList(target);
}

void TvlDataDictionary::GetFieldList(std::string_view dataSetName, StringList& target) const {
    target.clear();
    std::string realName(dataSetName);
    const TvlTable* table = nullptr;
    try {
        table = dynamic_cast<const TvlTable*>(FindComponentByPath(components(), owner(), realName));
    } catch (const VlError&) {
    }
    if (!table) {
        realName = RealDataSetName(dataSetName);
        try {
            table =
                dynamic_cast<const TvlTable*>(FindComponentByPath(components(), owner(), realName));
        } catch (const VlError&) {
        }
    }
    if (!table) return;
    StringList names;
    try {
        names = table->GetFieldNames();
    } catch (const VlError&) {
        return;
    }
    for (const std::string& name : names) {
        const std::string key = realName + "." + name;
        if (FieldAliases.IndexOf(key) < 0) {
            target.push_back(name);
        } else if (std::string alias = aliasOf(FieldAliases, key); !alias.empty()) {
            target.push_back(std::move(alias));
        }
    }
}

void TvlDataDictionary::GetDataSourceList(StringList& target) const {
    target.clear();
    if (const TvlComponent* o = owner()) {
        for (const TvlComponent* c : o->components()) {
            if (!c->isDataSource()) continue;
            if (DataSourceAliases.Count() == 0) {
                target.push_back(c->name());
            } else if (std::string alias = aliasOf(DataSourceAliases, c->name()); !alias.empty()) {
                target.push_back(std::move(alias));
            }
        }
    }
    sortList(target);
}

void TvlDataDictionary::GetCategoryList(StringList& target) const {
    target.clear();
    for (int i = 0; i < Variables.Count(); ++i) {
        const std::string name = Variables.GetName(i);
        if (!name.empty() && name[0] == ' ') target.push_back(name.substr(1));
    }
}

void TvlDataDictionary::GetVariablesList(std::string_view category, StringList& target) const {
    target.clear();
    int i = Variables.IndexOf(" " + std::string(category));
    if (i < 0) return;
    for (++i; i < Variables.Count(); ++i) {
        const std::string name = Variables.GetName(i);
        if (name.empty() || name[0] == ' ') break;
        target.push_back(name);
    }
}

void TvlDataDictionary::readPairs(Stream& stream, TvlVariables& list) {
    const std::int32_t count = ReadInteger(stream);
    for (std::int32_t i = 0; i < count; ++i) {
        std::string name = ReadString(stream);
        list.SetVariable(name, Variant(ReadString(stream)));
    }
}

void TvlDataDictionary::readLegacyBlock(Stream& stream, int templateVersion) {
    TvlVariables expressions;
    const std::int32_t count = ReadInteger(stream);
    for (std::int32_t i = 0; i < count; ++i) {
        const std::uint8_t kind = ReadByte(stream);
        const std::int32_t number = ReadInteger(stream);
        const std::string s1 = readShortString(stream);
        const std::string s2 = readShortString(stream);
        const std::string s3 = readShortString(stream);
        std::string expression;
        if (kind == 1)
            expression = s1 + ".\"" + s2 + "\"";
        else if (kind == 2)
            expression = number == 1 ? s2 : legacyBuiltIn(number);
        expressions.SetVariable(" " + s3, Variant(expression));
    }
    for (const std::string& line : ReadStringsFor(stream, templateVersion)) {
        if (!line.empty() && line[0] != ' ')
            Variables.SetVariable(line, Variant(std::string()));
        else
            Variables.SetVariable(line, Variant(aliasOf(expressions, line)));
    }
}

void TvlDataDictionary::toggleLegacyBlanks() {
    if (Variables.Count() == 0) return;
    const std::string first = Variables.GetName(0);
    if (first.empty() || first[0] == ' ') return;
    for (int i = 0; i < Variables.Count(); ++i) {
        const std::string name = Variables.GetName(i);
        Variables.SetName(i, !name.empty() && name[0] == ' ' ? name.substr(1) : " " + name);
    }
}

void TvlDataDictionary::dropStaleAliases() {
    for (int i = FieldAliases.Count() - 1; i >= 0; --i) {
        if (!FieldAliases.GetValue(i).toString().empty()) continue;
        std::string field;
        if (!resolve(FieldAliases.GetName(i), nullptr, field)) FieldAliases.Delete(i);
    }
    for (int i = DataSourceAliases.Count() - 1; i >= 0; --i)
        if (DataSourceAliases.GetValue(i).toString().empty()) DataSourceAliases.Delete(i);
}

void TvlDataDictionary::LoadFromStream(Stream& stream, int templateVersion) {
    Clear();
    const std::int16_t marker = ReadWord(stream);
    if (marker == kMarker || marker == kOldMarker) {
        readPairs(stream, Variables);
        readPairs(stream, FieldAliases);
        readPairs(stream, DataSourceAliases);
    } else {
        stream.seek(stream.position() - 2);
        readLegacyBlock(stream, templateVersion);
    }
    toggleLegacyBlanks();
    if (marker == kOldMarker) dropStaleAliases();
}

void TvlDataDictionary::SaveToStream(Stream& stream) const {
    WriteWord(stream, kMarker);
    writePairs(stream, Variables);
    writePairs(stream, FieldAliases);
    writePairs(stream, DataSourceAliases);
}

void TvlDataDictionary::LoadFromFile(const QString& path) {
    FileStream file(path, FileStream::Mode::Read);
    // The file's own version, not that of whichever template was read last.
    const int version = ReadByte(file);
    LoadFromStream(file, version);
}

void TvlDataDictionary::SaveToFile(const QString& path) const {
    ReplacingFileStream file(path);
    WriteByte(file, kCurrentTemplateVersion);
    SaveToStream(file);
    file.Commit();
}

} // namespace vl

#pragma once

#include "engine/script/Component.h"
#include "engine/script/ComponentRef.h"
#include "engine/script/StreamIO.h"
#include "engine/script/TvlVariables.h"

#include <QString>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vl {

class Stream;
class TvlScriptContext;
class TvlTable;

// What the dictionary needs of its report: where data sets are looked up and
// the data set that bare field names belong to at the moment.
class TvlDictionaryContext {
public:
    virtual ~TvlDictionaryContext() = default;
    virtual const ComponentDirectory& dictionaryComponents() const = 0;
    // The engine whose global variables override the dictionary's and whose
    // parser evaluates their expressions.
    virtual TvlScriptContext& dictionaryEngine() const = 0;
    // The component that owns the report; its components are named bare.
    virtual const TvlComponent* dictionaryOwner() const = 0;
    // The table of the band context (none outside a build).
    virtual TvlComponent* bandContextTable() const = 0;
};

// A resolved name: the data set (not owned; cleared when it is destroyed)
// and the field.
struct TvlCacheItem {
    ComponentRef<TvlTable> DataSet;
    std::string FieldName;
};

// A report's named variables in categories, the aliases of data sets,
// fields and report data sources, the data sets hidden from the designer,
// and a cache from resolved names to data fields.
//
// In Variables a category is an entry named with a leading blank and an
// empty value; the variables after it, up to the next category or an entry
// with an empty name, belong to it.
class TvlDataDictionary {
public:
    // The engine whose variables and parser the dictionary's variables use.
    TvlScriptContext& engine() const { return context_.dictionaryEngine(); }
    // The stream block's first word: -2 is written; -1 is read as the same
    // layout and cleaned up after loading.
    static constexpr std::int16_t kMarker = -2;
    static constexpr std::int16_t kOldMarker = -1;

    explicit TvlDataDictionary(const TvlDictionaryContext& context);
    ~TvlDataDictionary();
    TvlDataDictionary(const TvlDataDictionary&) = delete;
    TvlDataDictionary& operator=(const TvlDataDictionary&) = delete;

    TvlVariables Variables;
    TvlVariables FieldAliases;
    TvlVariables DataSourceAliases;
    StringList HiddenDataSets;

    // Empties the three lists (not the cache, not HiddenDataSets).
    void Clear();
    void ClearCache();
    // Appends a cache entry; call SortCache afterwards.
    void AddCacheItem(std::string_view name, TvlTable* dataSet, std::string_view fieldName);
    void SortCache();
    int CacheCount() const { return static_cast<int>(cache_.size()); }
    // The entry of that name (case ignored), or none.
    const TvlCacheItem* FindCacheItem(std::string_view name) const;

    // Whether the name is a variable or resolves to a data field; a name
    // that resolves is cached.
    bool IsVariable(std::string_view name);
    // The cached field's value, else the variable's (a script variable of
    // the same name wins; a non-empty text is evaluated); else Null.
    void GetValue(std::string_view name, Variant& value);

    bool IsDataSetEnabled(std::string_view dataSetName) const;
    // Splits at the last '.' outside double quotes; the field loses its
    // quotes. Without such a '.' the outputs are left as they are.
    static void SplitFieldName(std::string_view text, std::string& dataSet, std::string& field);
    std::string RealDataSetName(std::string_view alias) const;
    std::string RealFieldName(std::string_view alias) const;
    std::string RealDataSourceName(std::string_view alias) const;
    std::string GetAliasName(std::string_view name) const;

    void GetDataSetList(StringList& target) const;
    void GetFieldList(std::string_view dataSetName, StringList& target) const;
    void GetDataSourceList(StringList& target) const;
    void GetCategoryList(StringList& target) const;
    void GetVariablesList(std::string_view category, StringList& target) const;

    // templateVersion: the version of the stream the block is part of; an
    // old block stores its lists in that version's form.
    void LoadFromStream(Stream& stream, int templateVersion);
    void SaveToStream(Stream& stream) const;
    // Dictionary files (".vld"): the stream version byte, then the block.
    void LoadFromFile(const QString& path);
    void SaveToFile(const QString& path) const;

private:
    void readPairs(Stream& stream, TvlVariables& list);
    void readLegacyBlock(Stream& stream, int templateVersion);
    void toggleLegacyBlanks();
    void dropStaleAliases();
    // Resolves a data-field reference; empty field when it names none.
    TvlTable* resolve(std::string_view reference, TvlComponent* defaultDataSet,
                      std::string& field) const;
    bool cacheReference(std::string_view name, std::string_view reference);
    const ComponentDirectory& components() const;
    const TvlComponent* owner() const;

    using Cache = std::vector<std::pair<std::string, std::unique_ptr<TvlCacheItem>>>;
    Cache::iterator findInCache(std::string_view name);

    const TvlDictionaryContext& context_;
    Cache cache_;
    bool cacheSorted_ = true;
};

} // namespace vl

#pragma once

#include "engine/script/Component.h"
#include "engine/script/ComponentRef.h"
#include "engine/script/Stream.h"
#include "engine/script/StreamIO.h"
#include "engine/script/TvlField.h"

#include <compare>
#include <memory>
#include <string_view>

namespace vl {

// A remembered record of a table; two bookmarks of the same record compare
// equal.
struct TBookmark {
    std::int64_t position = -1;
    auto operator<=>(const TBookmark&) const = default;
};

// A database table as the report engine sees it: a cursor over records with
// named, typed fields. Concrete tables (for example over Qt SQL) supply the
// cursor moves; this class keeps the open state and the end flags.
class TvlTable : public TvlComponent, public RefTarget {
public:
    using TvlComponent::TvlComponent;
    ~TvlTable() override;

    void Open();
    void Close();
    bool Active() const { return active_; }

    void First();
    void Next();
    void Prior();
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }

    TBookmark GetBookmark() const;
    void GotoBookmark(const TBookmark& bookmark);
    static bool SameBookmark(const TBookmark& a, const TBookmark& b) { return a == b; }

    // The fields of the last open; they stay while the table is closed.
    const std::vector<std::unique_ptr<TvlField>>& Fields() const { return fields_; }
    // nullptr when the table has no such field (case ignored).
    TvlField* FindField(std::string_view name) const;
    // Raises when the table has no such field.
    TvlField& FieldByName(std::string_view name) const;
    // The field names, also while the table is closed.
    StringList GetFieldNames() const;
    bool hasField(std::string_view name) const override;

    // A stream over the blob of a field at the current record.
    std::unique_ptr<MemoryStream> CreateBlobStream(const TvlField& field) const;

    std::string className() const override { return "TvlTable"; }

protected:
    struct FieldDef {
        std::string name;
        TFieldType type;
    };
    // Opens the cursor and describes its fields. Raises VlError on failure.
    virtual std::vector<FieldDef> doOpen() = 0;
    virtual void doClose() = 0;
    // Moves and answers whether the cursor is now on a record.
    virtual bool doFirst() = 0;
    virtual bool doNext() = 0;
    virtual bool doPrior() = 0;
    virtual bool doSeek(std::int64_t position) = 0;
    virtual std::int64_t doPosition() const = 0;
    virtual bool doHasRecord() const = 0;
    virtual StringList doFieldNames() const = 0;

    friend class TvlField;
    virtual Variant fieldValue(int index) const = 0;
    virtual bool fieldIsNull(int index) const = 0;
    virtual std::vector<std::uint8_t> fieldBytes(int index) const = 0;

    void requireActive() const;

private:
    bool sameFields(const std::vector<FieldDef>& defs) const;

    std::vector<std::unique_ptr<TvlField>> fields_;
    bool active_ = false;
    bool eof_ = true;
    bool bof_ = true;
};

} // namespace vl

#include "engine/script/Aggregates.h"

#include "engine/script/TextUtils.h"
#include "engine/script/TvlParser.h"

#include <vector>

namespace vl {

namespace {

constexpr char kSeparator = 1;

bool isColumnField(std::string_view field) {
    if (field.empty()) return false;
    for (const char c : field)
        if (c < '0' || c > '9') return false;
    return true;
}

bool isKind(char c) {
    return c >= static_cast<char>(AggregateKind::Sum) &&
           c <= static_cast<char>(AggregateKind::Count);
}

// The data band type whose totals a band shows when the call names no band.
TvlBandType defaultDataBandType(TvlBandType shownOn) {
    switch (shownOn) {
    case btReportSummary:
    case btPageFooter:
    case btMasterFooter:
    case btGroupFooter:
        return btMasterData;
    case btDetailFooter:
        return btDetailData;
    case btSubDetailFooter:
        return btSubDetailData;
    case btCrossFooter:
        return btCrossData;
    default:
        return btNone;
    }
}

// COUNT(band, flag) has no expression: its band argument stands in for it.
struct CallArguments {
    std::string_view expression, band, flag;
};

CallArguments arguments(AggregateKind kind, std::string_view p1, std::string_view p2,
                        std::string_view p3) {
    if (kind == AggregateKind::Count) return {p1, p1, p2};
    return {p1, p2, p3};
}

void registerCall(AggregateKind kind, const CallArguments& args, const AggregateContext& context) {
    AggregateHost* shownOn = context.CurrentBand;
    AggregateHost* data = context.AggregateScanBand;
    if (!shownOn || !data) return;
    std::string bandName(TrimBlanks(args.band));
    if (bandName.empty()) {
        if (data->totalsBandType() != defaultDataBandType(shownOn->totalsBandType())) return;
        bandName = data->bandName();
    }
    if (!SameText(bandName, data->bandName())) return;
    AggregateKey key;
    if (shownOn->hasCrossObjects() && shownOn->totalsBandType() != btCrossFooter) key.column = "0";
    key.band = shownOn->bandName();
    key.kind = kind;
    key.expression = args.expression;
    key.flag = args.flag;
    data->AggregateValues.SetVariable(key.text(), InitialAggregateValue(kind));
    shownOn->AggregateBand = data;
}

void readTotal(AggregateKind kind, const CallArguments& args, Variant& val,
               const AggregateContext& context) {
    const AggregateHost* shownOn = context.CurrentBand;
    if (!shownOn || !shownOn->AggregateBand) return;
    AggregateKey key{
        {}, shownOn->bandName(), kind, std::string(args.expression), std::string(args.flag)};
    const AggregateHost* source = shownOn->AggregateBand;
    if (shownOn->totalsBandType() == btCrossData) {
        // a cross cell reads its row band's totals for the current column
        key.column = std::to_string(shownOn->crossColumn());
        key.band = source->bandName();
        source = source->AggregateBand;
        if (!source) {
            val = Variant();
            return;
        }
    }
    Variant total = source->AggregateValues.GetVariable(key.text());
    if (kind == AggregateKind::Avg)
        total =
            source->AggregateRowCount > 0 ? total / Variant(source->AggregateRowCount) : Variant(0);
    val = total;
}

// Cross bands keep one accumulator per column, copied from the "0" template.
void addColumnCopies(TvlVariables& values, const std::string& column) {
    std::vector<AggregateKey> copies;
    for (int i = 0; i < values.Count(); ++i) {
        std::optional<AggregateKey> key = AggregateKey::parse(values.GetName(i));
        if (!key || key->column != "0") continue;
        key->column = column;
        copies.push_back(*key);
    }
    for (const AggregateKey& key : copies) {
        const std::string name = key.text();
        if (values.IndexOf(name) < 0) values.SetVariable(name, InitialAggregateValue(key.kind));
    }
}

Variant zeroIfNull(Variant v) {
    return v.isNull() ? Variant(0) : v;
}

Variant accumulate(AggregateKind kind, const Variant& current, const Variant& value) {
    switch (kind) {
    case AggregateKind::Sum:
    case AggregateKind::Avg:
        return current + value;
    case AggregateKind::Min:
        return Variant::compare(value, current) < 0 ? value : current;
    case AggregateKind::Max:
        return Variant::compare(value, current) > 0 ? value : current;
    case AggregateKind::Count:
        return current + Variant(1);
    }
    return current;
}

} // namespace

std::string AggregateKey::text() const {
    std::string s;
    if (!column.empty()) s.append(column).push_back(kSeparator);
    s.append(band).push_back(kSeparator);
    s.push_back(static_cast<char>(kind));
    s.push_back(kSeparator);
    s.append(expression).push_back(kSeparator);
    s.append(flag).push_back(kSeparator);
    return s;
}

std::optional<AggregateKey> AggregateKey::parse(std::string_view text) {
    // the expression may itself hold the separator: the flag is taken from the end
    if (text.empty() || text.back() != kSeparator) return std::nullopt;
    AggregateKey key;
    std::size_t pos = text.find(kSeparator);
    if (isColumnField(text.substr(0, pos))) {
        key.column = text.substr(0, pos);
        text.remove_prefix(pos + 1);
        pos = text.find(kSeparator);
    }
    key.band = text.substr(0, pos);
    text.remove_prefix(pos + 1);
    if (text.size() < 2 || !isKind(text[0]) || text[1] != kSeparator) return std::nullopt;
    key.kind = static_cast<AggregateKind>(text[0]);
    text.remove_prefix(2);
    text.remove_suffix(1);
    const std::size_t flagStart = text.rfind(kSeparator);
    if (flagStart == std::string_view::npos) return std::nullopt;
    key.expression = text.substr(0, flagStart);
    key.flag = text.substr(flagStart + 1);
    return key;
}

Variant InitialAggregateValue(AggregateKind kind) {
    return kind == AggregateKind::Min ? Variant(1e300) : Variant(0);
}

void CallAggregate(AggregateKind kind, std::string_view p1, std::string_view p2,
                   std::string_view p3, Variant& val, const AggregateContext& context) {
    const CallArguments args = arguments(kind, p1, p2, p3);
    if (context.PreparingAggregates)
        registerCall(kind, args, context);
    else
        readTotal(kind, args, val, context);
}

void AccumulateAggregates(AggregateHost& band, TvlParser& parser) {
    TvlVariables& values = band.AggregateValues;
    const bool cross = band.hasCrossObjects();
    const std::string column = std::to_string(band.crossColumn());
    if (cross) addColumnCopies(values, column);
    std::string lastExpression;
    Variant lastValue;
    bool evaluated = false;
    for (int i = 0; i < values.Count(); ++i) {
        const std::optional<AggregateKey> key = AggregateKey::parse(values.GetName(i));
        if (!key) continue;
        // column copies belong to their own column; the "0" templates to none
        if (!key->column.empty() && (!cross || key->column == "0" || key->column != column))
            continue;
        Variant value;
        if (key->kind != AggregateKind::Count) {
            // several totals of one expression evaluate it once per row
            if (!evaluated || key->expression != lastExpression) {
                lastValue = parser.Evaluate(key->expression);
                lastExpression = key->expression;
                evaluated = true;
            }
            value = zeroIfNull(lastValue);
        }
        if (band.rowVisible() || TrimBlanks(key->flag) == "1")
            values.SetValue(i, accumulate(key->kind, zeroIfNull(values.GetValue(i)), value));
    }
    ++band.AggregateRowCount;
}

void ResetAggregates(AggregateHost& footer) {
    AggregateHost* data = footer.AggregateBand;
    if (!data) return;
    TvlVariables& values = data->AggregateValues;
    const std::string name = footer.bandName();
    for (int i = 0; i < values.Count(); ++i) {
        const std::optional<AggregateKey> key = AggregateKey::parse(values.GetName(i));
        if (key && SameText(key->band, name)) values.SetValue(i, InitialAggregateValue(key->kind));
    }
    data->AggregateRowCount = 0;
}

} // namespace vl

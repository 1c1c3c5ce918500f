#pragma once

#include "engine/script/BandType.h"
#include "engine/script/TvlVariables.h"

#include <optional>
#include <string>
#include <string_view>

namespace vl {

class TvlParser;

// Totals of report bands: SUM, MIN, MAX, AVG and COUNT calls are found in the
// template before a build, registered as accumulators on a data band,
// accumulated per data row, read when a footer prints and reset after it.

enum class AggregateKind : char { Sum = 11, Min = 12, Max = 13, Avg = 14, Count = 15 };

// The totals state a runtime band carries, and what totals need to know of
// the band. The band engine's bands derive from it.
class AggregateHost {
public:
    virtual ~AggregateHost() = default;

    virtual std::string bandName() const = 0;
    virtual TvlBandType totalsBandType() const = 0;
    // Whether objects of the band also lie in a cross band.
    virtual bool hasCrossObjects() const = 0;
    // The band's visibility for the row being accumulated.
    virtual bool rowVisible() const = 0;
    // The cross column number of the band's page.
    virtual int crossColumn() const = 0;

    // Data band: one running value per registered call, by key.
    TvlVariables AggregateValues;
    // Data band: rows accumulated since the last reset, the divisor of AVG.
    int AggregateRowCount = 0;
    // Band that shows totals: the data band whose values it reads.
    AggregateHost* AggregateBand = nullptr;
};

// The build's side of totals: set while calls are being registered, the data
// band being prepared, and the band being registered or printed.
struct AggregateContext {
    bool PreparingAggregates = false;
    AggregateHost* AggregateScanBand = nullptr;
    AggregateHost* CurrentBand = nullptr;
};

// The name of a registered accumulator: fields each followed by the byte 1.
struct AggregateKey {
    std::string column; // empty, "0" for a cross template, or a column number
    std::string band;   // the band that shows the total
    AggregateKind kind = AggregateKind::Sum;
    std::string expression; // the first argument as written
    std::string flag;       // the flag argument as written

    std::string text() const;
    // Empty for a text that is no key.
    static std::optional<AggregateKey> parse(std::string_view text);
};

// The value an accumulator starts from: 1e300 for MIN, integer 0 otherwise.
Variant InitialAggregateValue(AggregateKind kind);

// An aggregate call of the standard library, with its raw argument texts:
// while preparing, registers it (Val stays as it is); otherwise reads the
// total into Val.
void CallAggregate(AggregateKind kind, std::string_view p1, std::string_view p2,
                   std::string_view p3, Variant& val, const AggregateContext& context);

// One data row on a data band: evaluates each registered expression with the
// build's parser and updates the totals.
void AccumulateAggregates(AggregateHost& dataBand, TvlParser& parser);

// After a band that shows totals has printed: its totals start again.
void ResetAggregates(AggregateHost& footer);

} // namespace vl

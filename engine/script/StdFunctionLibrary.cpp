#include "engine/script/StdFunctionLibrary.h"

#include "engine/script/Aggregates.h"
#include "engine/script/EngineText.h"
#include "engine/script/ScriptContext.h"
#include "engine/script/TextUtils.h"
#include "engine/script/TvlLocale.h"
#include "engine/script/TvlParser.h"
#include "engine/script/UiService.h"
#include "engine/script/ValueFormat.h"

namespace vl {

namespace {

// One call of a standard function: the raw argument texts, the result, and
// the engine whose parser evaluates the arguments.
struct StdCall {
    TvlScriptContext& engine;
    const Variant& p1;
    const Variant& p2;
    const Variant& p3;
    Variant& val;

    Variant eval(const Variant& argument) const {
        return engine.globalParser().Evaluate(argument.toString());
    }
    std::string text(const Variant& argument) const { return eval(argument).toString(); }
    const LocaleService& locale() const { return engine.localeService(); }
};

// A part of a date read back from its formatted text.
Variant datePart(const StdCall& c, const char* picture) {
    return Variant(StrToInt(FormatDateTime(picture, c.eval(c.p1).toDateTime(), c.locale())));
}

// The larger (or smaller) of two evaluated arguments, as they are.
Variant pick(const StdCall& c, bool larger) {
    const Variant a = c.eval(c.p1), b = c.eval(c.p2);
    const int order = Variant::compare(a, b);
    return (larger ? order > 0 : order < 0) ? a : b;
}

using Call = void (*)(const StdCall& c);

template <AggregateKind kind> void aggregateCall(const StdCall& c) {
    CallAggregate(kind, c.p1.toString(), c.p2.toString(), c.p3.toString(), c.val,
                  c.engine.aggregateContext());
}

void dayOf(const StdCall& c) {
    c.val = datePart(c, "d");
}
void monthOf(const StdCall& c) {
    c.val = datePart(c, "m");
}
void yearOf(const StdCall& c) {
    c.val = datePart(c, "yyyy");
}
void formatDateTime(const StdCall& c) {
    const std::string format = c.text(c.p1);
    c.val = Variant(FormatDateTime(format, c.eval(c.p2).toDateTime(), c.locale()));
}
void formatFloat(const StdCall& c) {
    const std::string format = c.text(c.p1);
    c.val = Variant(FormatFloat(format, c.eval(c.p2).toDouble(), c.locale()));
}
void formatText(const StdCall& c) {
    const std::string mask = c.text(c.p1) + ";0; ";
    c.val = Variant(FormatMaskText(mask, c.text(c.p2), c.locale()));
}
void input(const StdCall& c) {
    const std::string prompt = c.text(c.p1);
    c.val = Variant(c.engine.uiService().inputBox("", prompt, c.text(c.p2)));
}
void messageBox(const StdCall& c) {
    const std::string message = c.text(c.p1), caption = c.text(c.p2);
    c.val = Variant(c.engine.uiService().messageBox(message, caption, c.eval(c.p3).toInt()));
}
void length(const StdCall& c) {
    c.val = Variant(text::Length(c.text(c.p1)));
}
void lowerCase(const StdCall& c) {
    c.val = Variant(c.locale().lowerCase(c.text(c.p1)));
}
void upperCase(const StdCall& c) {
    c.val = Variant(c.locale().upperCase(c.text(c.p1)));
}
void nameCaseCall(const StdCall& c) {
    c.val = Variant(text::NameCase(c.text(c.p1)));
}
void trim(const StdCall& c) {
    c.val = Variant(std::string(TrimBlanks(c.text(c.p1))));
}
void pos(const StdCall& c) {
    const std::string part = c.text(c.p1);
    c.val = Variant(text::Position(part, c.text(c.p2)));
}
void maxNum(const StdCall& c) {
    c.val = pick(c, true);
}
void minNum(const StdCall& c) {
    c.val = pick(c, false);
}

// Every name the library computes and every name the designer describes
// under the standard functions, in the order the descriptions are listed:
// the text ids of its category and description, and how it is computed.
// Names without a call are answered elsewhere (the parser, the report, the
// interpreter) and only described here.
struct StdFunction {
    const char* name;
    int category;
    int description;
    Call call;
};

constexpr StdFunction kFunctions[] = {
    {"AVG", 55349, 55360, aggregateCall<AggregateKind::Avg>},
    {"COUNT", 55349, 55361, aggregateCall<AggregateKind::Count>},
    {"MAX", 55349, 55368, aggregateCall<AggregateKind::Max>},
    {"MIN", 55349, 55369, aggregateCall<AggregateKind::Min>},
    {"SUM", 55349, 55374, aggregateCall<AggregateKind::Sum>},
    {"DAYOF", 55350, 55362, dayOf},
    {"MONTHOF", 55350, 55370, monthOf},
    {"STRTODATE", 55350, 55372, nullptr},
    {"STRTOTIME", 55350, 55373, nullptr},
    {"YEAROF", 55350, 55377, yearOf},
    {"DATE", 55350, 55391, nullptr},
    {"TIME", 55350, 55392, nullptr},
    {"FORMATDATETIME", 55351, 55363, formatDateTime},
    {"FORMATFLOAT", 55351, 55364, formatFloat},
    {"FORMATTEXT", 55351, 55416, formatText},
    {"LENGTH", 55351, 55366, length},
    {"LOWERCASE", 55351, 55367, lowerCase},
    {"NAMECASE", 55351, 55371, nameCaseCall},
    {"TRIM", 55351, 55375, trim},
    {"UPPERCASE", 55351, 55376, upperCase},
    {"POS", 55351, 55414, pos},
    {"COPY", 55351, 55379, nullptr},
    {"STR", 55351, 55381, nullptr},
    {"INPUT", 55352, 55365, input},
    {"MESSAGEBOX", 55352, 55415, messageBox},
    {"IF", 55352, 55378, nullptr},
    {"PAGE#", 55352, 55390, nullptr},
    {"LINE#", 55352, 55393, nullptr},
    {"LINETHROUGH#", 55352, 55394, nullptr},
    {"COLUMN#", 55352, 55395, nullptr},
    {"TOTALPAGES", 55352, 55396, nullptr},
    {"MAXNUM", 55353, 55412, maxNum},
    {"MINNUM", 55353, 55413, minNum},
    {"MOD", 55353, 55380, nullptr},
    {"ROUND", 55353, 55385, nullptr},
    {"FRAC", 55353, 55386, nullptr},
    {"INT", 55353, 55387, nullptr},
    {"NOT", 55354, 55382, nullptr},
    {"AND", 55354, 55383, nullptr},
    {"OR", 55354, 55384, nullptr},
    {"TRUE", 55354, 55388, nullptr},
    {"FALSE", 55354, 55389, nullptr},
    {"MROK", 55355, 55397, nullptr},
    {"MRCANCEL", 55355, 55398, nullptr},
    {"CURY", 55355, 55399, nullptr},
    {"FREESPACE", 55355, 55400, nullptr},
    {"FINALPASS", 55355, 55401, nullptr},
    {"PAGEHEIGHT", 55355, 55402, nullptr},
    {"PAGEWIDTH", 55355, 55403, nullptr},
    {"PROGRESS", 55355, 55404, nullptr},
    {"MODALRESULT", 55355, 55405, nullptr},
    {"STOPREPORT", 55355, 55406, nullptr},
    {"NEWPAGE", 55355, 55407, nullptr},
    {"NEWCOLUMN", 55355, 55408, nullptr},
    {"SHOWBAND", 55355, 55409, nullptr},
    {"INC", 55355, 55410, nullptr},
    {"DEC", 55355, 55411, nullptr},
    {"REPORTCOMMENT", 55622, 55623, nullptr},
    {"REPORTNAME", 55622, 55624, nullptr},
    {"REPORTAUTOR", 55622, 55625, nullptr},
    {"VMAJOR", 55622, 55626, nullptr},
    {"VMINOR", 55622, 55627, nullptr},
    {"VRELEASE", 55622, 55628, nullptr},
    {"VBUILD", 55622, 55629, nullptr},
    {"REPORTDATE", 55622, 55630, nullptr},
    {"REPORTLASTCHANGE", 55622, 55631, nullptr},
};

} // namespace

TvlStdFunctionLibrary::TvlStdFunctionLibrary() {
    for (std::size_t row = 0; row < std::size(kFunctions); ++row) {
        const StdFunction& f = kFunctions[row];
        if (f.call) {
            names_.emplace_back(f.name);
            functions_.push_back(row);
        }
        AddDescription(f.name, LoadResString(f.category), LoadResString(f.description));
    }
}

void TvlStdFunctionLibrary::CallByNumber(int index, const Variant& p1, const Variant& p2,
                                         const Variant& p3, Variant& val) {
    if (index < 0 || static_cast<std::size_t>(index) >= functions_.size()) return;
    kFunctions[functions_[static_cast<std::size_t>(index)]].call({scriptEngine(), p1, p2, p3, val});
}

} // namespace vl

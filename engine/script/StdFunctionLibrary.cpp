#include "engine/script/StdFunctionLibrary.h"

#include "engine/script/Aggregates.h"
#include "engine/script/CodePage.h"
#include "engine/script/ScriptGlobals.h"
#include "engine/script/TextUtils.h"
#include "engine/script/TvlLocale.h"
#include "engine/script/TvlParser.h"
#include "engine/script/UiService.h"
#include "engine/script/ValueFormat.h"

namespace vl {

namespace {

Variant eval(const Variant& argument) {
    return ScriptGlobals().globalParser().Evaluate(argument.toString());
}

std::string text(const Variant& argument) {
    return eval(argument).toString();
}

// A part of a date read back from its formatted text.
Variant datePart(const Variant& argument, const char* picture) {
    return Variant(StrToInt(FormatDateTime(picture, eval(argument).toDateTime())));
}

std::string nameCase(const std::string& s) {
    const LocaleService& locale = ScriptGlobals().localeService();
    std::string out = locale.lowerCase(s);
    if (!out.empty()) out[0] = CurrentCodePage().toUpper(out[0]);
    return out;
}

int position(const std::string& part, const std::string& whole) {
    if (part.empty()) return 0;
    const std::size_t at = whole.find(part);
    return at == std::string::npos ? 0 : static_cast<int>(at) + 1;
}

void aggregate(AggregateKind kind, const Variant& p1, const Variant& p2, const Variant& p3,
               Variant& val) {
    CallAggregate(kind, p1.toString(), p2.toString(), p3.toString(), val);
}

// The larger (or smaller) of two evaluated arguments, as they are.
Variant pick(const Variant& p1, const Variant& p2, bool larger) {
    const Variant a = eval(p1), b = eval(p2);
    const int c = Variant::compare(a, b);
    return (larger ? c > 0 : c < 0) ? a : b;
}

using Call = void (*)(const Variant& p1, const Variant& p2, const Variant& p3, Variant& val);

template <AggregateKind kind>
void aggregateCall(const Variant& p1, const Variant& p2, const Variant& p3, Variant& val) {
    aggregate(kind, p1, p2, p3, val);
}

void dayOf(const Variant& p1, const Variant&, const Variant&, Variant& val) {
    val = datePart(p1, "d");
}
void monthOf(const Variant& p1, const Variant&, const Variant&, Variant& val) {
    val = datePart(p1, "m");
}
void yearOf(const Variant& p1, const Variant&, const Variant&, Variant& val) {
    val = datePart(p1, "yyyy");
}
void formatDateTime(const Variant& p1, const Variant& p2, const Variant&, Variant& val) {
    const std::string format = text(p1);
    val = Variant(FormatDateTime(format, eval(p2).toDateTime()));
}
void formatFloat(const Variant& p1, const Variant& p2, const Variant&, Variant& val) {
    const std::string format = text(p1);
    val = Variant(FormatFloat(format, eval(p2).toDouble()));
}
void formatText(const Variant& p1, const Variant& p2, const Variant&, Variant& val) {
    const std::string mask = text(p1) + ";0; ";
    val = Variant(FormatMaskText(mask, text(p2)));
}
void input(const Variant& p1, const Variant& p2, const Variant&, Variant& val) {
    const std::string prompt = text(p1);
    val = Variant(ScriptGlobals().uiService().inputBox("", prompt, text(p2)));
}
void messageBox(const Variant& p1, const Variant& p2, const Variant& p3, Variant& val) {
    const std::string message = text(p1), caption = text(p2);
    val = Variant(ScriptGlobals().uiService().messageBox(message, caption, eval(p3).toInt()));
}
void length(const Variant& p1, const Variant&, const Variant&, Variant& val) {
    val = Variant(static_cast<int>(text(p1).size()));
}
void lowerCase(const Variant& p1, const Variant&, const Variant&, Variant& val) {
    val = Variant(ScriptGlobals().localeService().lowerCase(text(p1)));
}
void upperCase(const Variant& p1, const Variant&, const Variant&, Variant& val) {
    val = Variant(ScriptGlobals().localeService().upperCase(text(p1)));
}
void nameCaseCall(const Variant& p1, const Variant&, const Variant&, Variant& val) {
    val = Variant(nameCase(text(p1)));
}
void trim(const Variant& p1, const Variant&, const Variant&, Variant& val) {
    val = Variant(std::string(TrimBlanks(text(p1))));
}
void pos(const Variant& p1, const Variant& p2, const Variant&, Variant& val) {
    const std::string part = text(p1);
    val = Variant(position(part, text(p2)));
}
void maxNum(const Variant& p1, const Variant& p2, const Variant&, Variant& val) {
    val = pick(p1, p2, true);
}
void minNum(const Variant& p1, const Variant& p2, const Variant&, Variant& val) {
    val = pick(p1, p2, false);
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
    for (const StdFunction& f : kFunctions) {
        if (f.call) {
            names_.emplace_back(f.name);
            calls_.push_back(f.call);
        }
        AddDescription(f.name, LoadResString(f.category), LoadResString(f.description));
    }
}

void TvlStdFunctionLibrary::CallByNumber(int index, const Variant& p1, const Variant& p2,
                                         const Variant& p3, Variant& val) {
    if (index < 0 || static_cast<std::size_t>(index) >= calls_.size()) return;
    calls_[static_cast<std::size_t>(index)](p1, p2, p3, val);
}

} // namespace vl

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

enum Function {
    fnAvg,
    fnCount,
    fnDayOf,
    fnFormatDateTime,
    fnFormatFloat,
    fnFormatText,
    fnInput,
    fnLength,
    fnLowerCase,
    fnMax,
    fnMaxNum,
    fnMessageBox,
    fnMin,
    fnMinNum,
    fnMonthOf,
    fnNameCase,
    fnPos,
    fnSum,
    fnTrim,
    fnUpperCase,
    fnYearOf,
};

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

} // namespace

TvlStdFunctionLibrary::TvlStdFunctionLibrary() {
    names_ = {"AVG",        "COUNT",      "DAYOF",  "FORMATDATETIME", "FORMATFLOAT",
              "FORMATTEXT", "INPUT",      "LENGTH", "LOWERCASE",      "MAX",
              "MAXNUM",     "MESSAGEBOX", "MIN",    "MINNUM",         "MONTHOF",
              "NAMECASE",   "POS",        "SUM",    "TRIM",           "UPPERCASE",
              "YEAROF"};
    addDescriptions();
}

void TvlStdFunctionLibrary::CallByNumber(int index, const Variant& p1, const Variant& p2,
                                         const Variant& p3, Variant& val) {
    const LocaleService& locale = ScriptGlobals().localeService();
    switch (index) {
    case fnAvg:
        return aggregate(AggregateKind::Avg, p1, p2, p3, val);
    case fnCount:
        return aggregate(AggregateKind::Count, p1, p2, p3, val);
    case fnMax:
        return aggregate(AggregateKind::Max, p1, p2, p3, val);
    case fnMin:
        return aggregate(AggregateKind::Min, p1, p2, p3, val);
    case fnSum:
        return aggregate(AggregateKind::Sum, p1, p2, p3, val);
    case fnDayOf:
        val = datePart(p1, "d");
        return;
    case fnMonthOf:
        val = datePart(p1, "m");
        return;
    case fnYearOf:
        val = datePart(p1, "yyyy");
        return;
    case fnFormatDateTime: {
        const std::string format = text(p1);
        val = Variant(FormatDateTime(format, eval(p2).toDateTime()));
        return;
    }
    case fnFormatFloat: {
        const std::string format = text(p1);
        val = Variant(FormatFloat(format, eval(p2).toDouble()));
        return;
    }
    case fnFormatText: {
        const std::string mask = text(p1) + ";0; ";
        val = Variant(FormatMaskText(mask, text(p2)));
        return;
    }
    case fnInput: {
        const std::string prompt = text(p1);
        val = Variant(ScriptGlobals().uiService().inputBox("", prompt, text(p2)));
        return;
    }
    case fnMessageBox: {
        const std::string message = text(p1), caption = text(p2);
        val = Variant(ScriptGlobals().uiService().messageBox(message, caption, eval(p3).toInt()));
        return;
    }
    case fnLength:
        val = Variant(static_cast<int>(text(p1).size()));
        return;
    case fnLowerCase:
        val = Variant(locale.lowerCase(text(p1)));
        return;
    case fnUpperCase:
        val = Variant(locale.upperCase(text(p1)));
        return;
    case fnNameCase:
        val = Variant(nameCase(text(p1)));
        return;
    case fnTrim:
        val = Variant(std::string(TrimBlanks(text(p1))));
        return;
    case fnPos: {
        const std::string part = text(p1);
        val = Variant(position(part, text(p2)));
        return;
    }
    case fnMaxNum:
        val = pick(p1, p2, true);
        return;
    case fnMinNum:
        val = pick(p1, p2, false);
        return;
    default:
        return;
    }
}

void TvlStdFunctionLibrary::addDescriptions() {
    struct Entry {
        const char* name;
        int category;
        int description;
    };
    static constexpr Entry entries[] = {
        {"AVG", 55349, 55360},
        {"COUNT", 55349, 55361},
        {"MAX", 55349, 55368},
        {"MIN", 55349, 55369},
        {"SUM", 55349, 55374},
        {"DAYOF", 55350, 55362},
        {"MONTHOF", 55350, 55370},
        {"STRTODATE", 55350, 55372},
        {"STRTOTIME", 55350, 55373},
        {"YEAROF", 55350, 55377},
        {"DATE", 55350, 55391},
        {"TIME", 55350, 55392},
        {"FORMATDATETIME", 55351, 55363},
        {"FORMATFLOAT", 55351, 55364},
        {"FORMATTEXT", 55351, 55416},
        {"LENGTH", 55351, 55366},
        {"LOWERCASE", 55351, 55367},
        {"NAMECASE", 55351, 55371},
        {"TRIM", 55351, 55375},
        {"UPPERCASE", 55351, 55376},
        {"POS", 55351, 55414},
        {"COPY", 55351, 55379},
        {"STR", 55351, 55381},
        {"INPUT", 55352, 55365},
        {"MESSAGEBOX", 55352, 55415},
        {"IF", 55352, 55378},
        {"PAGE#", 55352, 55390},
        {"LINE#", 55352, 55393},
        {"LINETHROUGH#", 55352, 55394},
        {"COLUMN#", 55352, 55395},
        {"TOTALPAGES", 55352, 55396},
        {"MAXNUM", 55353, 55412},
        {"MINNUM", 55353, 55413},
        {"MOD", 55353, 55380},
        {"ROUND", 55353, 55385},
        {"FRAC", 55353, 55386},
        {"INT", 55353, 55387},
        {"NOT", 55354, 55382},
        {"AND", 55354, 55383},
        {"OR", 55354, 55384},
        {"TRUE", 55354, 55388},
        {"FALSE", 55354, 55389},
        {"MROK", 55355, 55397},
        {"MRCANCEL", 55355, 55398},
        {"CURY", 55355, 55399},
        {"FREESPACE", 55355, 55400},
        {"FINALPASS", 55355, 55401},
        {"PAGEHEIGHT", 55355, 55402},
        {"PAGEWIDTH", 55355, 55403},
        {"PROGRESS", 55355, 55404},
        {"MODALRESULT", 55355, 55405},
        {"STOPREPORT", 55355, 55406},
        {"NEWPAGE", 55355, 55407},
        {"NEWCOLUMN", 55355, 55408},
        {"SHOWBAND", 55355, 55409},
        {"INC", 55355, 55410},
        {"DEC", 55355, 55411},
        {"REPORTCOMMENT", 55622, 55623},
        {"REPORTNAME", 55622, 55624},
        {"REPORTAUTOR", 55622, 55625},
        {"VMAJOR", 55622, 55626},
        {"VMINOR", 55622, 55627},
        {"VRELEASE", 55622, 55628},
        {"VBUILD", 55622, 55629},
        {"REPORTDATE", 55622, 55630},
        {"REPORTLASTCHANGE", 55622, 55631},
    };
    for (const Entry& e : entries)
        AddDescription(e.name, LoadResString(e.category), LoadResString(e.description));
}

} // namespace vl

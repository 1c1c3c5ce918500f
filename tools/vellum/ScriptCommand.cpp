#include "engine/build/TvlEngine.h"
#include "engine/script/CodePage.h"
#include "engine/script/CompiledLine.h"
#include "engine/script/EmptyReportBinding.h"
#include "engine/script/TInterpretator.h"
#include "engine/script/TextUtils.h"
#include "engine/script/TvlParser.h"
#include "engine/script/TvlVariables.h"
#include "tools/vellum/CommandLine.h"
#include "tools/vellum/CommandStop.h"
#include "tools/vellum/Commands.h"
#include "tools/vellum/ValueText.h"

#include <QFile>
#include <QStringDecoder>
#include <cstdio>

namespace vellum_cli {

namespace {

// One source line per text line, UTF-8 or else 8-bit engine text.
vl::StringList readSource(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw vl::VlError("cannot read \"" + vl::FromQt(fileName) + "\"");
    QByteArray bytes = file.readAll();
    if (bytes.endsWith('\n')) bytes.chop(1);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    (void)decoder.decode(bytes);
    const bool utf8 = !decoder.hasError();
    vl::StringList lines;
    if (bytes.isEmpty()) return lines;
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        lines.push_back(utf8 ? vl::FromQt(QString::fromUtf8(line)) : line.toStdString());
    }
    return lines;
}

// Postfix bytes below 32 or above 126 as \xHH.
std::string visible(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 32 && u <= 126) {
            out += c;
            continue;
        }
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", u);
        out += hex;
    }
    return out;
}

std::string listingLine(const std::string& line) {
    namespace c = vl::compiled;
    switch (c::KindOf(line)) {
    case c::Kind::ConditionalJump:
        return "JZ " + std::to_string(c::TargetOf(line)) + " " + visible(c::ExpressionOf(line));
    case c::Kind::Jump:
        return "JMP " + std::to_string(c::TargetOf(line));
    case c::Kind::Call:
        return "CALL " + visible(c::ExpressionOf(line));
    case c::Kind::Assignment:
        return "SET " + visible(c::AssignedName(line)) + " " + visible(c::ExpressionOf(line));
    case c::Kind::Empty:
        break;
    }
    return {};
}

// --set NAME=EXPR: the script variable NAME starts with the value of EXPR.
void presetVariables(vl::TvlEngine& g, const QStringList& texts) {
    for (const QString& text : texts) {
        const qsizetype eq = text.indexOf(QLatin1Char('='));
        const std::string name(vl::TrimBlanks(vl::FromQt(text.left(eq))));
        if (eq < 0 || name.empty())
            throw UsageError("--set needs NAME=EXPR, not \"" + vl::FromQt(text) + "\"");
        g.globalVariables().SetVariable(name,
                                        g.globalParser().Evaluate(vl::FromQt(text.mid(eq + 1))));
    }
}

void printVariables(const vl::TvlVariables& variables) {
    for (int i = 0; i < variables.Count(); ++i) {
        const std::string line =
            ValueText(vl::Variant(variables.GetName(i))) + "\t" + ValueLine(variables.GetValue(i));
        std::printf("%s\n", line.c_str());
    }
}

} // namespace

int RunScript(const QStringList& args) {
    const CommandArgs cmd(args, {QStringLiteral("set"), CommandStop::Option()},
                          {QStringLiteral("compile")});
    const QString fileName = cmd.positional(0, "FILE");
    if (cmd.positionals().size() > 1) throw UsageError("one FILE expected");
    const vl::StringList source = readSource(fileName);

    vl::TvlEngine& engine = cmd.engine();
    vl::EmptyReportBinding report(engine.script());
    report.Attach();
    vl::TInterpretator& interpreter = engine.globalInterpretator();
    vl::StringList compiled, errors;
    interpreter.CompileScript(source, compiled, errors);
    if (!errors.empty()) {
        for (const std::string& e : errors)
            std::printf("%s\n", vl::ToQt(e).toUtf8().constData());
        return 2;
    }
    if (cmd.flag(QStringLiteral("compile"))) {
        for (std::size_t i = 0; i < compiled.size(); ++i)
            std::printf("%zu\t%s\n", i, listingLine(compiled[i]).c_str());
        return 0;
    }
    presetVariables(engine, cmd.options(QStringLiteral("set")));
    {
        // Ctrl-C (or --timeout) stops the running script the way Cancel stops a build.
        const CommandStop stop(cmd);
        interpreter.RunScript(compiled);
        stop.ThrowIfStopped();
    }
    printVariables(engine.globalVariables());
    return 0;
}

} // namespace vellum_cli

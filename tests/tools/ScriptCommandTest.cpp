#include "engine/build/TvlEngine.h"
#include "engine/script/TvlVariables.h"
#include "tools/vellum/CommandLine.h"
#include "tools/vellum/Commands.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ScriptCommandTest : public ::testing::Test {
protected:
    void SetUp() override { vl::Globals().globalVariables().Clear(); }
    void TearDown() override { vl::Globals().globalVariables().Clear(); }

    // Runs "vellum script ARGS FILE" on the text; returns the exit status.
    int run(const QByteArray& text, QStringList args = {}) {
        const QString name = dir_.filePath(QStringLiteral("s.vls"));
        QFile file(name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
        file.close();
        args << name;
        testing::internal::CaptureStdout();
        try {
            const int status = vellum_cli::RunScript(args);
            output = testing::internal::GetCapturedStdout();
            return status;
        } catch (...) {
            output = testing::internal::GetCapturedStdout();
            throw;
        }
    }

    std::string output;

private:
    QTemporaryDir dir_;
};

TEST_F(ScriptCommandTest, RunsAndListsVariablesInOrder) {
    EXPECT_EQ(run("begin\r\n  s := 0; for i := 1 to 3 do s := s + i;\n  t := 'a' + CRLF;\n"
                  "  a[2] := True end\n",
                  {QStringLiteral("--set"), QStringLiteral("base=2*3")}),
              0);
    EXPECT_EQ(output, "Arr_a_2\tbool\ttrue\n"
                      "base\tdouble\t6\n"
                      "i\tdouble\t4\n"
                      "s\tdouble\t6\n"
                      "t\tstr\ta\\r\\n\n");
}

TEST_F(ScriptCommandTest, ListsCompiledLines) {
    EXPECT_EQ(run("if a >= 1 then b := 'x' else Show(a)", {QStringLiteral("--compile")}), 0);
    EXPECT_EQ(output, "0\tJZ 3 a 1 \\x01\n"
                      "1\tSET b 'x' \n"
                      "2\tJMP 4\n"
                      "3\tCALL Show(a)\n");
}

TEST_F(ScriptCommandTest, CompileErrorsExitWithStatusTwo) {
    EXPECT_EQ(run("begin\n  a := 1\n  b := 2\nend\n"), 2);
    EXPECT_EQ(output, "Line 3/3: Need \";\" or \"end\" here\n");
    EXPECT_EQ(run("begin goto 5 end", {QStringLiteral("--compile")}), 2);
    EXPECT_EQ(output, "Line 1/12: Undefined label 5\n");
}

TEST_F(ScriptCommandTest, RunTimeErrorsAndUsage) {
    EXPECT_THROW(run("a := b"), vl::VlError);
    EXPECT_THROW(run("a := 1", {QStringLiteral("--set"), QStringLiteral("=1")}),
                 vellum_cli::UsageError);
    EXPECT_THROW(vellum_cli::RunScript({QStringLiteral("/nonexistent/file")}), vl::VlError);
}

} // namespace

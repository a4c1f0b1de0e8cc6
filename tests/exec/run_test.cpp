// Running programs: output on the screen, typed input, run-time errors, the same output as
// the command-line runner, and many runs leaving nothing behind.
#include <fstream>
#include <sstream>

#include "app/ids.h"
#include "console/screen.h"
#include "exec/compmgr.h"
#include "run_fixture.h"

namespace {

TEST_F(RunTest, CtrlF9CompilesRunsAndShowsTheOutput) {
    open_program("hola.zq",
                 "var n : cadena\ninicio\n  imprimir(\"nombre? \")\n  leer(n)\n"
                 "  imprimir(\"hola \", n, \" \xf1\\n\")\nfin\n");
    editor_command(ID_EJECUTAR);
    EXPECT_TRUE(active()->editor()->GetReadOnly());
    type_line(L"Ana");
    ASSERT_TRUE(wait_run_end());
    EXPECT_EQ(screen_text(), "nombre? Ana\nhola Ana \xf1\n");
    EXPECT_FALSE(active()->editor()->GetReadOnly());
    EXPECT_TRUE(errors_shown.empty());
    EXPECT_TRUE(output()->IsShown());
}

TEST_F(RunTest, ARunTimeErrorShowsItsLineAndEndsTheRun) {
    open_program("div.zq", "var a : numerico\ninicio\n  a = 1\n  a = 10 / (a - 1)\nfin\n");
    editor_command(ID_EJECUTAR);
    ASSERT_TRUE(wait_until([&] { return !errors_shown.empty(); }));
    EXPECT_EQ(errors_shown[0].title, L"Error de ejecución");
    EXPECT_EQ(errors_shown[0].message, "Error : Divisor es 0\n");
    mytext* text = active()->editor();
    EXPECT_EQ(text->GetCurrentPos(), text->PositionFromLine(3));
    EXPECT_TRUE(text->MarkerGet(3) & (1 << MARKER_ERROR_LINE));
    EXPECT_TRUE(wait_run_end());
}

TEST_F(RunTest, ACompileErrorBeforeARunLeavesTheEditorWritable) {
    open_program("e.zq", "inicio\n  x = 1\nfin\n");
    editor_command(ID_EJECUTAR);
    ASSERT_TRUE(wait_until([&] { return !errors_shown.empty(); }));
    EXPECT_EQ(errors_shown[0].title, L"Error de compilación");
    EXPECT_FALSE(running());
    EXPECT_FALSE(active()->editor()->GetReadOnly());
}

// The first run always compiles; a deleted object file is compiled again.
TEST_F(RunTest, ARunCompilesWhenTheObjectFileIsStaleOrMissing) {
    write_file("s.zqx", "not an object file");
    open_program("s.zq", "inicio\n  imprimir(\"uno\\n\")\nfin\n");
    editor_command(ID_EJECUTAR);
    ASSERT_TRUE(wait_run_end());
    EXPECT_EQ(screen_text(), "uno\n");
    std::remove((dir + "/s.zqx").c_str());
    editor_command(ID_EJECUTAR);
    ASSERT_TRUE(wait_run_end());
    EXPECT_EQ(screen_text(), "uno\nuno\n");
}

// An edit marks only its own window's code out of date.
TEST_F(RunTest, AnEditMarksOnlyItsOwnWindowOutOfDate) {
    open_program("a.zq", "inicio\nfin\n");
    ChildFrame* a = active();
    ASSERT_TRUE(main->abrir(write_file("b.zq", "inicio\nfin\n")));
    ChildFrame* b = active();
    ASSERT_NE(a, b);
    command(a, ID_COMPILAR);
    command(b, ID_COMPILAR);
    b->editor()->AddText("\n");
    EXPECT_TRUE(a->comp_manager()->compiled);
    EXPECT_FALSE(b->comp_manager()->compiled);
}

// The screen keeps no trailing blanks.
std::string without_trailing_blanks(const std::string& text) {
    std::string out;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        line.erase(line.find_last_not_of(' ') + 1);
        out += line + "\n";
    }
    return out;
}

std::string program_file(const std::string& name, const std::string& ext) {
    std::ifstream in(std::string(ZQ_PROGRAMS_DIR) + "/" + name + ext, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The screen shows what the command-line runner prints for the same programs.
TEST_F(RunTest, WholeProgramsShowTheRunnersOutput) {
    for (const std::string name : {"aritmetica", "control", "desde", "recursion", "registros"}) {
        open_program(name + ".zq", program_file(name, ".zq"));
        editor_command(ID_EJECUTAR);
        ASSERT_TRUE(wait_run_end()) << name;
        EXPECT_EQ(screen_text(), without_trailing_blanks(program_file(name, ".out"))) << name;
        EXPECT_TRUE(errors_shown.empty()) << name;
        TearDown();
        SetUp();
    }
}

// Every run joins its thread; nothing piles up over many runs.
TEST_F(RunTest, AHundredRunsLeaveNoThreadBehind) {
    open_program("corto.zq", "inicio\n  imprimir(\"x\")\nfin\n");
    editor_command(ID_EJECUTAR);
    ASSERT_TRUE(wait_run_end());
    const int threads = thread_count();
    for (int i = 0; i < 100; ++i) {
        editor_command(ID_EJECUTAR);
        ASSERT_TRUE(wait_run_end()) << i;
    }
    EXPECT_EQ(thread_count(), threads);
    EXPECT_EQ(output()->screen()->row_text(0).substr(0, 80), std::string(80, 'x'));
    EXPECT_TRUE(errors_shown.empty());
}

}  // namespace

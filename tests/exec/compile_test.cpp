// The compile command: the object file beside the source, compile errors in the error dialog
// and "Ver fuente" taking the caret to the error.
#include <unistd.h>

#include "app/ids.h"
#include "exec/compmgr.h"
#include "run_fixture.h"

namespace {

TEST_F(RunTest, CompileWritesTheObjectFileBesideTheSource) {
    open_program("suma.zq", "inicio\n  imprimir(1 + 2)\nfin\n");
    editor_command(ID_COMPILAR);
    EXPECT_EQ(access((dir + "/suma.zqx").c_str(), R_OK), 0);
    EXPECT_EQ(q->shown, (std::vector<Shown>{{"Mensaje", L"Compilación exitosa"}}));
    EXPECT_TRUE(active()->comp_manager()->compiled);
}

TEST_F(RunTest, CompileSavesAModifiedTextFirst) {
    open_program("m.zq", "inicio\nfin\n");
    active()->editor()->GotoLine(1);
    type("  imprimir(7)\n");
    editor_command(ID_COMPILAR);
    EXPECT_EQ(read_file(dir + "/m.zq"), "inicio\n  imprimir(7)\nfin\n");
    EXPECT_EQ(access((dir + "/m.zqx").c_str(), R_OK), 0);
}

TEST_F(RunTest, CompileOfAnEmptyUnnamedEditorDoesNothing) {
    start();
    editor_command(ID_COMPILAR);
    EXPECT_TRUE(q->shown.empty());
    EXPECT_FALSE(wait_until([&] { return !errors_shown.empty(); }, 200));
}

struct CompileErrorCase {
    std::string source;
    int line, column;
    wxString message;
};

TEST_F(RunTest, ACompileErrorShowsItsDialogAndVerFuenteMarksTheLine) {
    const CompileErrorCase cases[] = {
        {"var a : numerico\ninicio\n  a = 1\n  b = 2\nfin\n", 4, 3,
         L"Error : `b' no está definido\n"},
        {"inicio\n  imprimir(1 +)\nfin\n", 2, 15,
         L"Error : Se requiere un factor como parte de la expresión. Se encontró `)'\n"},
    };
    for (const CompileErrorCase& c : cases) {
        open_program("err.zq", c.source);
        editor_command(ID_COMPILAR);
        ASSERT_TRUE(wait_until([&] { return !errors_shown.empty(); }));
        EXPECT_EQ(errors_shown[0].title, L"Error de compilación");
        EXPECT_TRUE(errors_shown[0].message.StartsWith(c.message)) << errors_shown[0].message;
        mytext* text = active()->editor();
        EXPECT_EQ(text->GetCurrentLine(), c.line - 1);
        EXPECT_EQ(text->GetColumn(text->GetCurrentPos()), c.column - 1);
        EXPECT_TRUE(text->MarkerGet(c.line - 1) & (1 << MARKER_ERROR_LINE));
        EXPECT_TRUE(q->shown.empty()) << "no success message after an error";
        EXPECT_NE(access((dir + "/err.zqx").c_str(), R_OK), 0);
        TearDown();
        SetUp();
    }
}

TEST_F(RunTest, LastErrorShowsTheDialogAgainOrSaysThereIsNone) {
    open_program("u.zq", "inicio\n  x = 1\nfin\n");
    editor_command(ID_ULTIMO_ERROR);
    EXPECT_EQ(q->shown, (std::vector<Shown>{{"Mensaje", "No hay mensaje que mostrar"}}));
    editor_command(ID_COMPILAR);
    ASSERT_TRUE(wait_until([&] { return errors_shown.size() == 1; }));
    editor_command(ID_ULTIMO_ERROR);
    ASSERT_TRUE(wait_until([&] { return errors_shown.size() == 2; }));
    EXPECT_EQ(errors_shown[1].title, L"Error de compilación");
    EXPECT_EQ(errors_shown[1].message, errors_shown[0].message);
}

// A source whose own extension is .zqx would be overwritten by its object file.
TEST_F(RunTest, ASourceNamedLikeItsObjectFileIsNotOverwritten) {
    open_program("p.zqx", "inicio\nfin\n");
    editor_command(ID_COMPILAR);
    EXPECT_EQ(q->shown, (std::vector<Shown>{
                            {L"Atención", "Nombres de archivo de entrada y salida son iguales"},
                            {"Error",
                             "No se puede escribir en el directorio de trabajo,verifique si "
                             "tiene los permisos necesarios"}}));
    EXPECT_EQ(read_file(dir + "/p.zqx"), "inicio\nfin\n");
}

// Only the first 299 characters of a line reach the compiler; a Ctrl-Z ends the source.
TEST_F(RunTest, LongLinesAreCutAndCtrlZEndsTheSource) {
    const std::string comment = "// " + std::string(400, 'x');
    open_program("l.zq", "inicio\n  imprimir(1) " + comment + "\nfin \x1a\nbasura sin sentido\n");
    editor_command(ID_COMPILAR);
    EXPECT_EQ(q->shown, (std::vector<Shown>{{"Mensaje", L"Compilación exitosa"}}));
    EXPECT_TRUE(errors_shown.empty());
}

}  // namespace

// The zq runner: options, exit statuses, object files and text encodings.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "tests/compiler/test_support.h"

namespace {

class Cli : public testing::Test {
  protected:
    void SetUp() override {
        char temp[] = "/tmp/zqcliXXXXXX";
        ASSERT_NE(mkdtemp(temp), nullptr);
        dir = temp;
    }
    void TearDown() override { std::system(("rm -rf " + dir).c_str()); }

    void write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir + "/" + name, std::ios::binary) << bytes;
    }
    RunResult zq(const std::string& args, const std::string& input = "", const char* locale = "C") {
        return run_zq(args, input, locale, dir);
    }

    std::string dir;
};

TEST_F(Cli, UsageAndFileErrorsExitWith3) {
    write("texto.zqx", "esto no es un objeto\n");
    const struct {
        const char* args;
        const char* err;
    } cases[] = {
        {"", "zq: falta el programa\n"},
        {"--nada x.zq", "zq: opción desconocida `--nada'\n"},
        {"--code 0 x.zq", "zq: --code debe ser un entero entre 1 y 100000\n"},
        {"--stack 2000000 x.zq", "zq: --stack debe ser un entero entre 500 y 1000000\n"},
        {"--stack", "zq: falta el valor de --stack\n"},
        {"-c x.zq uno", "zq: -c no admite argumentos para el programa\n"},
        {"nada.zq", "zq: no se puede leer `nada.zq': No such file or directory\n"},
        {"texto.zqx",
         "zq: texto.zqx: Programa no parece ser haber sido generado por compilador zqc\n"},
    };
    for (const auto& c : cases) {
        const RunResult r = zq(c.args);
        EXPECT_EQ(r.status, 3) << c.args;
        EXPECT_EQ(r.err.substr(0, r.err.find('\n') + 1), L(c.err)) << c.args;
        EXPECT_EQ(r.out, "") << c.args;
    }
}

TEST_F(Cli, HelpAndVersion) {
    const RunResult help = zq("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Uso: zq [opciones] PROGRAMA.zq [ARGUMENTO...]\n", 0), 0u);
    EXPECT_NE(help.out.find("--stack N"), std::string::npos);
    const RunResult version = zq("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("zq (ZQE) ", 0), 0u);
}

TEST_F(Cli, CompileOnlyWritesAnObjectThatRunsWithArguments) {
    write("p.zq", "inicio\nimprimir(paramval(1), 1234567)\nfin\n");
    const RunResult compiled = zq("-c p.zq");
    EXPECT_EQ(compiled.status, 0) << compiled.err;
    EXPECT_EQ(compiled.out, "");
    const RunResult fromSource = zq("p.zq hola");
    const RunResult fromObject = zq("p.zqx hola");
    EXPECT_EQ(fromSource.out, "hola1.23457e+06");
    EXPECT_EQ(fromObject.out, fromSource.out);
    EXPECT_EQ(fromObject.status, 0);
}

TEST_F(Cli, CompileErrorsLookLikeAC_Compiler_s) {
    write("e.zq", "inicio\n  imprimir(1 +)\nfin\n");
    const RunResult r = zq("e.zq");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, L("e.zq:2:15: error: Se requiere un factor como parte de la expresión. Se "
                       "encontró `)'\n  imprimir(1 +)\n              ^\n"));
    const RunResult utf8 = zq("e.zq", "", "C.UTF-8");
    EXPECT_EQ(
        utf8.err.substr(0, utf8.err.find('\n')),
        "e.zq:2:15: error: Se requiere un factor como parte de la expresión. Se encontró `)'");
}

TEST_F(Cli, UnderAUtf8LocaleSourceInputAndOutputAreConverted) {
    write("u.zq",
          "var s : cadena\ninicio\nleer(s)\nimprimir(\"año \", ord(\"ñ\"), \" \", strlen(s), "
          "s)\nfin\n");
    const RunResult r = zq("u.zq", "ñandú\n", "C.UTF-8");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "año -15 5ñandú");
    // Without a UTF-8 locale the program's own Latin-1 bytes go out unchanged.
    const RunResult latin1 = zq("u.zq", "\xF1\n", "C");
    EXPECT_EQ(latin1.out, "a\xF1o -15 1\xF1");
}

TEST_F(Cli, ALatin1SourceIsTakenAsItIs) {
    write("l.zq", "inicio\nimprimir(strlen(\"\xF1\xE1\"))\nfin\n");
    EXPECT_EQ(zq("l.zq").out, "2");
}

TEST_F(Cli, ACharacterBeyondLatin1IsACompileError) {
    write("x.zq", "inicio\nimprimir(\"10 €\")\nfin\n");
    const RunResult r = zq("x.zq");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.substr(0, r.err.find('\n')),
              L("x.zq:2:14: error: El carácter Unicode U+20AC no existe en Latin-1 y no puede "
                "usarse en ZQ"));
}

TEST_F(Cli, RunTimeErrorsExitWith1AfterTheMachinesReport) {
    write("r.zq", "var v : vector [2] numerico\ninicio\nimprimir(\"a\")\nv[3] = 1\nfin\n");
    const RunResult r = zq("r.zq");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "a\n\nError de ejecucion (linea=4): Indice fuera de rango");
}

TEST_F(Cli, LimitsCanBeRaised) {
    std::string body;
    for (int i = 0; i < 3000; ++i) body += "x = x + 1\n";
    write("big.zq", "var x : numerico\ninicio\n" + body + "imprimir(x)\nfin\n");
    const RunResult small = zq("big.zq");
    EXPECT_EQ(small.status, 2);
    EXPECT_NE(small.err.find(L("muy pequeño. Actualmente es 9000 bytes")), std::string::npos);
    const RunResult raised = zq("--code 20000 big.zq");
    EXPECT_EQ(raised.status, 0) << raised.err;
    EXPECT_EQ(raised.out, "3000");
}

}  // namespace

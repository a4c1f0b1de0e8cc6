// Symbols, types and the symbol table; how the compiler copes with limits and bad input.
#include <gtest/gtest.h>

#include <string>

#include "tests/compiler/test_support.h"

namespace {

TipoDato* typeOf(Compilation& c, const char* var) {
    return static_cast<Var*>(c.table.find(var, ss_ALL))->getType();
}

TEST(Types, SizesAreCountedInCells) {
    Compilation c(
        "tipos R : registro { n : numerico; s : cadena; v : vector [10] numerico }\n"
        "  S : registro { r : R; x : numerico }\nvar r : R\n  s : S\ninicio\nfin");
    ASSERT_EQ(c.error(), 0);
    EXPECT_EQ(typeOf(c, "r")->getSize(), 3);
    EXPECT_EQ(typeOf(c, "s")->getSize(), 4);
}

TEST(Types, EquivalenceIsStructuralAndStrictAboutFixedSizes) {
    Compilation c(
        "var a : vector [3] numerico\n  b : vector [5] numerico\n  o : vector [*] numerico\n"
        "  p : registro { a : numerico }\n  q : registro { b : numerico }\n"
        "  m : matriz [2, 3] cadena\ninicio\nfin");
    ASSERT_EQ(c.error(), 0);
    TipoDato* a = typeOf(c, "a");
    TipoDato* b = typeOf(c, "b");
    TipoDato* o = typeOf(c, "o");
    EXPECT_TRUE(b->typeEquiv(a, 0));
    EXPECT_FALSE(b->typeEquiv(a, 1));
    EXPECT_TRUE(a->typeEquiv(o, 1)) << "an open array accepts any size";
    EXPECT_TRUE(b->typeEquiv(o, 1));
    EXPECT_TRUE(typeOf(c, "q")->typeEquiv(typeOf(c, "p"), 1)) << "field names do not count";
    auto* m = static_cast<TDArray*>(typeOf(c, "m"));
    EXPECT_EQ(m->getDim(), 2);
    EXPECT_EQ(static_cast<TDArray*>(m->getElementsType())->getDim(), 3);
}

TEST(Symbols, ParametersSitBelowTheFrameAndTheResultBelowThem) {
    Compilation c(
        "inicio\nfin\nsub f(a : numerico; ref b : cadena; c : registro { x, y : numerico }) "
        "retorna numerico\ninicio\nretorna a\nfin");
    ASSERT_EQ(c.error(), 0);
    auto* f = static_cast<ProcInfo*>(c.table.find("f", ss_ALL));
    EXPECT_EQ(static_cast<Var*>(f->paramAt(0))->address(), -5);
    EXPECT_EQ(static_cast<Var*>(f->paramAt(1))->address(), -4);
    EXPECT_EQ(static_cast<Var*>(f->paramAt(2))->address(), -3);
    EXPECT_EQ(f->getRetAddr(), -6);
    EXPECT_EQ(f->getParamsSize(), 4);
}

TEST(Symbols, ScopesAndPredefinedNames) {
    Compilation c(
        "var x, TRUE : numerico\ninicio\nTRUE = 2\nleer(x)\nfin\n"
        "sub leer(ref n : numerico)\nvar x : cadena\ninicio\nx = \"local\"\nn = 1\nfin");
    ASSERT_EQ(c.error(), 0) << c.firstError().getMessage();
    EXPECT_EQ(c.table.find("SI", ss_ALL)->tipo(), to_VAR);
    EXPECT_EQ(c.table.find("Si", ss_ALL), nullptr);
    EXPECT_EQ(c.table.find("true", ss_ALL), nullptr);
    EXPECT_EQ(c.code().find("i_CALL_STDF 500"), std::string::npos) << "the program's leer wins";
    Compilation dup("var f : numerico\ninicio\nfin\nsub f()\ninicio\nfin");
    EXPECT_EQ(std::string(dup.firstError().getMessage()), L("`f' está duplicado"));
}

TEST(Symbols, EqualLiteralsShareOnePoolEntry) {
    Compilation c(
        "var a : numerico\n  s : cadena\ninicio\na = 5 + 5 + 0\ns = \"Ab\" + \"ab\" + \"Ab\"\nfin");
    ASSERT_EQ(c.error(), 0);
    int fives = 0;
    int zeros = 0;
    int strings = 0;
    for (int i = 0; i < c.exec.getConstantsSize(); ++i) {
        const ZQVal* v = c.exec.getConstPtr(i);
        if (v->tipo == s_NUM) {
            fives += v->num == 5;
            zeros += v->num == 0;
        }
        if (v->tipo == s_STR) strings += std::string(v->str) == "Ab" || std::string(v->str) == "ab";
    }
    EXPECT_EQ(fives, 1);
    EXPECT_EQ(zeros, 1) << "the literal 0 shares numerico's default";
    EXPECT_EQ(strings, 2) << "texts differing in case are two constants";
}

TEST(Limits, AFullCodeSegmentIsACompileError) {
    std::string source = "var x : numerico\ninicio\n";
    for (int i = 0; i < 20; ++i) source += "x = x + 1\n";
    source += "fin\n";
    Compilation c(source, 1, 1, 40);
    ASSERT_EQ(c.error(), 1);
    EXPECT_STREQ(c.firstError().getContext(), "memoria");
    EXPECT_EQ(std::string(c.firstError().getMessage()),
              L("El tamaño asignado para el código es muy pequeño. Actualmente es 40 bytes"));
}

TEST(Limits, AFullConstantPoolIsACompileError) {
    std::string source = "var x : numerico\ninicio\n";
    for (int i = 0; i < 600; ++i) source += "x = " + std::to_string(i + 1000) + "\n";
    source += "fin\n";
    Compilation c(source, 1, 1, 9000, 500);
    ASSERT_EQ(c.error(), 1);
    EXPECT_STREQ(c.firstError().getContext(), "memoria");
    EXPECT_EQ(std::string(c.firstError().getMessage()),
              L("La memoria asignada para las constantes literales es muy pequeña. Actualmente "
                "es 500 bytes"));
}

TEST(Limits, DeepNestingIsRefusedWithAClearError) {
    const std::string deep(5000, '(');
    const std::string cases[] = {
        "inicio\nimprimir(" + deep + "1" + std::string(5000, ')') + ")\nfin",
        "inicio\nimprimir(" + std::string(5000, '-') + "1)\nfin",
        "var x : numerico\ninicio\n" +
            [] {
                std::string s;
                for (int i = 0; i < 3000; ++i) s += "si (TRUE) {\n";
                return s;
            }() +
            "fin",
        "tipos T : " +
            [] {
                std::string s;
                for (int i = 0; i < 3000; ++i) s += "vector [1]\n";
                return s;
            }() +
            "numerico\ninicio\nfin",
        "tipos T : " +
            [] {
                std::string s;
                for (int i = 0; i < 3000; ++i) s += "registro { a :\n";
                return s;
            }(),
    };
    for (const std::string& source : cases) {
        Compilation c(source);
        ASSERT_EQ(c.error(), 1);
        EXPECT_STREQ(c.firstError().getContext(), "memoria");
        EXPECT_EQ(std::string(c.firstError().getMessage()),
                  L("El programa anida demasiadas expresiones, sentencias o tipos; el límite es "
                    "200 niveles"));
    }
}

TEST(Errors, AnOwnerThatContinuesGetsEveryIndependentError) {
    Compilation c("var a : numerico\ninicio\na = \"x\"\nimprimir(q)\na = 1\nfin", 10);
    ASSERT_EQ(c.error(), 1);
    ASSERT_EQ(c.parser->errors().size(), 2u);
    EXPECT_EQ(c.parser->errors()[0].getLineNumber(), 3);
    EXPECT_EQ(c.parser->errors()[1].getLineNumber(), 4);
    EXPECT_EQ(std::string(c.parser->errors()[1].getMessage()), L("`q' no está definido"));
}

TEST(Errors, AScannerErrorInTheFirstPassIsTheOnlyOneReported) {
    Compilation c("var a : numerico\ninicio\na = \"x\"\na = 1 # 2\nfin");
    ASSERT_EQ(c.parser->errors().size(), 1u);
    EXPECT_EQ(c.firstError().getLineNumber(), 4);
    EXPECT_STREQ(c.firstError().getContext(), "lex");
}

TEST(Errors, ANulByteIsReportedWhereItIs) {
    Compilation c(std::string("inicio\nimprimir(1)\0 x\nfin", 24));
    ASSERT_EQ(c.error(), 1);
    EXPECT_EQ(c.firstError().getLineNumber(), 2);
    EXPECT_EQ(c.firstError().getColNumber(), 12);
    EXPECT_EQ(std::string(c.firstError().getMessage()),
              L("El carácter ASCII 0 (no imprimible) no tiene significado en ZQ"));
}

TEST(Errors, LinesAreCutAfter299CharactersAsInTheEditor) {
    const std::string longLine = "imprimir(1) //" + std::string(285, ' ') + "# ignorado";
    Compilation c("inicio\n" + longLine + "\nfin");
    EXPECT_EQ(c.error(), 0);
}

}  // namespace

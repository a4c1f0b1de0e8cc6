// Token tables for the scanner: kinds, texts, columns and its own error messages.
#include <gtest/gtest.h>

#include <cstdarg>
#include <string>
#include <vector>

#include "compiler/zqscanner.h"
#include "tests/compiler/test_support.h"

namespace {

struct Tok {
    int kind;
    std::string text;
};

// Feeds lines from a text and keeps the tokens and the reported errors.
class Probe : public ZQScanner {
  public:
    explicit Probe(const std::string& source) {
        size_t start = 0;
        while (start < source.size()) {
            size_t end = source.find('\n', start);
            if (end == std::string::npos) end = source.size();
            lines.push_back(source.substr(start, end - start) + "\n");
            start = end + 1;
        }
    }
    int lineNumber() override { return line; }
    int getNextLine(char* buffer, int maxLen) override {
        if (line >= static_cast<int>(lines.size())) return 0;
        snprintf(buffer, static_cast<size_t>(maxLen), "%s",
                 lines[static_cast<size_t>(line++)].c_str());
        return 1;
    }
    void raiseError(int l, int col, const char* topic, const char*, const char* format,
                    ...) override {
        char text[1024];
        va_list args;
        va_start(args, format);
        vsnprintf(text, sizeof text, format, args);
        va_end(args);
        errors.push_back(std::to_string(l) + ":" + std::to_string(col) + ":" + topic + ":" + text);
    }
    // Tokens up to the end of the source, line ends left out unless asked for.
    std::vector<Tok> all(bool withEoln = false) {
        std::vector<Tok> out;
        for (int k = nextToken(); k != tk_EOF; k = nextToken()) {
            if (k != tk_EOLN || withEoln) out.push_back({k, getTokenString()});
        }
        return out;
    }

    std::vector<std::string> errors;

  private:
    std::vector<std::string> lines;
    int line = 0;
};

struct TokenCase {
    const char* source;
    std::vector<Tok> tokens;
};

class ScannerTokens : public testing::TestWithParam<TokenCase> {};

TEST_P(ScannerTokens, ProducesKindsAndTexts) {
    Probe p(L(GetParam().source));
    const std::vector<Tok> got = p.all();
    ASSERT_EQ(got.size(), GetParam().tokens.size()) << GetParam().source;
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].kind, GetParam().tokens[i].kind) << GetParam().source << " #" << i;
        EXPECT_EQ(got[i].text, L(GetParam().tokens[i].text)) << GetParam().source << " #" << i;
    }
    EXPECT_TRUE(p.errors.empty()) << p.errors.front();
}

INSTANTIATE_TEST_SUITE_P(
    Table, ScannerTokens,
    testing::Values(
        TokenCase{"a<>b a<=b a==b a=b",
                  {{tk_IDENT, "a"},
                   {tk_NE, "<>"},
                   {tk_IDENT, "b"},
                   {tk_IDENT, "a"},
                   {tk_LE, "<="},
                   {tk_IDENT, "b"},
                   {tk_IDENT, "a"},
                   {tk_EQ, "=="},
                   {tk_IDENT, "b"},
                   {tk_IDENT, "a"},
                   {tk_ASSIGN, "="},
                   {tk_IDENT, "b"}}},
        TokenCase{"!x && y || z >= 1 > 2 < 3",
                  {{tk_NOT, "!"},
                   {tk_IDENT, "x"},
                   {tk_AND, "&&"},
                   {tk_IDENT, "y"},
                   {tk_OR, "||"},
                   {tk_IDENT, "z"},
                   {tk_GE, ">="},
                   {tk_NUMCONST, "1"},
                   {tk_GT, ">"},
                   {tk_NUMCONST, "2"},
                   {tk_LT, "<"},
                   {tk_NUMCONST, "3"}}},
        TokenCase{"{ : , ... / } [ ( - % * . + ^ ] ) ;",
                  {{tk_LBRACE, "{"},
                   {tk_COLON, ":"},
                   {tk_COMMA, ","},
                   {tk_ELLIPSIS, "..."},
                   {tk_DIV, "/"},
                   {tk_RBRACE, "}"},
                   {tk_LBRACKET, "["},
                   {tk_LPAREN, "("},
                   {tk_MINUS, "-"},
                   {tk_PERCENT, "%"},
                   {tk_STAR, "*"},
                   {tk_DOT, "."},
                   {tk_PLUS, "+"},
                   {tk_CARET, "^"},
                   {tk_RBRACKET, "]"},
                   {tk_RPAREN, ")"},
                   {tk_SEMICOLON, ";"}}},
        TokenCase{"1_000.5e-3 2E+5 12abc 7",
                  {{tk_NUMCONST, "1000.5e-3"},
                   {tk_NUMCONST, "2E5"},
                   {tk_NUMCONST, "12"},
                   {tk_IDENT, "abc"},
                   {tk_NUMCONST, "7"}}},
        TokenCase{R"("it's" 'say "hi"' "tab\there" "a\\" "q\"x" '')",
                  {{tk_STRCONST, "it's"},
                   {tk_STRCONST, "say \"hi\""},
                   {tk_STRCONST, "tab\there"},
                   {tk_STRCONST, "a\\"},
                   {tk_STRCONST, "q\"x"},
                   {tk_STRCONST, ""}}},
        TokenCase{"año Sino FIN _x x_1",
                  {{tk_IDENT, "año"},
                   {tk_IDENT, "Sino"},
                   {tk_IDENT, "FIN"},
                   {tk_IDENT, "_x"},
                   {tk_IDENT, "x_1"}}},
        TokenCase{"and archivo caso const constantes desde eval fin hasta inicio lib libext",
                  {{tk_AND, "and"},
                   {tk_ARCHIVO, "archivo"},
                   {tk_CASO, "caso"},
                   {tk_CONST, "const"},
                   {tk_CONST, "constantes"},
                   {tk_DESDE, "desde"},
                   {tk_EVAL, "eval"},
                   {tk_FIN, "fin"},
                   {tk_HASTA, "hasta"},
                   {tk_INICIO, "inicio"},
                   {tk_LIB, "lib"},
                   {tk_LIBEXT, "libext"}}},
        TokenCase{"matriz mientras not or paso sub subrutina programa ref registro repetir",
                  {{tk_VECTOR, "matriz"},
                   {tk_MIENTRAS, "mientras"},
                   {tk_NOT, "not"},
                   {tk_OR, "or"},
                   {tk_PASO, "paso"},
                   {tk_SUB, "sub"},
                   {tk_SUB, "subrutina"},
                   {tk_PROGRAMA, "programa"},
                   {tk_REF, "ref"},
                   {tk_REGISTRO, "registro"},
                   {tk_REPETIR, "repetir"}}},
        TokenCase{"retorna salir si sino tipos var variables vector",
                  {{tk_RETORNA, "retorna"},
                   {tk_SALIR, "salir"},
                   {tk_SI, "si"},
                   {tk_SINO, "sino"},
                   {tk_TIPOS, "tipos"},
                   {tk_VAR, "var"},
                   {tk_VAR, "variables"},
                   {tk_VECTOR, "vector"}}},
        TokenCase{"sino si x sino   si y sino\tz",
                  {{tk_SINO_SI, "sino si"},
                   {tk_IDENT, "x"},
                   {tk_SINO_SI, "sino si"},
                   {tk_IDENT, "y"},
                   {tk_SINO, "sino"},
                   {tk_IDENT, "z"}}},
        TokenCase{"a /* x\ny */ b // c\nd /* a /* b */ e",
                  {{tk_IDENT, "a"}, {tk_IDENT, "b"}, {tk_IDENT, "d"}, {tk_IDENT, "e"}}},
        TokenCase{"\r\f\t x", {{tk_IDENT, "x"}}}));

TEST(Scanner, LineEndsAreTokensAndSinoDoesNotLookPastTheLine) {
    Probe p("sino\nsi");
    const std::vector<Tok> got = p.all(true);
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0].kind, tk_SINO);
    EXPECT_EQ(got[1].kind, tk_EOLN);
    EXPECT_EQ(got[2].kind, tk_SI);
    EXPECT_EQ(got[3].kind, tk_EOLN);
}

TEST(Scanner, ColumnsCountFromOneAndTabsCountOne) {
    Probe p("\tab  cd");
    p.nextToken();
    EXPECT_EQ(p.getTokenPos(), 2u);
    p.nextToken();
    EXPECT_EQ(p.getTokenPos(), 6u);
}

TEST(Scanner, LongIdentifiersAreKnownByTheirFirst32Characters) {
    const std::string name(40, 'q');
    Probe p(name);
    p.nextToken();
    EXPECT_EQ(std::string(p.getTokenString()), std::string(32, 'q'));
}

TEST(Scanner, EndOfSourceRepeats) {
    Probe p("x");
    p.all();
    EXPECT_EQ(p.nextToken(), tk_EOF);
    EXPECT_EQ(std::string(p.getTokenString()), "<fin de archivo>");
    EXPECT_EQ(p.nextToken(), tk_EOF);
}

struct LexErrorCase {
    const char* source;
    const char* error;  // line:col:topic:message
};

class ScannerErrors : public testing::TestWithParam<LexErrorCase> {};

TEST_P(ScannerErrors, ReportsWithLineColumnAndTopic) {
    Probe p(L(GetParam().source));
    p.all();
    ASSERT_FALSE(p.errors.empty()) << GetParam().source;
    EXPECT_EQ(p.errors.front(), L(GetParam().error));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ScannerErrors,
    testing::Values(
        LexErrorCase{"x = \"abc", "1:8:lex:Falta cerrar la cadena"},
        LexErrorCase{"x = 2.", "1:6:lex:Luego del punto decimal debe haber al menos un dígito"},
        LexErrorCase{"x = 2.e5", "1:6:lex:Luego del punto decimal debe haber al menos un dígito"},
        LexErrorCase{"x = 2e",
                     "1:6:lex:El número en notación científica requiere al menos un dígito para "
                     "el exponente"},
        LexErrorCase{"a */ b",
                     "1:4:lex:Se encontró cierre de comentario (`*/') que nunca fue abierto"},
        LexErrorCase{"/* a /* b */ c */",
                     "1:17:lex:Se encontró cierre de comentario (`*/') que nunca fue abierto"},
        LexErrorCase{"a & b", "1:3:lex:El carácter `&' (ASCII 38) no tiene significado en ZQ"},
        LexErrorCase{"x # y", "1:3:lex:El carácter `#' (ASCII 35) no tiene significado en ZQ"},
        LexErrorCase{"_", "1:1:lex:El carácter `_' (ASCII 95) no tiene significado en ZQ"},
        LexErrorCase{"a..b", "1:3:lex:El carácter `.' (ASCII 46) no tiene significado en ZQ"},
        LexErrorCase{"\x01",
                     "1:1:lex:El carácter ASCII 1 (no imprimible) no tiene significado en ZQ"},
        LexErrorCase{"x\n\ny /* abierto\n\n",
                     "4:1:lex:Falta cerrar comentario iniciado en la línea 3"}));

TEST(Scanner, ByteAbove127ThatIsNoLetterIsNotPrintable) {
    Probe p(std::string("a \xC8 b"));
    p.all();
    ASSERT_EQ(p.errors.size(), 1u);
    EXPECT_EQ(p.errors.front(),
              L("1:3:lex:El carácter ASCII 200 (no imprimible) no tiene significado en ZQ"));
}

}  // namespace

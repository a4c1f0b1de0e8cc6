#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "lang/fpu.h"
#include "lang/zqexec.h"
#include "tests/core/cells.h"

namespace {

// An input channel reading text from a temporary file, reporting to its own executor.
class InputTest : public ::testing::Test {
  protected:
    ZQExec e{0};
    ZQ_DefInput_File in{&e};

    void feed(const std::string& text) {
        FILE* f = std::tmpfile();
        std::fputs(text.c_str(), f);
        std::rewind(f);
        in.set_fp(f);
    }
    long double read_number() {
        ZQVal v = num_cell(-999);
        EXPECT_EQ(in.leer(&v), 1);
        return v.num;
    }
    std::string read_text() {
        ZQVal v = str_cell("");
        free(v.str);
        v.str = nullptr;
        if (!in.leer(&v)) return "<fail>";
        std::string s = v.str;
        rm_val(&v);
        return s;
    }
    int read_boolean() {
        ZQVal v = bool_cell(false);
        v.b = 7;
        if (!in.leer(&v)) return -1;
        return v.b;
    }
};

TEST_F(InputTest, MixedFieldsOnOneLine) {
    feed("12,hola,SI\n");
    EXPECT_EQ(read_number(), 12);
    EXPECT_EQ(read_text(), "hola");
    EXPECT_EQ(read_boolean(), 1);
    EXPECT_EQ(e.getAbortReason(), ar_NONE);
}

TEST_F(InputTest, NumbersOnLinesAndWithBlanks) {
    feed("1,2\n   3\n-4.5e1\n");
    for (long double x : {1.0L, 2.0L, 3.0L, -45.0L}) EXPECT_EQ(read_number(), x);
}

TEST_F(InputTest, NumberReadsToNearest) {
    const uint16_t saved = fpu_get_cw();
    fpu_reset();
    feed("0.1\n");
    const long double x = read_number();
    fpu_set_cw(saved);
    EXPECT_EQ(x, 0.1L);
}

TEST_F(InputTest, WrongSeparatorAborts17) {
    feed("1;2\n");
    ZQVal one = num_cell(0);
    EXPECT_EQ(in.leer(&one), 0);
    EXPECT_EQ(one.num, 1) << "the number itself was read";
    EXPECT_EQ(e.getAbortReason(), ar_NEED_FS);
}

TEST_F(InputTest, FailureTable) {
    struct Case {
        const char* text;
        TipoSimple tipo;
        abort_reason code;
    } const cases[] = {
        {"abc\n", s_NUM, ar_NOT_NUMERIC},
        {"false\n", s_BOOL, ar_NOT_BOOLEAN},
        {"1;2\n", s_NUM, ar_NEED_FS},
        {"x\n", s_ADDR, ar_UNKNOWN_TYPE},
    };
    for (const Case& c : cases) {
        e.setAbortReason(ar_NONE);
        feed(c.text);
        ZQVal v{};
        v.tipo = c.tipo;
        EXPECT_EQ(in.leer(&v), 0) << c.text;
        EXPECT_EQ(e.getAbortReason(), c.code) << c.text;
    }
}

TEST_F(InputTest, TextKeepsBlanksAndStopsAtSeparator) {
    feed("hola mundo,x\n,\n");
    EXPECT_EQ(read_text(), "hola mundo");
    EXPECT_EQ(read_text(), "x");
    EXPECT_EQ(read_text(), "") << "an empty field is the empty text";
    EXPECT_EQ(read_text(), "");
}

TEST_F(InputTest, BooleanTable) {
    feed("si,FALSE,No,TRUE\n");
    EXPECT_EQ(read_boolean(), 1);
    EXPECT_EQ(read_boolean(), 0);
    EXPECT_EQ(read_boolean(), 0);
    EXPECT_EQ(read_boolean(), 1);
}

TEST_F(InputTest, WithoutSeparatorTextsAreSingleCharacters) {
    in.set_ifs(nullptr);
    EXPECT_EQ(in.get_ifs(), nullptr);
    feed("a b\n");
    EXPECT_EQ(read_text(), "a");
    EXPECT_EQ(read_text(), " ");
    EXPECT_EQ(read_text(), "b");
    EXPECT_EQ(read_text(), "\n");
    ZQVal b = bool_cell(true);
    EXPECT_EQ(in.leer(&b), 0);
    EXPECT_EQ(e.getAbortReason(), ar_BOOL_NEEDS_IFS);
}

TEST_F(InputTest, OtherSeparator) {
    in.set_ifs(";");
    EXPECT_STREQ(in.get_ifs(), ";");
    feed("7;a,b\n");
    EXPECT_EQ(read_number(), 7);
    EXPECT_EQ(read_text(), "a,b");
}

TEST_F(InputTest, FieldLimitIs300Characters) {
    feed(std::string(300, 'x') + ",y\n" + std::string(301, 'z') + ",\n");
    EXPECT_EQ(read_text(), std::string(300, 'x'));
    EXPECT_EQ(read_text(), "y");
    EXPECT_EQ(read_text(), "<fail>");
    EXPECT_EQ(e.getAbortReason(), ar_NEED_FS);
}

TEST_F(InputTest, BufferOnlyGrows) {
    EXPECT_EQ(in.get_InputBufferSize(), 301);
    in.set_InputBufferSize(100);
    EXPECT_EQ(in.get_InputBufferSize(), 301);
    in.set_InputBufferSize(1001);
    EXPECT_EQ(in.get_InputBufferSize(), 1001);
    feed(std::string(1000, 'x') + "\n");
    EXPECT_EQ(read_text().size(), 1000u);
}

TEST_F(InputTest, EndOfInputLeavesTheVariable) {
    feed("1,2\n");
    read_number();
    read_number();
    ZQVal v = num_cell(77);
    EXPECT_EQ(in.leer(&v), 0);
    EXPECT_EQ(v.num, 77);
    EXPECT_EQ(e.getAbortReason(), ar_NONE);
    EXPECT_TRUE(in.at_eof());
    ZQVal s = str_cell("queda");
    EXPECT_EQ(in.leer(&s), 0);
    EXPECT_STREQ(s.str, "queda");
    rm_val(&s);
}

TEST_F(InputTest, FlushRewinds) {
    feed("5\n");
    EXPECT_EQ(read_number(), 5);
    in.flush();
    EXPECT_EQ(read_number(), 5);
}

class OutputTest : public ::testing::Test {
  protected:
    std::string path;
    void SetUp() override {
        char tmpl[] = "/tmp/zqe_out_XXXXXX";
        const int fd = mkstemp(tmpl);
        ASSERT_GE(fd, 0);
        close(fd);
        path = tmpl;
    }
    void TearDown() override { std::remove(path.c_str()); }
    std::string contents() {
        FILE* f = std::fopen(path.c_str(), "r");
        std::string s;
        for (int c; (c = std::fgetc(f)) != EOF;) s += static_cast<char>(c);
        std::fclose(f);
        return s;
    }
};

TEST_F(OutputTest, RedirectedFileIsLineBuffered) {
    ZQ_DefOutput_File out;
    out.set_fp(std::fopen(path.c_str(), "w"));
    out.imprimir_str("uno");
    EXPECT_EQ(contents(), "") << "no line yet";
    out.imprimir_str(" dos\n");
    EXPECT_EQ(contents(), "uno dos\n");
    out.close();
    EXPECT_EQ(out.get_fp(), nullptr);
}

TEST_F(OutputTest, SeparatorTextAndScreenDefaults) {
    ZQ_DefOutput_File out;
    EXPECT_STREQ(out.get_ofs(), ",<nodim>");
    out.set_ofs(";");
    EXPECT_STREQ(out.get_ofs(), ";");
    int a = 5, b = 6;
    out.get_curpos(&a, &b);
    out.get_color(&a, &b);
    out.get_screen_size(&a, &b);
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 6);
    EXPECT_EQ(out.stdout_change_buffer(), 0) << "standard output keeps its buffering";
}

TEST_F(OutputTest, RedirectionThroughTheExecutor) {
    ZQExec e(0);
    e.create_default_io_channels();
    ZQ_DefOutput_File* def = e.get_cur_stdout();
    EXPECT_EQ(e.set_stdout(path.c_str(), "w+t"), 1);
    EXPECT_NE(e.get_cur_stdout(), def);
    e.get_cur_stdout()->imprimir_str("x");
    EXPECT_EQ(e.set_stdout("", ""), 1);
    EXPECT_EQ(e.get_cur_stdout(), def);
    EXPECT_EQ(contents(), "x") << "the redirected file is closed on return";

    ZQ_DefInput_File* in = e.get_cur_stdin();
    EXPECT_EQ(e.set_stdin("/no/such/file"), 0);
    EXPECT_EQ(e.get_cur_stdin(), in);
    EXPECT_EQ(e.set_stdin(path.c_str()), 1);
    EXPECT_NE(e.get_cur_stdin(), in);
    EXPECT_EQ(e.set_stdin(""), 1);
    EXPECT_EQ(e.get_cur_stdin(), in);
}

}  // namespace

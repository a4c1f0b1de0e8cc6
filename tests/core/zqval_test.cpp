#include <gtest/gtest.h>

#include <string>

#include "lang/zqval.h"
#include "tests/core/cells.h"

namespace {

TEST(ZQVal, CellsAreSmall) {
    EXPECT_LE(sizeof(ZQVal), 32u);
}

TEST(ZQVal, CopyIsDeep) {
    ZQVal s = str_cell("hola");
    ZQVal d{};
    ASSERT_EQ(zqval_copy(&d, &s), 1);
    d.str[0] = 'H';
    EXPECT_STREQ(s.str, "hola");
    EXPECT_STREQ(d.str, "Hola");

    // Copying over a string releases it first (checked by the sanitizer build).
    ASSERT_EQ(zqval_copy(&d, &s), 1);
    EXPECT_STREQ(d.str, "hola");
    rm_val(&s);
    rm_val(&d);
    EXPECT_EQ(d.tipo, s_NADA);
}

TEST(ZQVal, MatrixCopyIsDeep) {
    const ZQVal row = array_cell(3, false);
    ZQVal m = array_cell(2, false, &row);
    ZQVal c{};
    ASSERT_EQ(zqval_copy(&c, &m), 1);
    c.cluster->cells[1].cluster->cells[2].num = 99;
    EXPECT_EQ(m.cluster->cells[1].cluster->cells[2].num, 3);
    EXPECT_FALSE(c.cluster->is_dynamic());
    rm_val(&c);
    rm_val(&m);
    ZQVal r = row;
    rm_val(&r);
}

TEST(ZQVal, AssignMovesTheText) {
    ZQVal d = str_cell("viejo");
    ZQVal s = str_cell("nuevo");
    char* text = s.str;
    ASSERT_EQ(zqval_assign(&d, &s), 1);
    EXPECT_EQ(d.str, text);
    EXPECT_EQ(s.tipo, s_NADA);
    rm_val(&d);
}

TEST(ZQVal, StaticIntoOpenArrayMakesItDynamic) {
    ZQVal open = null_array_cell();
    ZQVal fixed = array_cell(3, false);
    ASSERT_EQ(zqval_assign(&open, &fixed), 1);
    ASSERT_NE(open.cluster, nullptr);
    EXPECT_TRUE(open.cluster->is_dynamic());
    EXPECT_EQ(open.cluster->get_size(), 3);

    // ... and that open array cannot go back into a fixed-size one.
    ZQVal target = array_cell(3, false);
    ZQVal_Cluster* before = target.cluster;
    ZQVal tmp{};
    ASSERT_EQ(zqval_copy(&tmp, &open), 1);
    EXPECT_EQ(zqval_assign(&target, &tmp), 0);
    EXPECT_EQ(target.cluster, before);
    EXPECT_EQ(target.cluster->cells[0].num, 1);
    rm_val(&tmp);  // a refused source keeps its storage
    rm_val(&target);
    rm_val(&open);
}

TEST(ZQVal, StaticIntoStaticCopiesElements) {
    ZQVal target = array_cell(3, false);
    ZQVal_Cluster* block = target.cluster;
    ZQVal src = array_cell(3, false);
    src.cluster->cells[1].num = 42;
    ASSERT_EQ(zqval_assign(&target, &src), 1);
    EXPECT_EQ(target.cluster, block);
    EXPECT_EQ(target.cluster->cells[1].num, 42);
    EXPECT_FALSE(target.cluster->is_dynamic());
    rm_val(&target);
}

TEST(ZQVal, NestedDynamicIntoStaticIsRefused) {
    const ZQVal fixed_row = array_cell(2, false);
    ZQVal target = array_cell(2, false, &fixed_row);
    const ZQVal open_row = array_cell(2, true);
    ZQVal src = array_cell(2, false, &open_row);
    EXPECT_EQ(zqval_assign(&target, &src), 0);
    rm_val(&src);
    rm_val(&target);
    ZQVal a = fixed_row, b = open_row;
    rm_val(&a);
    rm_val(&b);
}

TEST(ZQVal, UndimensionedIntoOpenLeavesNoStorage) {
    ZQVal open = array_cell(2, true);
    ZQVal none = null_array_cell();
    ASSERT_EQ(zqval_assign(&open, &none), 1);
    EXPECT_EQ(open.tipo, s_CLUSTER);
    EXPECT_EQ(open.cluster, nullptr);

    ZQVal fixed = array_cell(2, false);
    ZQVal none2 = null_array_cell();
    ASSERT_EQ(zqval_assign(&fixed, &none2), 1);
    EXPECT_EQ(fixed.cluster, nullptr);
}

TEST(ZQVal, DynamicIntoDynamicTakesTheBlockOver) {
    ZQVal open = array_cell(2, true);
    ZQVal src = array_cell(5, true);
    ZQVal_Cluster* block = src.cluster;
    ASSERT_EQ(zqval_assign(&open, &src), 1);
    EXPECT_EQ(open.cluster, block);
    rm_val(&open);
}

TEST(ZQVal, Comparisons) {
    struct Case {
        ZQVal a, b;
        int eq, gt, ge;
    } cases[] = {
        {num_cell(1), num_cell(2), 0, 0, 0},           {num_cell(2), num_cell(2), 1, 0, 1},
        {num_cell(-0.0L), num_cell(0), 1, 0, 1},       {bool_cell(true), bool_cell(false), 0, 1, 1},
        {str_cell("Zeta"), str_cell("alfa"), 0, 0, 0}, {str_cell("ab"), str_cell("abc"), 0, 0, 0},
        {str_cell(""), str_cell("a"), 0, 0, 0},        {str_cell("b"), str_cell("a"), 0, 1, 1},
        {str_cell("x"), str_cell("x"), 1, 0, 1},
    };
    for (Case& c : cases) {
        EXPECT_EQ(zqval_eq(&c.a, &c.b), c.eq);
        EXPECT_EQ(zqval_gt(&c.a, &c.b), c.gt);
        EXPECT_EQ(zqval_ge(&c.a, &c.b), c.ge);
        rm_val(&c.a);
        rm_val(&c.b);
    }
}

TEST(ZQVal, ConstEq) {
    ZQVal s = str_cell("Hola");
    ZQVal n = num_cell(5);
    const long double five = 5;
    EXPECT_EQ(const_eq(s_STR, "Hola", &s), 1);
    EXPECT_EQ(const_eq(s_STR, "hola", &s), 0);
    EXPECT_EQ(const_eq(s_NUM, &five, &n), 1);
    EXPECT_EQ(const_eq(s_NUM, &five, &s), 0);
    rm_val(&s);
}

TEST(ZQVal, StringLimit) {
    const std::string max(ZQ_MAX_STRBUF - 1, 'x');
    char* s = zqval_strdup(max.c_str());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(zqval_strcat(s, "y"), nullptr);
    char* same = zqval_strcat(s, "");
    EXPECT_NE(same, nullptr);
    free(same);
    free(s);
    EXPECT_EQ(zqval_newstr(ZQ_MAX_STRBUF + 1), nullptr);
    EXPECT_EQ(zqval_strdup((max + "y").c_str()), nullptr);
}

TEST(ZQVal, ClusterLimits) {
    EXPECT_EQ(ZQVal_Cluster::crear(ZQ_MAX_CLUSTER_CELLS + 1, 0), nullptr);
    ZQVal_Cluster* c = ZQVal_Cluster::crear(4, 1);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->count, -4);
    EXPECT_EQ(c->get_size(), 4);
    EXPECT_EQ(c->get_elem_ptr(3)->tipo, s_NADA);
    delete c;
}

}  // namespace

#include <gtest/gtest.h>

#include "lang/rtstack.h"
#include "tests/core/cells.h"

namespace {

// Records the last abort instead of ending anything.
class TestStack : public ZQ_RTStack {
  public:
    abort_reason last = ar_NONE;
    void abort(abort_reason r) override { last = r; }
    void start() { top = base + constants_size - 1; }
    void clear() {
        while (top >= base + constants_size) pop();
    }
};

TEST(RTStack, CreateLimits) {
    TestStack s;
    EXPECT_TRUE(s.createStack(100));
    EXPECT_EQ(s.getStackSize(), 500);
    EXPECT_FALSE(s.createStack(600)) << "a second stack is refused";
    s.destroyStack();
    EXPECT_FALSE(s.createStack(RTSTACK_MAX_CELLS + 1));
    EXPECT_TRUE(s.createStack(RTSTACK_MAX_CELLS));
}

TEST(RTStack, ConstantPool) {
    TestStack s;
    ASSERT_TRUE(s.createStack(500));
    ZQVal a = str_cell("hola");
    s.addConst(&a);
    EXPECT_EQ(s.getConstantsSize(), 1);
    EXPECT_STREQ(s.getConstPtr(0)->str, "hola");
    EXPECT_EQ(s.getConstPtr(1), nullptr);
    EXPECT_EQ(s.getConstPtr(-1), nullptr);
    for (int i = 1; i < 600; ++i) {
        ZQVal n = num_cell(i);
        s.addConst(&n);
    }
    EXPECT_EQ(s.getConstantsSize(), 500) << "a full pool ignores further constants";
}

TEST(RTStack, PushFromCopiesDeeply) {
    TestStack s;
    ASSERT_TRUE(s.createStack(500));
    s.start();
    const ZQVal text = str_cell("x");
    ZQVal arr = array_cell(3, false, &text);
    s.push_from(&arr);
    ASSERT_EQ(s.getTopPtr()->tipo, s_CLUSTER);
    rm_val(&arr);
    EXPECT_STREQ(s.getTopPtr()->cluster->cells[2].str, "x");

    ZQVal none = null_array_cell();
    s.push_from(&none);
    EXPECT_EQ(s.getTopPtr()->tipo, s_CLUSTER);
    EXPECT_EQ(s.getTopPtr()->cluster, nullptr);
    EXPECT_EQ(s.last, ar_NONE);

    ZQVal nada{};
    ZQVal* before = s.getTopPtr();
    s.push_from(&nada);
    EXPECT_EQ(s.last, ar_UNKNOWN_TYPE);
    EXPECT_EQ(s.getTopPtr(), before);
    s.clear();
    ZQVal t = text;
    rm_val(&t);
}

TEST(RTStack, PushesStopAtTheEnd) {
    TestStack s;
    ASSERT_TRUE(s.createStack(500));
    s.start();
    const long double x = 1;
    for (int i = 0; i < 500; ++i) s.push_num(&x);
    EXPECT_EQ(s.last, ar_NONE);
    s.push_num(&x);
    s.push_str("a");
    EXPECT_EQ(s.last, ar_STACK_OVERFLOW);
    EXPECT_EQ(s.getTopPtr(), s.getInternalStackPtr() + 499);
}

TEST(RTStack, DimClusterCyclesTheTemplate) {
    TestStack s;
    ASSERT_TRUE(s.createStack(500));
    s.start();
    const long double one = 1;
    s.push_num(&one);
    s.push_str("t");
    ZQVal_Cluster* c = s.dim_cluster(2, 3, 1);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->count, -6);
    for (int i = 0; i < 6; i += 2) {
        EXPECT_EQ(c->cells[i].num, 1);
        EXPECT_STREQ(c->cells[i + 1].str, "t");
    }
    EXPECT_NE(c->cells[1].str, c->cells[3].str);
    EXPECT_EQ(s.getTopPtr(), s.getInternalStackPtr() - 1) << "templates are consumed";
    delete c;
}

}  // namespace

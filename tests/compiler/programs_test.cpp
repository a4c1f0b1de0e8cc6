// Whole programs run through zq: tests/programs and examples. Beside each NAME.zq:
// NAME.out (expected standard output, in UTF-8 as a UTF-8 terminal shows it), and optionally
// NAME.in (standard input), NAME.args (arguments, separated by blanks), NAME.status (exit status, 0
// when absent) and NAME.err (expected standard error).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/compiler/test_support.h"

namespace {

namespace fs = std::filesystem;

struct Program {
    std::string dir;
    std::string name;
};

std::vector<Program> programs_in(const std::string& dir) {
    std::vector<Program> out;
    for (const auto& entry : fs::directory_iterator(source_dir() + "/" + dir)) {
        if (entry.path().extension() == ".zq") {
            out.push_back({entry.path().parent_path().string(), entry.path().stem().string()});
        }
    }
    std::sort(out.begin(), out.end(),
              [](const Program& a, const Program& b) { return a.name < b.name; });
    return out;
}

std::string optional_file(const Program& p, const char* ext, const std::string& fallback) {
    const std::string path = p.dir + "/" + p.name + ext;
    return fs::exists(path) ? read_file(path) : fallback;
}

class Programs : public testing::TestWithParam<Program> {};

TEST_P(Programs, ProduceTheirOutputAndStatus) {
    const Program& p = GetParam();
    std::string args = optional_file(p, ".args", "");
    args.erase(std::remove(args.begin(), args.end(), '\n'), args.end());
    const RunResult r =
        run_zq(p.name + ".zq " + args, optional_file(p, ".in", ""), "C.UTF-8", p.dir);
    EXPECT_EQ(r.out, optional_file(p, ".out", "")) << p.name << "\n" << r.err;
    EXPECT_EQ(r.status, std::stoi(optional_file(p, ".status", "0"))) << p.name << "\n" << r.err;
    const std::string err = optional_file(p, ".err", "");
    if (!err.empty()) {
        EXPECT_EQ(r.err, err) << p.name;
    }
}

std::string test_name(const testing::TestParamInfo<Program>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Tests, Programs, testing::ValuesIn(programs_in("tests/programs")),
                         test_name);
INSTANTIATE_TEST_SUITE_P(Examples, Programs, testing::ValuesIn(programs_in("examples")), test_name);

}  // namespace

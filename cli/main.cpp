#include "cli/runner.h"

int main(int argc, char** argv) {
    return zq_main(argc, argv);
}

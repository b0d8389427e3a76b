// main() of a folder's test executable: `unit_tests tst_config [QtTest arguments]` runs tst_config.cpp's
// test.
#include <cstdio>
#include <vector>

#include "test_runner.h"

int main(int argc, char* argv[]) {
    const auto& tests = TestRunner::tests();
    const auto test = argc > 1 ? tests.find(argv[1]) : tests.end();
    if (test == tests.end()) {
        std::fprintf(stderr, "usage: %s TEST [QtTest arguments]\ntests:\n", argv[0]);
        for (const auto& [name, run] : tests)
            std::fprintf(stderr, "  %s\n", name.c_str());
        return 2;
    }
    // The test runs as its own executable did: argv[0] carries its old name, from which Qt takes the
    // application name, so its settings and data folders stay its own when tests run in parallel.
    std::string program(argv[0]);
    program = program.substr(0, program.find_last_of('/') + 1) + RADIOCPS_TEST_PREFIX + test->first;
    std::vector<char*> args{program.data()};
    for (int i = 2; i < argc; ++i)
        args.push_back(argv[i]);
    args.push_back(nullptr);
    return test->second(static_cast<int>(args.size()) - 1, args.data());
}

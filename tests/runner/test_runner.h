#pragma once

// The tests of one folder are linked into one executable, which saves a link and a moc run per test. Each
// tst_*.cpp still ends in QTEST_MAIN (or its GUILESS/APPLESS forms) and includes this header before anything
// else (it is force-included with QtTest): the main() those macros would define becomes a function
// registered under the source's file name, and the runner's main() runs the one its first argument names.
#include <QtTest>
#include <map>
#include <string>

namespace TestRunner {

using Main = int (*)(int, char**);

inline std::map<std::string, Main>& tests() {
    static std::map<std::string, Main> registered;
    return registered;
}

// file: the test's __FILE__; it is registered as its base name without suffix ("tst_config").
inline bool add(const char* file, Main main) {
    std::string name(file);
    name = name.substr(name.find_last_of('/') + 1);
    tests()[name.substr(0, name.rfind('.'))] = main;
    return true;
}

} // namespace TestRunner

// The function and its registration are numbered, so that the tests of a unity batch do not clash.
#undef QTEST_MAIN_WRAPPER
#define QTEST_MAIN_WRAPPER(TestObject, ...) RADIOCPS_TEST_MAIN_NUMBERED(__COUNTER__, TestObject, __VA_ARGS__)
#define RADIOCPS_TEST_MAIN_NUMBERED(id, TestObject, ...) RADIOCPS_TEST_MAIN(id, TestObject, __VA_ARGS__)
#define RADIOCPS_TEST_MAIN(id, TestObject, ...)                                                              \
    static int radiocpsRunTest##id(int argc, char* argv[]) {                                                 \
        QT_PREPEND_NAMESPACE(QTest::Internal::callInitMain)<TestObject>();                                   \
        __VA_ARGS__                                                                                          \
        TestObject tc;                                                                                       \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&tc, argc, argv);                                                                \
    }                                                                                                        \
    [[maybe_unused]] static const bool radiocpsTestRegistered##id =                                          \
        TestRunner::add(__FILE__, radiocpsRunTest##id);

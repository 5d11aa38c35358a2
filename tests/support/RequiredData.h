#pragma once
// Tests that read data from outside the project (an installed package, the shared test data
// folder) or need a part of the system (a TLS backend) skip on a developer machine without
// it. In continuous integration (environment variable CI=true), where tools/deps.sh installs
// every package the tests need, its absence is a failure: a test that quietly skips there
// checks nothing.
//
//     if (!sets)
//         SKIP_OR_FAIL_WITHOUT_DATA("gpredict's satellites.dat is not installed");

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace testdata {

/// True when the run is continuous integration, where every test must run.
inline bool everyTestMustRun()
{
    const char* ci = std::getenv("CI");
    return ci != nullptr && std::strcmp(ci, "true") == 0;
}

} // namespace testdata

/// Ends the current test: skipped, or failed under CI=true. `message` says what is missing
/// and may chain several `<<` operands.
#define SKIP_OR_FAIL_WITHOUT_DATA(message)                                                    \
    do {                                                                                      \
        if (::testdata::everyTestMustRun())                                                   \
            FAIL() << "missing, and CI=true runs every test: " << message;                    \
        GTEST_SKIP() << message;                                                              \
    } while (false)

#ifndef TESTS_FAILURECHECK_H
#define TESTS_FAILURECHECK_H

#include "testcontrol.h"

#include <gtest/gtest.h>

#include <string>

// A test that leaves an injected failure unused never reached the call it
// meant to break: it fails, naming what was left, and the next test starts
// with none pending.
inline void ExpectEveryFailureUsed()
{
    std::string left;
    for (testcontrol::Failure failure : testcontrol::PendingFailures())
        left += std::string(left.empty() ? "" : ", ") + testcontrol::FailureName(failure);
    EXPECT_EQ("", left) << "failures injected and never reached";
    testcontrol::ClearFailures();
}

#endif

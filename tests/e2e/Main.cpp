// The driver's own entry: the paths of the program under test and of the
// screenshot folder come from the command line.

#include "Driver.h"

#include <gtest/gtest.h>

int wmain(int argc, wchar_t** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    e2e::ParseDriverArguments(argc, argv);
    return RUN_ALL_TESTS();
}

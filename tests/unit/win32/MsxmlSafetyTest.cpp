// The platform's DOM as the program creates it, asked for its properties.
#include "win32/platform/MsxmlDocument.h"

#include <gtest/gtest.h>

using namespace meltemix;

TEST(MsxmlDocument, CreatedSynchronousAndReachingNothingOutside) {
    const auto document = CreateMsxmlDocument();
    const MsxmlSafety safety = ReadMsxmlSafety(*document);
    EXPECT_EQ(safety.Async, false);
    EXPECT_EQ(safety.ValidateOnParse, false);
    EXPECT_EQ(safety.ResolveExternals, false);
    // A DOM that keeps no such property reports none; one that reports it has it set.
    if (safety.ProhibitDTD)
        EXPECT_TRUE(*safety.ProhibitDTD);
}

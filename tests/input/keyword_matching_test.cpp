#include <gtest/gtest.h>

#include "input/input_reader.h"
#include "input/keyword_tables.h"

namespace zelk {
namespace {

TEST(KeywordMatching, OnlyTheRequiredPrefixIsCompared) {
    EXPECT_EQ(matchKeyword(TopKeywords, "echo"), kTopEcho);
    EXPECT_EQ(matchKeyword(TopKeywords, "ECHOES"), kTopEcho);
    EXPECT_EQ(matchKeyword(TopKeywords, "Echo"), kTopEcho);
    EXPECT_EQ(matchKeyword(TopKeywords, "ECH"), -1);
    EXPECT_EQ(matchKeyword(TopKeywords, "BATCX"), kTopBatch);
    EXPECT_EQ(matchKeyword(TopKeywords, "INTERNAL"), kTopInteractive);
    EXPECT_EQ(matchKeyword(TopKeywords, "INT"), -1);
}

TEST(KeywordMatching, TableOrderBreaksTies) {
    EXPECT_EQ(matchKeyword(ModelKeywords, "NUMEVPOINT"), 4);
    EXPECT_EQ(matchKeyword(ModelKeywords, "NUMNP"), 3);
    EXPECT_EQ(matchKeyword(ModelKeywords, "NUM"), -1);
    // GCM$M must win for GCMM although MLS$ is shorter; SIDEL and SIDED differ in the fifth letter.
    EXPECT_EQ(matchKeyword(MacroKeywords, "gcmm"), kMacroGcmm);
    EXPECT_EQ(matchKeyword(ModelKeywords, "SIDELOAD"), 17);
    EXPECT_EQ(matchKeyword(ModelKeywords, "SIDEDOMA"), 20);
    EXPECT_EQ(matchKeyword(ModelKeywords, "SIDE"), -1);
    // END$ is tried before ENDEF$G.
    EXPECT_EQ(matchKeyword(EfgDataKeywords, "ENDEFG"), 0);
    EXPECT_EQ(matchKeyword(EfgDataKeywords, "END"), -1);
}

TEST(NumericTest, FollowsTheFieldRules) {
    for (const char* numeric : {"12", ".5", "3.", "-4.2", "-", "", "-abc"}) EXPECT_TRUE(isNumeric(numeric)) << numeric;
    for (const char* text : {"1.2.3", "1e5", "+3", "3-", "abc"}) EXPECT_FALSE(isNumeric(text)) << text;
}

}  // namespace
}  // namespace zelk

#include "zkf_expect.h"

#include <gtest/gtest.h>

#include "compiler/zkf_compare.h"

namespace orbline {

void ExpectFileMatchesDocument(const ZkfFile& f, const Document& d) { EXPECT_EQ(CompareZkfWithDocument(f, d), ""); }

}  // namespace orbline

// A code window gives back the very bytes a host gave it, whatever its line
// ends: the text goes in with each end one CR, the kinds kept beside it.
#include <gtest/gtest.h>

#include <string>

#include "core/line_ends.h"

namespace kelp {
namespace {

TEST(LineEnds, EachKindOfEndBecomesOneCrAndComesBackAsItWas) {
  const std::string bytes = "mov eax, 1\r\n\tret\nlabel:\rend\r\n";
  const SplitLines split = SplitLineEnds(bytes);
  EXPECT_EQ(split.text, "mov eax, 1\r\tret\rlabel:\rend\r");
  EXPECT_EQ(split.ends, (std::vector<LineEnd>{LineEnd::kCrLf, LineEnd::kLf, LineEnd::kCr, LineEnd::kCrLf}));
  EXPECT_TRUE(HasOtherLineEnds(split.ends));
  EXPECT_EQ(JoinLineEnds(split.text, split.ends), bytes);
}

TEST(LineEnds, RunsOfEndsAreReadOneByOne) {
  for (const std::string bytes : {"\n\r", "\r\r\n", "\n\n\r\n\r", "\r\n\r\n", "", "no end"}) {
    const SplitLines split = SplitLineEnds(bytes);
    EXPECT_EQ(JoinLineEnds(split.text, split.ends), bytes) << "for a text of " << bytes.size() << " bytes";
  }
  EXPECT_EQ(SplitLineEnds("\n\r").ends, (std::vector<LineEnd>{LineEnd::kLf, LineEnd::kCr}));
  EXPECT_EQ(SplitLineEnds("\r\r\n").ends, (std::vector<LineEnd>{LineEnd::kCr, LineEnd::kCrLf}));
}

TEST(LineEnds, ATextOfCrLfsOnlyNeedsNoKinds) {
  const SplitLines split = SplitLineEnds("a\r\nb\r\n");
  EXPECT_FALSE(HasOtherLineEnds(split.ends));
  EXPECT_EQ(JoinLineEnds(split.text, {}), "a\r\nb\r\n");
}

TEST(LineEnds, LinesTheUserAddsEndInCrLf) {
  // Two lines of a lone LF, and a third typed below them.
  EXPECT_EQ(JoinLineEnds("a\rb\rc\r", {LineEnd::kLf, LineEnd::kLf}), "a\nb\nc\r\n");
}

}  // namespace
}  // namespace kelp

// A code window's editor keeps every line end as one paragraph mark, while
// the text a host gives it may end its lines in CR LF, a lone LF or a lone
// CR. The text goes in with each line end made one CR, and the kind of each
// end is kept beside it, so that the very bytes come out again.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelp {

enum class LineEnd : std::uint8_t { kCrLf = 0, kLf = 1, kCr = 2 };

struct SplitLines {
  std::string text;           // every line end one CR
  std::vector<LineEnd> ends;  // the kind of each, in order
};

// CR LF, then a lone LF, then a lone CR, each become one CR.
SplitLines SplitLineEnds(std::string_view bytes);

// The text back with each CR written as the end of its kind; a CR beyond
// the kinds known is CR LF, as a line the user types.
std::string JoinLineEnds(std::string_view text, const std::vector<LineEnd>& ends);

// Whether any end is not CR LF.
bool HasOtherLineEnds(const std::vector<LineEnd>& ends);

}  // namespace kelp

// The keyword file syntax.fmt and the colours of the code editor.
//
// The file is written as an INI section "ASSEMBLY" with keys C1..C10, one a
// line ("C1= mov push pop"), but it is read by its characters alone:
// everything up to the first "=" is skipped, and so is the character right
// after every "=" (a value written straight after "=" loses its first
// letter, which is why the values are written after a blank). A value runs
// to the next "=", less the four characters before it (the line end and a
// two-character key such as "C2"): after "C9" the key "C10" has three, so
// the CR stays on the C9 value and its last word needs a blank after it to
// be matched. The last value runs to the end of the file, less one final
// line end. Value k takes colour entry k; values after the eleventh are
// ignored (entry 11 is the comment colour).
#pragma once

#include <cstdint>
#include <string_view>

#include "core/control_record.h"
#include "core/keyword_table.h"

namespace kelp {

inline constexpr char kSyntaxFileName[] = "syntax.fmt";
inline constexpr std::uint32_t kColourEntryCount = 11;
inline constexpr std::uint32_t kCommentColourEntry = 11;

// The colour of an entry (1..11) as stored in the library's data: 0x00BBGGRR,
// and for entry 9 a stray high byte. Entry 0 and unknown entries are black.
ColourRef SyntaxColour(std::uint32_t entry);

// Adds the keywords of a whole syntax.fmt text to the table.
void ReadSyntaxText(std::string_view file, KeywordHeap& heap, KeywordTable& table);

}  // namespace kelp

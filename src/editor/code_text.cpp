// A code window's text as bytes, exactly: what a host puts in comes out
// again byte for byte. The editor keeps each line end as one paragraph
// mark, so the kind of an end that is not CR LF (a lone LF, a lone CR) is
// kept on its paragraph mark, in the revision-author byte of the mark's
// character format, which nothing shows. The mark moves with its line while
// the user edits; a line end the user types is CR LF.
#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "controls/design_control.h"
#include "core/line_ends.h"
#include "designer/code_generation.h"
#include "designer/form_designer.h"
#include "editor/editor.h"
#include "entry/host_options.h"
#include "entry/project_api.h"
#include "kelp32.h"
#include "win/handles.h"

namespace kelp {
namespace {

std::vector<LONG> MarkPositions(const std::wstring& characters) {
  std::vector<LONG> marks;
  for (std::size_t i = 0; i < characters.size(); ++i) {
    if (characters[i] == L'\r') marks.push_back(static_cast<LONG>(i));
  }
  return marks;
}

void Select(HWND editor, LONG from, LONG to) {
  CHARRANGE range{from, to};
  ::SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

// A paragraph mark whose line end is not the text's usual kind carries its
// kind, plus one, as the revision author of its character format; every
// other character has none (0), and a line the user makes ends as most
// lines of the text do. Marks move with the text as it is edited.
BYTE AuthorOf(LineEnd end) {
  return static_cast<BYTE>(static_cast<BYTE>(end) + 1);
}

void MarkLineEnd(HWND editor, LONG position, LineEnd end) {
  Select(editor, position, position + 1);
  CHARFORMAT2A format{};
  format.cbSize = sizeof(format);
  format.dwMask = CFM_REVAUTHOR;
  format.bRevAuthor = AuthorOf(end);
  ::SendMessageA(editor, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

LineEnd LineEndAt(HWND editor, LONG position, LineEnd usual) {
  Select(editor, position, position + 1);
  CHARFORMAT2A format{};
  format.cbSize = sizeof(format);
  ::SendMessageA(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  if ((format.dwMask & CFM_REVAUTHOR) == 0) return usual;
  for (LineEnd kind : {LineEnd::kCrLf, LineEnd::kLf, LineEnd::kCr}) {
    if (format.bRevAuthor == AuthorOf(kind)) return kind;
  }
  return usual;
}

LineEnd UsualLineEnd(const std::vector<LineEnd>& ends) {
  std::size_t counts[3] = {};
  for (LineEnd end : ends) counts[static_cast<std::size_t>(end)] += 1;
  LineEnd usual = LineEnd::kCrLf;  // the first of equals
  for (LineEnd kind : {LineEnd::kLf, LineEnd::kCr}) {
    if (counts[static_cast<std::size_t>(kind)] > counts[static_cast<std::size_t>(usual)]) usual = kind;
  }
  return usual;
}


// The owner's code window, made hidden the first time: a form's frame, a
// design-time control, or a code window itself.
HWND CodeWindowFor(HWND owner) {
  if (IsCodeWindow(owner)) return owner;
  if (IsFormFrame(owner)) {
    const FormRecord* form = FormRecordOf(owner);
    return form != nullptr ? FormCodeWindow(form->surface, false) : nullptr;
  }
  if (IsDesignControl(owner)) {
    ControlRecord* record = RecordOfControl(owner);
    return record != nullptr ? ControlCodeWindow(owner, *record, false) : nullptr;
  }
  return nullptr;
}

struct StreamSource {
  std::string_view text;
  std::size_t at = 0;
};

DWORD CALLBACK ReadStreamSource(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto* source = reinterpret_cast<StreamSource*>(cookie);
  const std::size_t count =
      std::min<std::size_t>(static_cast<std::size_t>(wanted), source->text.size() - source->at);
  std::memcpy(buffer, source->text.data() + source->at, count);
  source->at += count;
  *given = static_cast<LONG>(count);
  return 0;
}

// The whole text replaced, streamed in rather than set: Wine's RichEdit
// keeps an undo step for every line WM_SETTEXT puts in, and a 5,000-line
// module took seconds where the stream takes a tenth of one. The text's
// line ends are single CRs, so no CR LF is split between two chunks.
void StreamInText(HWND editor, std::string_view text) {
  StreamSource source{text};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadStreamSource};
  ::SendMessageA(editor, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&stream));
}

}  // namespace

// The editor's text with every paragraph mark one CR, as characters.
std::wstring EditorCharacters(HWND editor) {
  GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, 1200};
  const auto count = ::SendMessageA(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
  if (count <= 0) return {};
  std::wstring text(static_cast<std::size_t>(count) + 1, L'\0');
  GETTEXTEX get{};
  get.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  get.flags = GT_DEFAULT;
  get.codepage = 1200;  // UTF-16: one element a character, so indices are the editor's
  const auto copied = ::SendMessageA(editor, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                     reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

std::string ToAnsi(const std::wstring& characters) {
  if (characters.empty()) return {};
  const int size = ::WideCharToMultiByte(CP_ACP, 0, characters.data(), static_cast<int>(characters.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, characters.data(), static_cast<int>(characters.size()), bytes.data(), size,
                        nullptr, nullptr);
  return bytes;
}

void PutExactText(HWND editor, const char* text) {
  if (editor == nullptr) return;
  const UnreportedChanges filled;
  const SplitLines split = SplitLineEnds(text != nullptr ? text : "");
  StreamInText(editor, split.text);
  EditorBlock* block = EditorBlockOf(editor);
  const bool others = HasOtherLineEnds(split.ends);
  const LineEnd usual = UsualLineEnd(split.ends);
  if (block != nullptr) {
    block->otherLineEnds = others ? 1 : 0;
    block->usualLineEnd = static_cast<std::uint32_t>(usual);
  }
  if (others) {
    const KeptView view(editor);
    const std::vector<LONG> marks = MarkPositions(EditorCharacters(editor));
    for (std::size_t i = 0; i < marks.size() && i < split.ends.size(); ++i) {
      if (split.ends[i] != usual) MarkLineEnd(editor, marks[i], split.ends[i]);
    }
  }
  CHARRANGE start{0, 0};
  ::SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
  ::SendMessageA(editor, EM_EMPTYUNDOBUFFER, 0, 0);
  ::SendMessageA(editor, EM_SETMODIFY, FALSE, 0);
}

std::string ExactText(HWND editor) {
  if (editor == nullptr) return {};
  const std::wstring characters = EditorCharacters(editor);
  std::vector<LineEnd> ends;
  const EditorBlock* block = EditorBlockOf(editor);
  if (block != nullptr && block->otherLineEnds != 0) {
    const auto usual = static_cast<LineEnd>(block->usualLineEnd);
    const KeptView view(editor);
    for (LONG position : MarkPositions(characters)) ends.push_back(LineEndAt(editor, position, usual));
  }
  return JoinLineEnds(ToAnsi(characters), ends);
}

}  // namespace kelp

extern "C" DWORD KELP_API GetCodeText(HWND codeWindow, LPSTR text, DWORD size) {
  using namespace kelp;
  if (!IsCodeWindow(codeWindow)) {
    if (text != nullptr && size > 0) text[0] = '\0';
    return 0;
  }
  const std::string bytes = ExactText(EditorControlOf(codeWindow));
  if (text != nullptr && size > 0) {
    const std::size_t copied = bytes.size() < size ? bytes.size() : size - 1;
    bytes.copy(text, copied);
    text[copied] = '\0';
  }
  return static_cast<DWORD>(bytes.size());
}

extern "C" HWND KELP_API SetCodeText(HWND owner, LPCSTR text, DWORD flags) {
  using namespace kelp;
  const UnreportedChanges hostAtWork;
  HWND codeWindow = CodeWindowFor(owner);
  if (codeWindow == nullptr) return nullptr;
  PutExactText(EditorControlOf(codeWindow), text);
  if ((flags & kCodeFlagVisible) != 0) {
    ::ShowWindow(codeWindow, SW_SHOW);
    ::BringWindowToTop(codeWindow);
  } else {
    ::ShowWindow(codeWindow, SW_HIDE);
  }
  return codeWindow;
}

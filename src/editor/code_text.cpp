// A code window's text as bytes, exactly: what a host puts in comes out
// again byte for byte. The editor keeps each line end as one paragraph
// mark, so the kind of an end that is not CR LF (a lone LF, a lone CR) is
// kept on its paragraph mark, in the revision-author byte of the mark's
// character format, which nothing shows. The mark moves with its line while
// the user edits; a line end the user types is CR LF.
#include <richedit.h>

#include <string>
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

// Reading and marking paragraph marks moves the selection; the user's
// selection, scroll position and picture come back afterwards.
class KeptView {
 public:
  explicit KeptView(HWND editor) : editor_(editor) {
    ::SendMessageA(editor_, WM_SETREDRAW, FALSE, 0);
    ::SendMessageA(editor_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection_));
    ::SendMessageA(editor_, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll_));
  }
  ~KeptView() {
    ::SendMessageA(editor_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection_));
    ::SendMessageA(editor_, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll_));
    ::SendMessageA(editor_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(editor_, nullptr, TRUE);
  }
  KeptView(const KeptView&) = delete;
  KeptView& operator=(const KeptView&) = delete;

 private:
  HWND editor_;
  CHARRANGE selection_{};
  POINT scroll_{};
};

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

std::vector<LONG> MarkPositions(const std::wstring& characters) {
  std::vector<LONG> marks;
  for (std::size_t i = 0; i < characters.size(); ++i) {
    if (characters[i] == L'\r') marks.push_back(static_cast<LONG>(i));
  }
  return marks;
}

void SelectMark(HWND editor, LONG position) {
  CHARRANGE mark{position, position + 1};
  ::SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&mark));
}

void MarkLineEnd(HWND editor, LONG position, LineEnd end) {
  SelectMark(editor, position);
  CHARFORMAT2A format{};
  format.cbSize = sizeof(format);
  format.dwMask = CFM_REVAUTHOR;
  format.bRevAuthor = static_cast<BYTE>(end);
  ::SendMessageA(editor, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

LineEnd LineEndAt(HWND editor, LONG position) {
  SelectMark(editor, position);
  CHARFORMAT2A format{};
  format.cbSize = sizeof(format);
  ::SendMessageA(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  if ((format.dwMask & CFM_REVAUTHOR) == 0) return LineEnd::kCrLf;
  switch (format.bRevAuthor) {
    case static_cast<BYTE>(LineEnd::kLf): return LineEnd::kLf;
    case static_cast<BYTE>(LineEnd::kCr): return LineEnd::kCr;
    default: return LineEnd::kCrLf;
  }
}

std::string ToAnsi(const std::wstring& characters) {
  if (characters.empty()) return {};
  const int size = ::WideCharToMultiByte(CP_ACP, 0, characters.data(), static_cast<int>(characters.size()), nullptr,
                                         0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, characters.data(), static_cast<int>(characters.size()), bytes.data(), size,
                        nullptr, nullptr);
  return bytes;
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

}  // namespace

void PutExactText(HWND editor, const char* text) {
  if (editor == nullptr) return;
  const UnreportedChanges filled;
  const SplitLines split = SplitLineEnds(text != nullptr ? text : "");
  ::SetWindowTextA(editor, split.text.c_str());
  EditorBlock* block = EditorBlockOf(editor);
  const bool others = HasOtherLineEnds(split.ends);
  if (block != nullptr) block->otherLineEnds = others ? 1 : 0;
  if (others) {
    const KeptView view(editor);
    const std::vector<LONG> marks = MarkPositions(EditorCharacters(editor));
    for (std::size_t i = 0; i < marks.size() && i < split.ends.size(); ++i) {
      if (split.ends[i] != LineEnd::kCrLf) MarkLineEnd(editor, marks[i], split.ends[i]);
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
    const KeptView view(editor);
    for (LONG position : MarkPositions(characters)) ends.push_back(LineEndAt(editor, position));
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

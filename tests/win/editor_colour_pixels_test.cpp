// The colours drawn over a page of code are placed by a line layout built
// from a few of the editor control's answers, where they used to be placed
// by asking the control about every word. These tests paint the same page
// both ways and compare every pixel: the old way is drawn here, word by
// word with DrawTextA where EM_POSFROMCHAR puts each word, over the
// control's own paint.
#include <richedit.h>

#include <string>

#include "core/syntax_file.h"
#include "core/visible_text.h"
#include "editor/editor.h"
#include "editor_fixture.h"
#include "harness.h"

namespace kelp::test {
namespace {

constexpr int kInset = 8;  // the colour starts this far right of the formatting rectangle

LONG CharAt(HWND editor, LONG x, LONG y) {
  POINTL point{x, y};
  return static_cast<LONG>(::SendMessageA(editor, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&point)));
}

LONG LineStart(HWND editor, LONG character) {
  return static_cast<LONG>(
      ::SendMessageA(editor, EM_LINEINDEX, ::SendMessageA(editor, EM_LINEFROMCHAR, character, 0), 0));
}

// The control's own paint, then every run drawn as the colouring always drew it.
Pixels WordByWordPixels(HWND editor) {
  const LONG_PTR colouring = ::SetWindowLongPtrA(editor, GWLP_WNDPROC,
                                                 reinterpret_cast<LONG_PTR>(gEditor.richEditProc));
  ::InvalidateRect(editor, nullptr, TRUE);
  ::UpdateWindow(editor);
  ::SetWindowLongPtrA(editor, GWLP_WNDPROC, colouring);

  HDC dc = ::GetDC(editor);
  const int saved = ::SaveDC(dc);
  ::SelectObject(dc, EditorFont(editor));
  ::SetBkMode(dc, TRANSPARENT);
  RECT area{};
  ::SendMessageA(editor, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
  area.left += kInset;
  HRGN clip = ::CreateRectRgnIndirect(&area);
  ::SelectClipRgn(dc, clip);
  const LONG first = LineStart(editor, CharAt(editor, area.left, area.top));
  const LONG lastLine = LineStart(editor, CharAt(editor, area.right, area.bottom));
  const LONG end = lastLine + static_cast<LONG>(::SendMessageA(editor, EM_LINELENGTH, lastLine, 0));
  std::string text(static_cast<std::size_t>(end - first) + 1, '\0');
  TEXTRANGEA range{{first, end}, text.data()};
  text.resize(static_cast<std::size_t>(::SendMessageA(editor, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range))));
  ColourVisibleText(text, gEditor.keywords, [&](std::size_t offset, std::size_t length, std::uint32_t entry) {
    const LONG index = first + static_cast<LONG>(offset);
    const CharPosition at =
        UnpackCharPosition(static_cast<std::uint32_t>(::SendMessageA(editor, EM_POSFROMCHAR, index, 0)));
    if (CharAt(editor, at.x, at.y) != index) return;
    ::SetTextColor(dc, SyntaxColour(entry) & 0x00FFFFFF);
    RECT where{at.x, at.y, area.right, area.bottom};
    ::DrawTextA(dc, text.data() + offset, static_cast<int>(length), &where, DT_NOPREFIX);
  });
  ::RestoreDC(dc, saved);
  ::DeleteObject(clip);
  ::ReleaseDC(editor, dc);
  return Pixels::OfClient(editor);
}

Pixels ColouredPixels(HWND editor) {
  ::InvalidateRect(editor, nullptr, TRUE);
  ::UpdateWindow(editor);
  return Pixels::OfClient(editor);
}

// What the control shows now, read without painting or pumping anything
// (the caret's blink is a posted timer).
Pixels ClientPixelsNow(HWND editor) {
  RECT client{};
  ::GetClientRect(editor, &client);
  HDC dc = ::GetDC(editor);
  const Pixels pixels = Pixels::OfDc(dc, client.right, client.bottom);
  ::ReleaseDC(editor, dc);
  return pixels;
}

int DifferingPixels(const Pixels& a, const Pixels& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
  int differing = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) differing += a.At(x, y) != b.At(x, y);
  return differing;
}

// Code as people write it: blanks and TABs, comments with TABs in them,
// empty lines, keywords of every value of the shipped syntax.fmt.
std::string Module(int lines) {
  const char* kLines[] = {
      "\tmov\teax, [ebx+4]\t\t; load\tthe count",
      "    invoke  SendMessage, hWnd, WM_SETTEXT, 0, addr szText",
      "",
      "WndProc proc uses ebx esi edi hWin:DWORD, uMsg:DWORD",
      "\t.if eax != 0 && ecx > 10\t; both",
      "  lea esi,[edi+ecx*4+8] ; jmp\tcall",
      "\t\t\tpush\tecx",
      "szText db \"a;b\", 0 ; quoted",
      "@@: xor edx, edx\tret",
      "  mov al, '\xe9' ; bytes \xe9\xa0\xff\xb5 of the code page's upper half\t_ink left\t\x97 of the cell",
  };
  std::string text;
  for (int i = 0; i < lines; ++i) {
    text += kLines[i % (sizeof(kLines) / sizeof(kLines[0]))];
    text += "\r\n";
  }
  return text;
}

class ColourPixels : public EditorTest {
 protected:
  HWND Editor(const std::string& text) {
    HWND window = OpenCodeWindow("Module1 (Code)", text.c_str());
    HWND editor = EditorControlOf(window);
    PumpPending();
    return editor;
  }
  void ExpectSamePixels(HWND editor) {
    const Pixels before = WordByWordPixels(editor);
    const Pixels now = ColouredPixels(editor);
    EXPECT_EQ(DifferingPixels(before, now), 0);
  }
};

TEST_F(ColourPixels, APageOfCodeIsColouredExactlyAsWordByWordWithAFewQuestions) {
  HWND editor = Editor(Module(400));
  ::SendMessageA(editor, EM_LINESCROLL, 0, 200);
  ExpectSamePixels(editor);

  MessageRecorder asked({editor}, {EM_POSFROMCHAR, EM_CHARFROMPOS});
  ColouredPixels(editor);
  EXPECT_LE(asked.Messages().size(), 4u) << "a page costs a handful of position questions, not one a word";
}

TEST_F(ColourPixels, ScrolledSidewaysOrByPartOfALineTheColoursStayWhereTheyWere) {
  std::string text = Module(120);
  text.insert(0, std::string(300, 'x') + " mov eax\r\n");
  HWND editor = Editor(text);
  ::SendMessageA(editor, EM_LINESCROLL, 12, 30);  // twelve characters right, thirty lines down
  ExpectSamePixels(editor);
  POINT partly{40, 20 * 15 + 7};
  ::SendMessageA(editor, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&partly));
  ExpectSamePixels(editor);
}

TEST_F(ColourPixels, WordsFarAlongALongLineAndPastTheRightEdgeAreDrawnAsBefore) {
  std::string text = std::string(5000, 'x') + " mov " + std::string(3000, 'y') + "\tpush ; far\r\n";
  text += Module(40);
  HWND editor = Editor(text);
  ExpectSamePixels(editor);
  ::SendMessageA(editor, EM_LINESCROLL, 600, 0);  // about 4,800 pixels right: the far words show
  ExpectSamePixels(editor);
}

// A page painted again at the same scroll position starts from the line the
// last paint found at the top. Lines typed above it, or a scroll of a pixel
// that leaves the control's scroll position (scaled to 16 bits in a text
// this long) where it was while another line comes to the top, must not
// leave the colours where the old lines were.
TEST_F(ColourPixels, APagePaintedAgainAfterLinesTypedAboveOrAPixelScrollIsColouredWhereTheLinesAreNow) {
  // Short lines: Wine's control takes seconds to take a long text.
  const char* kShortLines[] = {"\tpush eax ; x\r\n", "mov\r\n", "  ret\tjmp\r\n"};
  std::string shortLines;
  for (int i = 0; i < 5000; ++i) shortLines += kShortLines[i % 3];
  HWND editor = Editor(shortLines);
  POINT scroll{0, 600};
  ::SendMessageA(editor, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
  ColouredPixels(editor);
  ::SendMessageA(editor, EM_SETSEL, 0, 0);
  ::SendMessageA(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("\tpush ebx\r\n\t"));
  ::SendMessageA(editor, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
  ExpectSamePixels(editor);

  for (scroll.y = 75; scroll.y > 45; --scroll.y) {
    ColouredPixels(editor);
    POINT next{0, scroll.y - 1};
    ::SendMessageA(editor, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&next));
    ExpectSamePixels(editor);
  }
}

// The caret blinks by inverting its pixels. Drawn before the colours, it
// has part of its inverted pixels covered by them, and hiding it (its next
// blink) leaves inverted specks in the word under it.
// A caret place where the caret's column crosses a coloured glyph's ink:
// inside a keyword, at a character whose ink touches its cell's left edge.
LONG CaretPlaceOverInk(HWND editor, const Pixels& page, std::string_view word) {
  TEXTRANGEA all{};
  std::string text(4096, '\0');
  all.chrg = {0, 4095};
  all.lpstrText = text.data();
  text.resize(static_cast<std::size_t>(::SendMessageA(editor, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&all))));
  const std::size_t start = text.find(word);
  const int lineHeight = 15;
  for (std::size_t i = start + 1; start != std::string::npos && i < start + word.size(); ++i) {
    const CharPosition at = UnpackCharPosition(
        static_cast<std::uint32_t>(::SendMessageA(editor, EM_POSFROMCHAR, static_cast<WPARAM>(i), 0)));
    for (int y = at.y; y < at.y + lineHeight; ++y) {
      if (page.At(at.x, y) != RGB(255, 255, 255)) return static_cast<LONG>(i);
    }
  }
  return -1;
}

// The caret blinks by inverting its pixels. Drawn before the colours, it
// has part of its inverted pixels covered by them, and hiding it (its next
// blink) leaves inverted specks in the word under it.
TEST_F(ColourPixels, TheCaretOfTheFocusedEditorIsDrawnOverTheColoursAndLeavesTheWordWhole) {
  HWND editor = Editor(Module(60));
  const Pixels page = WordByWordPixels(editor);
  const LONG place = CaretPlaceOverInk(editor, page, "WM_SETTEXT");
  ASSERT_GE(place, 0) << "no letter of the word touches its cell's left edge";
  ::SetFocus(editor);
  ::SendMessageA(editor, EM_SETSEL, place, place);
  ::InvalidateRect(editor, nullptr, TRUE);
  ::UpdateWindow(editor);
  const Pixels withCaret = ClientPixelsNow(editor);
  ::HideCaret(editor);
  const Pixels withoutCaret = ClientPixelsNow(editor);
  ::ShowCaret(editor);
  EXPECT_EQ(DifferingPixels(page, withoutCaret), 0);
  EXPECT_GT(DifferingPixels(withCaret, withoutCaret), 0) << "the caret shows";

  // Typing at a line's end, after a keyword: no colour touches the caret,
  // and the page stays whole all the same.
  FINDTEXTEXA find{{0, -1}, "push\tecx", {}};
  ASSERT_GE(::SendMessageA(editor, EM_FINDTEXTEX, FR_DOWN, reinterpret_cast<LPARAM>(&find)), 0);
  ::SendMessageA(editor, EM_SETSEL, find.chrgText.cpMax, find.chrgText.cpMax);
  ::InvalidateRect(editor, nullptr, TRUE);
  ::UpdateWindow(editor);
  ::HideCaret(editor);
  EXPECT_EQ(DifferingPixels(page, ClientPixelsNow(editor)), 0) << "after ecx at a line's end";
  ::ShowCaret(editor);
}

// Lines wrapped at the window's width are taller than one font: wherever
// they lie (above the page, on it, at its bottom), the colours go where the
// control put the words.
TEST_F(ColourPixels, LinesWrappedAtTheWindowsWidthAreColouredWhereTheControlPutTheirWords) {
  const std::string wrapping = "\tmov eax, ebx ; " + std::string(40, 'w') + " " + std::string(60, 'x') + " push ecx\r\n";
  std::string text;
  for (int i = 0; i < 120; ++i) text += i % 25 == 7 ? wrapping : Module(1);
  HWND editor = Editor(text);
  ::SendMessageA(editor, EM_SETTARGETDEVICE, 0, 0);  // wrap at the window's width
  ASSERT_GT(::SendMessageA(editor, EM_GETLINECOUNT, 0, 0), 125) << "the long lines wrap";
  for (int lines : {0, 5, 30, 50}) {
    ::SendMessageA(editor, EM_LINESCROLL, 0, lines);
    ExpectSamePixels(editor);
  }
}

TEST_F(ColourPixels, AZoomedEditorIsStillColouredWordByWord) {
  HWND editor = Editor(Module(60));
  ::SendMessageA(editor, EM_SETZOOM, 3, 2);
  ExpectSamePixels(editor);
}

}  // namespace
}  // namespace kelp::test

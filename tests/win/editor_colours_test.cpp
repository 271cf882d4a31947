// The colours a user sees in a code window: keywords of syntax.fmt in the
// colour of their place in the file, comments teal, everything else black,
// read back pixel by pixel from the painted editor.
#include <richedit.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "editor/editor.h"
#include "editor_fixture.h"
#include "entry/workspace.h"
#include "harness.h"

namespace kelp::test {
namespace {

// What a glyph pixel looks like, whatever the smoothing at its edges.
bool IsRed(COLORREF c) {
  return GetRValue(c) - std::max(GetGValue(c), GetBValue(c)) > 80;
}
bool IsBlue(COLORREF c) {
  return GetBValue(c) - std::max(GetRValue(c), GetGValue(c)) > 80;
}
bool IsTeal(COLORREF c) {
  return GetGValue(c) > GetRValue(c) + 50 && GetBValue(c) > GetRValue(c) + 50 &&
         std::abs(GetGValue(c) - GetBValue(c)) < 30;
}
bool IsDark(COLORREF c) {
  const int high = std::max({GetRValue(c), GetGValue(c), GetBValue(c)});
  const int low = std::min({GetRValue(c), GetGValue(c), GetBValue(c)});
  return high < 110 && high - low < 30;
}

struct Tally {
  int red = 0, blue = 0, teal = 0, dark = 0;
};

Tally Count(const Pixels& pixels, const RECT& area) {
  Tally tally;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      const COLORREF c = pixels.At(x, y);
      tally.red += IsRed(c);
      tally.blue += IsBlue(c);
      tally.teal += IsTeal(c);
      tally.dark += IsDark(c);
    }
  }
  return tally;
}

POINT CharacterPosition(HWND editor, LONG index) {
  const auto packed = static_cast<DWORD>(::SendMessageA(editor, EM_POSFROMCHAR, index, 0));
  return {static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed))};
}

int LineHeight(HWND editor) {
  HDC dc = ::GetDC(editor);
  HGDIOBJ previous = ::SelectObject(dc, EditorFont(editor));
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(dc, &metrics);
  ::SelectObject(dc, previous);
  ::ReleaseDC(editor, dc);
  return metrics.tmHeight;
}

// The cells of characters [first, end) of one line, in client coordinates.
RECT CellsOf(HWND editor, LONG first, LONG end) {
  const POINT from = CharacterPosition(editor, first);
  const POINT to = CharacterPosition(editor, end);
  return {from.x, from.y, to.x, from.y + LineHeight(editor)};
}

class EditorColours : public EditorTest {
 protected:
  // Reads the keyword lists from a file written here, or from a file that
  // is not there, for the editors opened from now on.
  void UseKeywordFile(const std::string& contents) {
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    path_ = std::string(folder) + "kelp-editor-test-syntax.fmt";
    std::ofstream(path_, std::ios::binary) << contents;
    UseSyntaxFileForTesting(path_.c_str());
  }
  void UseNoKeywordFile() {
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    path_ = std::string(folder) + "kelp-editor-test-no-such-file.fmt";
    ::DeleteFileA(path_.c_str());
    UseSyntaxFileForTesting(path_.c_str());
  }
  HWND PaintedEditor(const char* text) {
    EXPECT_EQ(gEditor.editorCount, 0u) << "the lists are read by the first editor control";
    HWND window = OpenCodeWindow("Module1 (Code)", text);
    ::MoveWindow(window, 0, 0, 640, 300, TRUE);
    HWND editor = EditorControlOf(window);
    ::InvalidateRect(editor, nullptr, TRUE);
    ::UpdateWindow(editor);
    PumpPending();
    return editor;
  }
  void TearDown() override {
    EditorTest::TearDown();
    if (!path_.empty()) ::DeleteFileA(path_.c_str());
  }

 private:
  std::string path_;
};

// mov in the first value, eax in the fifth.
const char kMovAndEax[] = "[ASSEMBLY]\r\nC1= mov\r\nC2= x2\r\nC3= x3\r\nC4= x4\r\nC5= eax\r\nC6= x6\r\n";
const char kLine[] = "mov eax, ebx ; copy";

TEST_F(EditorColours, KeywordsTakeTheirValuesColoursAndTheCommentIsTeal) {
  UseKeywordFile(kMovAndEax);
  HWND editor = PaintedEditor(kLine);
  const Pixels pixels = Pixels::OfClient(editor);

  const Tally mov = Count(pixels, CellsOf(editor, 0, 3));
  EXPECT_GT(mov.red, 8);
  EXPECT_EQ(mov.blue + mov.teal, 0);
  const Tally eax = Count(pixels, CellsOf(editor, 4, 7));
  EXPECT_GT(eax.blue, 8);
  EXPECT_EQ(eax.red + eax.teal, 0);
  const Tally ebx = Count(pixels, CellsOf(editor, 9, 12));
  EXPECT_GT(ebx.dark, 8) << "ebx is in no value: it stays black";
  EXPECT_EQ(ebx.red + ebx.blue + ebx.teal, 0);
  const Tally comment = Count(pixels, CellsOf(editor, 13, 19));
  EXPECT_GT(comment.teal, 15);
  EXPECT_EQ(comment.red + comment.blue, 0);
  EXPECT_LT(comment.dark, comment.teal / 4) << "the teal glyphs cover the black ones";
}

TEST_F(EditorColours, WithoutAKeywordFileOnlyCommentsAreColoured) {
  UseNoKeywordFile();
  HWND editor = PaintedEditor(kLine);
  const Pixels pixels = Pixels::OfClient(editor);
  const Tally code = Count(pixels, CellsOf(editor, 0, 12));
  EXPECT_GT(code.dark, 30);
  EXPECT_EQ(code.red + code.blue + code.teal, 0);
  EXPECT_GT(Count(pixels, CellsOf(editor, 13, 19)).teal, 15);
}

TEST_F(EditorColours, KeywordsMatchWholeWordsInAnyCaseOnEveryVisibleLine) {
  UseKeywordFile(kMovAndEax);
  //                                0123456789012345678
  HWND editor = PaintedEditor("MOV movzx invoke.mov\r;mov eax\r\tMov eAX");
  const Pixels pixels = Pixels::OfClient(editor);
  EXPECT_GT(Count(pixels, CellsOf(editor, 0, 3)).red, 8) << "MOV";
  EXPECT_EQ(Count(pixels, CellsOf(editor, 4, 20)).red, 0) << "movzx and invoke.mov are other words";
  const Tally comment = Count(pixels, CellsOf(editor, 21, 29));
  EXPECT_EQ(comment.red + comment.blue, 0) << "no keyword inside a comment";
  EXPECT_GT(comment.teal, 15);
  EXPECT_GT(Count(pixels, CellsOf(editor, 31, 34)).red, 8) << "after a TAB";
  EXPECT_GT(Count(pixels, CellsOf(editor, 35, 38)).blue, 8);
}

TEST_F(EditorColours, TextLongerThanThePaintBufferIsColouredInFullAndOnlyWhereItIs) {
  UseKeywordFile(kMovAndEax);
  HWND probe = PaintedEditor("x");
  const POINT origin = CharacterPosition(probe, 0);
  const int width = CharacterPosition(probe, 1).x - origin.x;
  ASSERT_GT(width, 0);
  while (HWND child = ::GetWindow(MdiClient(), GW_CHILD)) ::DestroyWindow(child);

  // A first line of 80,000 characters with a "mov" so far along that its
  // position no longer fits 16 bits: packed, it would seem to lie about 200
  // pixels from the left. The second line is an ordinary one.
  const int farIndex = (65536 + 200 - origin.x) / width;
  std::string text(static_cast<std::size_t>(farIndex) - 1, 'x');
  text += " mov ";
  text += std::string(80000, 'x');
  const LONG secondLine = static_cast<LONG>(text.size()) + 1;
  text += "\r" + std::string(kLine);
  HWND editor = PaintedEditor(text.c_str());
  const Pixels pixels = Pixels::OfClient(editor);

  const int lineHeight = LineHeight(editor);
  RECT client{};
  ::GetClientRect(editor, &client);
  const Tally first = Count(pixels, {0, origin.y, client.right, origin.y + lineHeight});
  EXPECT_GT(first.dark, 100) << "the x's";
  EXPECT_EQ(first.red + first.blue + first.teal, 0) << "nothing is drawn where the far mov is not";
  EXPECT_GT(Count(pixels, CellsOf(editor, secondLine, secondLine + 3)).red, 8);
  EXPECT_GT(Count(pixels, CellsOf(editor, secondLine + 4, secondLine + 7)).blue, 8);
  EXPECT_GT(Count(pixels, CellsOf(editor, secondLine + 13, secondLine + 19)).teal, 15);
}

}  // namespace
}  // namespace kelp::test

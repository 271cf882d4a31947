// Bad input wherever text enters the library today, and its limits: texts
// of 100,000 characters given to controls, records, code windows and the
// Find box; keyword files that are empty, binary, without "=", one line of
// 1 MB or 100,000 keywords; a thousand forms open at once. Nothing may
// crash or write past a field, and each field keeps the longest text that
// fits it.
#include <richedit.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "controls/design_control.h"
#include "core/keyword_table.h"
#include "core/placement_table.h"
#include "designer/form_designer.h"
#include "designer/placement.h"
#include "editor/editor.h"
#include "editor_fixture.h"
#include "entry/messages.h"
#include "entry/workspace.h"
#include "harness.h"
#include "kelp32.h"
#include "win/records.h"

namespace kelp::test {
namespace {

constexpr std::size_t kLongText = 100000;

// 100,000 letters in an order that does not repeat soon.
std::string LongText() {
  std::string text(kLongText, ' ');
  for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char>('a' + (i * 7 + i / 26) % 26);
  return text;
}

bool AllZero(const char* bytes, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i)
    if (bytes[i] != 0) return false;
  return true;
}

// A field holds exactly the first `kept` characters of the text, ended by a zero.
::testing::AssertionResult Holds(const char* field, std::size_t fieldSize, const std::string& text,
                                 std::size_t kept) {
  if (kept >= fieldSize) return ::testing::AssertionFailure() << "cannot keep " << kept;
  if (std::string(field, kept) != text.substr(0, kept))
    return ::testing::AssertionFailure() << "the field does not start with the text";
  if (field[kept] != '\0') return ::testing::AssertionFailure() << "no zero after " << kept << " characters";
  return ::testing::AssertionSuccess();
}

using BadInput = EditorTest;

TEST_F(BadInput, AHundredThousandCharactersReachEveryKindOfControlAndItsRecordKeepsWhatFits) {
  HWND surface = NewSurface();
  const std::string text = LongText();
  for (const KindRow& row : kKindRows) {
    SCOPED_TRACE(row.baseName);
    gWorkspace.currentTool = row.kind;
    PlaceControl(surface, 10, 10, 120, 60);
    HWND control = gFormDesigner.newControl;
    ASSERT_NE(control, nullptr);
    ControlRecord* record = RecordOfControl(control);
    ASSERT_NE(record, nullptr);

    ::SendMessageA(control, DCM_SETIDNAME, 0, reinterpret_cast<LPARAM>(text.c_str()));
    EXPECT_TRUE(Holds(record->idName, sizeof(record->idName), text, kTextFieldSize - 1));
    EXPECT_EQ(std::string(record->handleName), std::string("h") + row.baseName + "0") << "the next field is untouched";

    ::SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    // The window text is read back into the caption, at most 256 bytes of it.
    const std::string shown = WindowText(control);
    const std::size_t kept = shown.size() < 255 ? shown.size() : 255;
    EXPECT_TRUE(Holds(record->caption, sizeof(record->caption), shown, kept));
    EXPECT_TRUE(AllZero(record->reserved2, sizeof(record->reserved2))) << "nothing past the caption";
    Pixels::OfClient(control);  // still paints

    ::SendMessageA(control, WM_COMMAND, IDM_DELETE, 0);
    EXPECT_FALSE(::IsWindow(control));
  }
}

// A window cannot be created with such a title (its length must fit 16
// bits): the creator makes the control with as much of the name as a
// record field keeps.
TEST_F(BadInput, ACreatorGivenAHundredThousandCharacterNameKeepsWhatFitsOfIt) {
  HWND surface = NewSurface();
  const std::string text = LongText();
  HWND button = CreateButtonWin(surface, 0, 0, 80, 20, text.c_str());
  ASSERT_NE(button, nullptr);
  const ControlRecord* record = RecordOfControl(button);
  EXPECT_TRUE(Holds(record->handleName, sizeof(record->handleName), "h" + text, kTextFieldSize - 1));
  EXPECT_TRUE(Holds(record->caption, sizeof(record->caption), text, 255));
  EXPECT_EQ(WindowText(button), text.substr(0, kTextFieldSize - 1));
  ::DestroyWindow(button);
}

TEST_F(BadInput, ACodeWindowTakesAHundredThousandCharactersWholeAndColoursThem) {
  const std::string line = "\tmov eax, ebx\t; copy it\r\n";
  std::string lines;
  while (lines.size() < kLongText) lines += line;
  HWND window = OpenCodeWindow("Module1 (Code)", lines.c_str());
  HWND editor = EditorControlOf(window);
  EXPECT_EQ(EditorText(editor), lines);
  ::SendMessageA(editor, EM_LINESCROLL, 0, 2000);
  Pixels::OfClient(editor);

  const std::string oneLine = LongText();
  ::SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(oneLine.c_str()));
  EXPECT_EQ(EditorText(editor), oneLine);
  ::SendMessageA(editor, EM_LINESCROLL, 5000, 0);
  Pixels::OfClient(editor);
}

TEST_F(BadInput, TheFindBoxTakesAHundredThousandCharactersAndSearchesForAllOfThem) {
  const std::string text = LongText();
  HWND window = OpenCodeWindow("Module1 (Code)", ("x" + text).c_str());
  FocusEditor(EditorControlOf(window));
  ShowFindDialog();
  HWND find = gEditor.findWindow;
  ASSERT_NE(find, nullptr);
  ::SendMessageA(gEditor.findTextBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  ::SendMessageA(find, WM_COMMAND, 3000, 0);  // "Find"
  EXPECT_FALSE(::IsWindow(find));
  ASSERT_EQ(gEditor.searchLength, text.size() + 1);
  EXPECT_EQ(std::string(gEditor.searchText), text);
  const CHARRANGE found = Selection(EditorControlOf(window));
  EXPECT_EQ(found.cpMin, 1);
  EXPECT_EQ(found.cpMax, static_cast<LONG>(text.size()) + 1);

  MessageBoxCloser closer;
  FindNext(gEditor.searchText, gEditor.searchLength);  // no second one
  ASSERT_EQ(closer.closed.size(), 1u);
  EXPECT_EQ(closer.closed[0].text, "No further matches");
}

class BadKeywordFiles : public EditorTest {
 protected:
  void Read(const std::string& contents) {
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    path_ = std::string(folder) + "kelp-resilience-syntax.fmt";
    std::ofstream(path_, std::ios::binary) << contents;
    UseSyntaxFileForTesting(path_.c_str());
    LoadSyntaxFile();
    // A code window opened on top of those lists paints as usual.
    HWND window = OpenCodeWindow("Module1 (Code)", "mov eax, ebx ; copy\r\ninvoke kw99999\r\n");
    Pixels::OfClient(EditorControlOf(window));
  }
  void TearDown() override {
    EditorTest::TearDown();
    if (!path_.empty()) ::DeleteFileA(path_.c_str());
  }
  std::string path_;
};

TEST_F(BadKeywordFiles, EmptyBinaryOrWithoutEqualsSignsGiveFewOrNoKeywords) {
  Read("");
  EXPECT_TRUE(IsEmpty(gEditor.keywords));
  Read("[ASSEMBLY]\r\nC1 mov push\r\nC2 eax\r\n");
  EXPECT_TRUE(IsEmpty(gEditor.keywords));
  std::string binary(65536, '\0');
  for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>((i * 2654435761u) >> 13);
  Read(binary);
  for (const KeywordNode* head : gEditor.keywords.buckets)
    for (const KeywordNode* node = head; node != nullptr; node = node->next)
      ASSERT_LE(node->length, kMaxKeywordLength);
}

TEST_F(BadKeywordFiles, ALineOfOneMegabyteKeepsItsShortWordsAndDropsTheTooLongOne) {
  Read("[ASSEMBLY]\r\nC1= mov " + std::string(1 << 20, 'x') + " push\r\nC2= eax\r\n");
  EXPECT_EQ(FindKeyword(gEditor.keywords, "mov"), 1u);
  EXPECT_EQ(FindKeyword(gEditor.keywords, "push"), 1u);
  EXPECT_EQ(FindKeyword(gEditor.keywords, "eax"), 2u);
  EXPECT_EQ(gEditor.keywords.buckets[static_cast<unsigned char>('x')], nullptr);
}

TEST_F(BadKeywordFiles, AHundredThousandKeywordsAreAllFound) {
  std::string file = "[ASSEMBLY]\r\nC1= ";
  for (int i = 0; i < 100000; ++i) file += "kw" + std::to_string(i) + " ";
  Read(file + "\r\nC2= eax\r\n");
  EXPECT_EQ(FindKeyword(gEditor.keywords, "kw0"), 1u);
  EXPECT_EQ(FindKeyword(gEditor.keywords, "KW99999"), 1u);
  EXPECT_EQ(FindKeyword(gEditor.keywords, "eax"), 2u);
}

using Limits = HostTest;

// In an MDI client of their own, which goes at the end with them all, as a
// host closing a project destroys its MDI client.
TEST_F(Limits, AThousandFormsOpenAtOnceEachWithItsOwnRecordsAndAllFreedAtTheEnd) {
  const std::size_t recordsBefore = win::LiveRecordBytes();
  CLIENTCREATESTRUCT create{};
  HWND client = ::CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 900, 600,
                                  MainFrame(), nullptr, ::GetModuleHandleA(nullptr), &create);
  std::vector<HWND> frames;
  const int forms = LoopCount(1000);
  for (int i = 0; i < forms; ++i) {
    HWND frame = CreateFormWin(gWorkspace.libraryInstance, MainFrame(), client, 1);
    ASSERT_NE(frame, nullptr) << "form " << i;
    frames.push_back(frame);
  }
  PumpPending();
  for (HWND frame : frames) {
    ASSERT_NE(FormRecordOf(frame), nullptr);
    ASSERT_NE(FormRecordOf(frame)->surface, nullptr);
  }
  // The last form still works: a button placed on it is Button0.
  HWND surface = FormRecordOf(frames.back())->surface;
  gWorkspace.currentTool = kKindButton;
  PlaceControl(surface, 5, 5, 60, 20);
  EXPECT_EQ(WindowText(gFormDesigner.newControl), "Button0");
  EXPECT_GT(win::LiveRecordBytes(), recordsBefore + forms * sizeof(ControlRecord));

  ::DestroyWindow(client);
  gWorkspace.mdiClient = MdiClient();
  PumpPending();
  EXPECT_EQ(win::LiveRecordBytes(), recordsBefore) << "every form's records went with it";
}

}  // namespace
}  // namespace kelp::test

#include "properties_fixture.h"

#include <vector>

#include "canvas.h"
#include "controls/design_control.h"
#include "core/property_layout.h"
#include "designer/form_designer.h"
#include "designer/placement.h"
#include "entry/workspace.h"
#include "kelp32.h"
#include "properties/colour_picker.h"
#include "properties/properties.h"
#include "win/gdi.h"

namespace kelp::test {

namespace {

void SendKeys(std::vector<INPUT> inputs) {
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  PumpPending();
}

INPUT UnicodeKey(wchar_t character, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = character;
  input.ki.dwFlags = KEYEVENTF_UNICODE | (down ? 0 : KEYEVENTF_KEYUP);
  return input;
}

constexpr int kPropertiesX = 580, kPropertiesY = 10, kPropertiesWidth = 230, kPropertiesHeight = 520;
constexpr int kMdiClientWidth = 570, kMdiClientHeight = 640;

}  // namespace

void TypeCharacters(const std::string& text) {
  for (char c : text) {
    SendKeys({UnicodeKey(static_cast<wchar_t>(static_cast<unsigned char>(c)), true),
              UnicodeKey(static_cast<wchar_t>(static_cast<unsigned char>(c)), false)});
  }
}

void SelectAllByKeyboard() {
  PressKey(VK_HOME);
  HoldKey(VK_SHIFT, true);
  PressKey(VK_END);
  HoldKey(VK_SHIFT, false);
}

void PropertiesTest::SetUp() {
  HostTest::SetUp();
  ::MoveWindow(MdiClient(), 0, 0, kMdiClientWidth, kMdiClientHeight, TRUE);
  properties_ = Create_Prop_Window(MainFrame());
  ::MoveWindow(properties_, kPropertiesX, kPropertiesY, kPropertiesWidth, kPropertiesHeight, TRUE);
  surface_ = NewSurface();
  frame_ = FrameOfSurface(surface_);
  PumpPending();
}

void PropertiesTest::TearDown() {
  ::DestroyWindow(properties_);
  HostTest::TearDown();
}

HWND PropertiesTest::List() const {
  return gWorkspace.propertyList;
}

HWND PropertiesTest::Place(std::uint32_t kind, RECT r) {
  gWorkspace.currentTool = kind;
  gFormDesigner.newControl = nullptr;
  PlaceControl(surface_, r.left, r.top, r.right - r.left, r.bottom - r.top);
  PumpPending();
  return gFormDesigner.newControl;
}

void PropertiesTest::ClickOn(HWND window) {
  Click(Centre(ScreenRect(window)));
  PumpPending();
}

int PropertiesTest::RowCount() const {
  return static_cast<int>(::SendMessageA(List(), LB_GETCOUNT, 0, 0));
}

std::string PropertiesTest::RowName(int row) const {
  const auto data = ::SendMessageA(List(), LB_GETITEMDATA, static_cast<WPARAM>(row), 0);
  return data != LB_ERR && data != 0 ? reinterpret_cast<const char*>(data) : "";
}

int PropertiesTest::SelectedRow() const {
  return static_cast<int>(::SendMessageA(List(), LB_GETCURSEL, 0, 0));
}

RECT PropertiesTest::RowClientRect(int row) const {
  RECT r{};
  ::SendMessageA(List(), LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
  return r;
}

RECT PropertiesTest::RowScreenRect(int row) const {
  RECT r = RowClientRect(row);
  ::MapWindowPoints(List(), nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void PropertiesTest::ClickRow(int row) {
  const RECT r = RowScreenRect(row);
  Click({r.left + kNameColumnWidth / 2, (r.top + r.bottom) / 2});
}

HWND PropertiesTest::TextEditor() const {
  return ::FindWindowExA(List(), nullptr, "EDIT", nullptr);
}

HWND PropertiesTest::ColourField() const {
  return ::FindWindowExA(List(), nullptr, kColourFieldClassName, nullptr);
}

void PropertiesTest::FocusEditor() {
  HWND editor = TextEditor();
  ASSERT_NE(editor, nullptr);
  Click(Centre(ScreenRect(editor)));
  ASSERT_EQ(::GetFocus(), editor);
}

void PropertiesTest::TypeOver(int row, const std::string& text) {
  ClickRow(row);
  FocusEditor();
  SelectAllByKeyboard();
  TypeCharacters(text);
}

bool PropertiesTest::RowShowsValue(int row, const char* text) const {
  const Pixels shown = Pixels::OfClient(List());
  const RECT r = RowClientRect(row);
  Canvas expected(shown.Width(), shown.Height(), ::GetSysColor(COLOR_WINDOW));
  {
    win::ScopedSelect font(expected.Dc(), gProperties.listFont);
    ::SetBkMode(expected.Dc(), TRANSPARENT);
    ::SetTextColor(expected.Dc(), ::GetSysColor(COLOR_MENUTEXT));
    RECT place{kNameColumnWidth, r.top - 3, r.right, r.bottom};
    ::DrawTextA(expected.Dc(), text, -1, &place, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
  }
  // Inside the grid lines of the row's value column.
  const Pixels drawn = expected.Read();
  for (int y = r.top; y < r.bottom - 1; ++y) {
    for (int x = kNameColumnWidth; x < r.right - 1; ++x) {
      if (shown.At(x, y) != drawn.At(x, y)) return false;
    }
  }
  return true;
}

ControlRecord& PropertiesTest::FormRecordNow() const {
  return *FormControlRecord(frame_);
}

}  // namespace kelp::test

// The properties of a form or a control as the form file spells them, in
// the order they are written. The writer and the reader walk this one list,
// so they cannot disagree about a name, a range or a default.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "core/project_model.h"

namespace kelp {

inline constexpr std::string_view kProjectFileHeader = "KelpProject";
inline constexpr std::string_view kFormFileHeader = "KelpForm";
// A file of a later version may hold what this one cannot keep: it is
// refused rather than opened without it.
inline constexpr std::int64_t kFormatVersion = 1;

enum class Shown : std::uint8_t { kDecimal, kHex };

struct NumberRule {
  std::int64_t least;
  std::int64_t most;
  Shown shown;
  // Written even when it equals the default: places, sizes and the
  // background colour, which the system chose and no default can say.
  bool always;
};

inline constexpr NumberRule kPositionRule = {kSmallestCoordinate, kLargestCoordinate, Shown::kDecimal, true};
inline constexpr NumberRule kExtentRule = {0, kLargestCoordinate, Shown::kDecimal, true};
inline constexpr NumberRule kUnsignedRule = {0, 0xFFFFFFFF, Shown::kDecimal, false};
inline constexpr NumberRule kBitsRule = {0, 0xFFFFFFFF, Shown::kHex, false};
inline constexpr NumberRule kBackColourRule = {0, 0xFFFFFFFF, Shown::kHex, true};
inline constexpr NumberRule kFontHeightRule = {kSmallestCoordinate, kLargestCoordinate, Shown::kDecimal,
                                               false};
inline constexpr NumberRule kFontWeightRule = {0, 1000, Shown::kDecimal, false};
inline constexpr NumberRule kFlagRule = {0, 1, Shown::kDecimal, false};
inline constexpr NumberRule kCharsetRule = {0, 255, Shown::kDecimal, false};

// The property that names the object's code file.
inline constexpr std::string_view kCodeKey = "Code";
// The most properties an object visits (a form's), Code not counted.
inline constexpr int kMostFieldCount = 27;

// Calls visit.Text, visit.Number, visit.Brush and visit.Place once for
// every property of a form or a control (Object), with the object's value
// (const for the writer) and the default the object's kind and number
// give; visit.TextOrDefault for a text whose empty value stands for the
// default. A form has four properties a control has not.
template <typename Object, typename Visitor>
void VisitFields(Object& object, const std::remove_const_t<Object>& defaults, Visitor& visit) {
  constexpr bool kForm = std::is_same_v<std::remove_const_t<Object>, Form>;
  visit.Text("Name", object.name, defaults.name, kMaxTextBytes);
  visit.Text("IdName", object.idName, defaults.idName, kMaxTextBytes);
  visit.Number("CtrlId", object.ctrlId, defaults.ctrlId, kUnsignedRule);
  visit.Text("Caption", object.caption, defaults.caption, kMaxTextBytes);
  if constexpr (kForm) {
    visit.TextOrDefault("FormName", object.formName, defaults.formName, kMaxTextBytes);
    visit.TextOrDefault("Title", object.title, defaults.title, kMaxTextBytes);
  }
  visit.Number("Left", object.left, defaults.left, kPositionRule);
  visit.Number("Top", object.top, defaults.top, kPositionRule);
  visit.Number("Width", object.width, defaults.width, kExtentRule);
  visit.Number("Height", object.height, defaults.height, kExtentRule);
  visit.Place("Window", object.window, defaults.window);
  if constexpr (kForm) visit.Place("Frame", object.frame, defaults.frame);
  visit.Number("Style", object.style, defaults.style, kBitsRule);
  visit.Number("ExStyle", object.exStyle, defaults.exStyle, kBitsRule);
  visit.Number("Enabled", object.enabled, defaults.enabled, kUnsignedRule);
  visit.Number("BackColour", object.backColour, defaults.backColour, kBackColourRule);
  visit.Brush("BackBrush", object.backBrush, defaults.backBrush);
  visit.Number("ForeColour", object.foreColour, defaults.foreColour, kBitsRule);
  visit.Text("FontFace", object.font.face, defaults.font.face, kMaxFontFaceBytes);
  visit.Number("FontHeight", object.font.height, defaults.font.height, kFontHeightRule);
  visit.Number("FontWeight", object.font.weight, defaults.font.weight, kFontWeightRule);
  visit.Number("FontItalic", object.font.italic, defaults.font.italic, kFlagRule);
  visit.Number("FontUnderline", object.font.underline, defaults.font.underline, kFlagRule);
  visit.Number("FontStrikeOut", object.font.strikeOut, defaults.font.strikeOut, kFlagRule);
  visit.Number("FontCharset", object.font.charset, defaults.font.charset, kCharsetRule);
  if constexpr (kForm) visit.Number("Hidden", object.hidden, defaults.hidden, kFlagRule);
  visit.Number("CodeShown", object.codeShown, defaults.codeShown, kFlagRule);
  // The code window's text is not a value of the line but a file of its
  // own; the writer and the reader handle "Code" themselves, last.
}

// "Window = 10, 20, 100, 30": left, top, width, height.
inline constexpr NumberRule kPlaceRules[] = {kPositionRule, kPositionRule, kExtentRule, kExtentRule};
inline constexpr std::string_view kPlaceParts[] = {"left", "top", "width", "height"};

inline std::array<std::int32_t, 4> PlaceParts(const WindowPlace& place) {
  return {place.left, place.top, place.width, place.height};
}

// "BackBrush = None", "= Picked", "= SystemColour 15".
inline constexpr std::string_view kBrushNone = "None";
inline constexpr std::string_view kBrushPicked = "Picked";
inline constexpr std::string_view kBrushSystemColour = "SystemColour";

// "Module = 1, "Module1", "Module1.asm", Hidden": its code window is closed.
inline constexpr std::string_view kModuleHidden = "Hidden";

}  // namespace kelp

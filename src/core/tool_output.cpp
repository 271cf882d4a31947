#include "core/tool_output.h"

#include <cctype>

namespace kelp {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\r' || text.back() == '\n')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::optional<ToolMessage> ParseToolLine(std::string_view raw) {
  const std::string_view line = Trimmed(raw);
  // "file(line)" then ":" or " :".
  const std::size_t open = line.find('(');
  if (open == 0 || open == std::string_view::npos) return std::nullopt;
  const std::size_t close = line.find(')', open);
  if (close == std::string_view::npos || close == open + 1 || close - open > 11) return std::nullopt;
  std::uint64_t number = 0;
  for (char c : line.substr(open + 1, close - open - 1)) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (number == 0 || number > 0xFFFFFFFFu) return std::nullopt;
  std::string_view rest = line.substr(close + 1);
  while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
  if (rest.empty() || rest.front() != ':') return std::nullopt;
  rest = Trimmed(rest.substr(1));
  ToolMessage message;
  message.file = std::string(line.substr(0, open));
  message.line = static_cast<std::uint32_t>(number);
  message.error = !StartsWithNoCase(rest, "warning");
  message.text = std::string(rest);
  return message;
}

}  // namespace kelp

#pragma once

#include <optional>
#include <string>
#include <string_view>

class wxWindow;

// Enter Text: any text, line breaks and the empty text included; none on Cancel.
std::optional<std::string> runEnterTextDialog(wxWindow* parent, std::string_view fieldName, std::string text);

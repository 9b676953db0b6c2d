#pragma once

#include <optional>
#include <string>
#include <string_view>

class wxWindow;

// Enter Number: OK takes only a whole number; none on Cancel.
std::optional<std::string> runEnterNumberDialog(wxWindow* parent, std::string_view fieldName, std::string text);

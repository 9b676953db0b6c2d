#pragma once

#include <optional>
#include <string>
#include <string_view>

class wxWindow;

// Enter Date: a date as the user types it ("7/9/2002", "7/9"); none on Cancel.
std::optional<std::string> runEnterDateDialog(wxWindow* parent, std::string_view fieldName, std::string text);

#pragma once

#include <optional>

#include "document/document_dialogs.h"

class wxWindow;

// The User-defined Fields dialog: a type and a name for each of the ten slots.
std::optional<UserFieldDefinitions> runUserFieldsDialog(wxWindow* parent, const UserFieldDefinitions& shown);

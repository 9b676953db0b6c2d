#pragma once

#include <optional>
#include <string>
#include <vector>

#include "document/document_dialogs.h"

class wxWindow;

// The Sort dialog: three rows of a field list and a direction, first key first.
std::optional<SortRows> runSortDialog(wxWindow* parent, const std::vector<std::string>& fields,
                                      const SortRows& shown);

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "document/document_dialogs.h"

class wxWindow;

// The Sort dialog: three rows of a field list and a direction, first key first. A note under them
// says where distances are measured from while "distance" is chosen in a row.
std::optional<SortRows> runSortDialog(wxWindow* parent, const std::vector<std::string>& fields,
                                      const SortRows& shown, const DistanceNote& distance);

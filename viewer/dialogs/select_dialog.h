#pragma once

#include <optional>
#include <string>
#include <vector>

#include "document/document_dialogs.h"

class wxWindow;

// The Select dialog: a field of the list (the built-in entries, then the named user-defined
// fields), its bounds, Exclude and how the step combines with the selection so far.
// A note under the list says where distances are measured from while "distance" is chosen.
// OK brings the check's message instead of closing while the check refuses a bound.
std::optional<SelectChoice> runSelectDialog(wxWindow* parent, const std::vector<std::string>& fields,
                                            const DistanceNote& distance, const SelectCheck& check);

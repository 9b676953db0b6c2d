#pragma once

class TowerFieldEditor;
class wxWindow;

// The tower's field editor, "Tower Details": a button and a value for each named user-defined
// field; a button opens the entry dialog of its field's type, whose OK sets the value at once.
void runTowerFieldsDialog(wxWindow* parent, TowerFieldEditor& editor);

#include "viewer/dialogs/options_dialog.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include "geo/grid_reference.h"
#include "viewer/dialog_units.h"
#include "viewer/dialogs/validators.h"
#include "viewer/wx_text.h"

namespace {

constexpr std::string_view radiusRefusal = "Please enter a number between 0 and 1000000.";
constexpr std::string_view centreRefusal =
    "Please enter a grid reference: two letters and six figures, such as TQ102665, or an Irish "
    "grid letter, a blank and six figures, such as O 153340.";

bool isDialogRadius(std::string_view text) { return readRadiusText(text).has_value(); }

class OptionsDialog : public wxDialog {
public:
    OptionsDialog(wxWindow* parent, const MapOptions& shown)
        : wxDialog(parent, wxID_ANY, "Options"),
          referenceSystem_(static_cast<int>(shown.referenceSystem)),
          centreText_(shown.centreText),
          radiusText_(::radiusText(shown.radius)),
          webMap_(shown.webMap)
    {
        sizeDialog(this, 148, 104);
        makeButton(this, wxID_OK, "OK", {87, 6, 50, 14})->SetDefault();
        makeButton(this, wxID_CANCEL, "Cancel", {87, 23, 50, 14});
        makeGroup(this, "Map References", {5, 0, 63, 43});
        makeRadio(this, 1019, "OS", {10, 9, 26, 10}, true)->SetValidator(RadioValidator(referenceSystem_, 0));
        makeRadio(this, 1001, "UTM", {10, 20, 32, 10}, false)->SetValidator(RadioValidator(referenceSystem_, 1));
        makeRadio(this, 1020, "Lat/Long", {10, 31, 45, 10}, false)->SetValidator(RadioValidator(referenceSystem_, 2));
        makeGroup(this, "Display", {6, 43, 75, 45});
        makeLabel(this, "Centre", {12, 56, 22, 8});
        // The centre as it was shown is taken back as it is: after a move in the UTM or Lat/Long
        // system it is a text of that system, which the document knows.
        const auto isCentre = [shownCentre = shown.centreText](std::string_view text) {
            return text == shownCentre || typedGridReference(text).has_value();
        };
        makeEdit(this, 1021, {38, 52, 40, 14})->SetValidator(CheckedTextValidator(centreText_, isCentre, centreRefusal));
        makeLabel(this, "Radius", {12, 72, 23, 8});
        makeEdit(this, 1022, {38, 70, 40, 14})
            ->SetValidator(CheckedTextValidator(radiusText_, isDialogRadius, radiusRefusal));
        makeGroup(this, "www map", {84, 43, 63, 58});
        makeRadio(this, 1054, "streetmap", {87, 56, 47, 10}, true)->SetValidator(RadioValidator(webMap_, 0));
        makeRadio(this, 1055, "multimap", {87, 70, 43, 10}, false)->SetValidator(RadioValidator(webMap_, 1));
        makeRadio(this, 1056, "openstreetmap", {87, 84, 61, 10}, false)->SetValidator(RadioValidator(webMap_, 2));
    }

    MapOptions chosen() const
    {
        return {static_cast<ReferenceSystem>(referenceSystem_),
                typedGridReference(centreText_).value_or(centreText_), *readRadiusText(radiusText_), webMap_};
    }

private:
    int referenceSystem_;
    std::string centreText_;
    std::string radiusText_;
    int webMap_;
};

}  // namespace

std::optional<MapOptions> runOptionsDialog(wxWindow* parent, const MapOptions& shown)
{
    OptionsDialog dialog(parent, shown);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    return dialog.chosen();
}

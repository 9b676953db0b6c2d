#include "viewer/dialogs/options_dialog.h"

#include <wx/dialog.h>

#include "records/grid_reference.h"
#include "viewer/dialog_builder.h"
#include "viewer/dialogs/control_ids.h"
#include "viewer/dialogs/validators.h"

namespace {

using namespace optionsId;
using enum ControlKind;

constexpr ControlRow table[] = {
    {DefaultButton, wxID_OK, "OK", {87, 6, 50, 14}},
    {Button, wxID_CANCEL, "Cancel", {87, 23, 50, 14}},
    {Group, wxID_ANY, "Map References", {5, 0, 63, 43}},
    {FirstRadio, os, "OS", {10, 9, 26, 10}},
    {Radio, utm, "UTM", {10, 20, 32, 10}},
    {Radio, latLong, "Lat/Long", {10, 31, 45, 10}},
    {Group, wxID_ANY, "Display", {6, 43, 75, 45}},
    {Label, wxID_ANY, "Centre", {12, 56, 22, 8}},
    {Edit, centre, "", {38, 52, 40, 14}},
    {Label, wxID_ANY, "Radius", {12, 72, 23, 8}},
    {Edit, radius, "", {38, 70, 40, 14}},
    {Group, wxID_ANY, "www map", {84, 43, 63, 58}},
    {FirstRadio, streetmap, "streetmap", {87, 56, 47, 10}},
    {Radio, multimap, "multimap", {87, 70, 43, 10}},
    {Radio, openStreetMap, "openstreetmap", {87, 84, 61, 10}},
};
constexpr int width = 148;
constexpr int height = 104;

constexpr std::string_view radiusRefusal = "Please enter a number between 0 and 1000000.";
constexpr std::string_view centreRefusal =
    "Please enter a grid reference: two letters and six figures, such as TQ102665, or an Irish "
    "grid letter, a blank and six figures, such as O 153340.";

class OptionsDialog : public wxDialog {
public:
    OptionsDialog(wxWindow* parent, const MapOptions& shown)
        : wxDialog(parent, wxID_ANY, "Options"),
          shown_(shown),
          referenceSystem_(static_cast<int>(shown.referenceSystem)),
          centreText_(shown.centreText),
          radiusText_(radiusText(shown.radius)),
          webMap_(shown.webMap)
    {
        DialogControls controls(this, table);
        const int systems[] = {os, utm, latLong};
        for (int position = 0; position < 3; ++position)
            controls.find(systems[position])->SetValidator(RadioValidator(referenceSystem_, position));
        const int services[] = {streetmap, multimap, openStreetMap};
        for (int position = 0; position < 3; ++position)
            controls.find(services[position])->SetValidator(RadioValidator(webMap_, position));
        // What the dialog showed is always taken back as it was: a centre a move wrote in the UTM
        // or Lat/Long system, a radius beyond the box's range from a document file.
        const auto checkCentre = [shownText = centreText_](std::string_view text) -> std::optional<std::string> {
            if (text == shownText || typedGridReference(text)) return std::nullopt;
            return std::string(centreRefusal);
        };
        const auto checkRadius = [shownText = radiusText_](std::string_view text) -> std::optional<std::string> {
            if (text == shownText) return std::nullopt;
            if (!readRadiusText(text)) return std::string(radiusRefusal);
            if (const std::optional<std::string> kept = radiusKeptOtherwise(text))
                return "\"" + std::string(text) + "\" would be kept as " + *kept +
                       ": a radius holds about seven digits. Please enter that, or a number with fewer digits.";
            return std::nullopt;
        };
        controls.find(centre)->SetValidator(CheckedTextValidator(centreText_, checkCentre));
        controls.find(radius)->SetValidator(CheckedTextValidator(radiusText_, checkRadius));
        controls.layOut(width, height);
    }

    MapOptions chosen() const
    {
        MapOptions options = shown_;
        options.referenceSystem = static_cast<ReferenceSystem>(referenceSystem_);
        options.webMap = webMap_;
        if (centreText_ != shown_.centreText) options.centreText = *typedGridReference(centreText_);
        if (radiusText_ != radiusText(shown_.radius)) options.radius = *readRadiusText(radiusText_);
        return options;
    }

private:
    MapOptions shown_;
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

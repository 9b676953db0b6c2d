#include "document/session.h"

#include <algorithm>
#include <ostream>

#include "geo/outline_loader.h"
#include "query/csv_export.h"
#include "query/gps_exports.h"
#include "query/selection.h"
#include "query/sorting.h"
#include "query/tower_text.h"
#include "records/file_bytes.h"
#include "records/grid_reference.h"
#include "records/number_text.h"

namespace {

// Pans far beyond the grid keep the centre inside 32 bits instead of wrapping round.
std::int32_t shifted(std::int32_t value, std::int32_t by)
{
    return clampToInt32(static_cast<double>(std::int64_t{value} + by));
}

}  // namespace

ViewerLoad loadViewerDatabase(const ViewerFiles& files)
{
    ViewerLoad load;
    try {
        load.database = std::make_unique<TowerDatabase>(files.directory);
        load.directoryWhole = !load.database->damaged();
        if (!load.directoryWhole) load.problems.push_back(damageReport(files.directory, *load.database));
    } catch (const FileReadError& error) {
        load.database = std::make_unique<TowerDatabase>();
        if (error.reason() == FileReadError::Reason::Missing)
            load.directoryMissing = true;
        else
            load.problems.push_back(std::string(error.what()) + ": the list is empty.");
    }
    setDefaultSortKeys(*load.database);
    recomputeDisplayed(*load.database, UserFields());
    try {
        OutlineRead outline = readOutlineFile(files.outline);
        if (outline.cutShort) load.problems.push_back(damageReport(files.outline, outline));
        load.database->outline = std::move(outline.outline);
    } catch (const FileReadError& error) {
        if (error.reason() != FileReadError::Reason::Missing)
            load.problems.push_back(std::string(error.what()) + ": the map shows no outline.");
    }
    return load;
}

Session::Session(ViewerFiles files) : files_(std::move(files)) {}

// --- The directory -----------------------------------------------------------------------------

Session::Reload Session::loadDirectory(std::optional<ViewerLoad> readAhead)
{
    const Position centre = centreOfText();
    std::map<TowerId, TowerIdentity> owners;
    if (database_) owners = valueOwners(userFields_.slots(), *database_, setAside_);
    const bool ownersComplete = database_ && directoryWhole_;
    ViewerLoad load = readAhead ? std::move(*readAhead) : loadViewerDatabase(files_);
    database_ = std::move(load.database);
    directoryMissing_ = load.directoryMissing;
    directoryWhole_ = load.directoryWhole;
    Reload reload{std::move(load.problems),
                  reattachValues(userFields_.slots(), setAside_, owners, ownersComplete, *database_)};
    // A directory read anew has no selection steps and sort keys that read none of the user's
    // fields: the display the load worked out stands.
    applyCentreAndRadius(centre);
    return reload;
}

void Session::useDirectory(TowerDatabase directory)
{
    directoryWhole_ = !directory.damaged();
    database_ = std::make_unique<TowerDatabase>(std::move(directory));
    setDefaultSortKeys(*database_);
    applyCentreAndRadius(centreOfText());
}

TowerDatabase& Session::database()
{
    if (!database_) loadDirectory();
    return *database_;
}

void Session::recompute() { recomputeDisplayed(database(), userFields_); }

// --- Settings ----------------------------------------------------------------------------------

Position Session::centreOfText()
{
    if (database_ && movedCentreText_ == centreText_) return database_->centre;
    movedCentreText_.reset();
    return parseGridRef(centreText_);
}

void Session::applyCentreAndRadius(Position centre)
{
    database_->centre = centre;
    database_->radius = wholeMetres(radius_);
}

void Session::writeCentreText()
{
    centreText_ = locationText(database().centre, referenceSystem_);
    movedCentreText_ = centreText_;
}

MapOptions Session::shownMapOptions() const
{
    return {referenceSystem_, centreText_, dialogRadius(radius_), webMap_};
}

void Session::applyMapOptions(const MapOptions& options)
{
    database();
    referenceSystem_ = options.referenceSystem;
    centreText_ = options.centreText;
    radius_ = static_cast<double>(options.radius);
    webMap_ = options.webMap;
    applyCentreAndRadius(centreOfText());
}

void Session::applyCentreText(std::string text, double radius)
{
    database();
    centreText_ = std::move(text);
    radius_ = radius;
    // A centre text from a file or a command line is always read as a grid reference.
    movedCentreText_.reset();
    applyCentreAndRadius(parseGridRef(centreText_));
}

// --- Moves -------------------------------------------------------------------------------------

bool Session::move(std::int32_t dx, std::int32_t dy)
{
    TowerDatabase& directory = database();
    // C++ division truncates toward zero, as the directory's arithmetic does.
    directory.centre.x = shifted(directory.centre.x, dx / 100);
    directory.centre.y = shifted(directory.centre.y, dy / 100);
    directory.radius = wholeMetres(radius_);
    writeCentreText();
    return dx != 0 || dy != 0;
}

void Session::zoomIn()
{
    // Not below a whole metre, where the map shows nothing.
    if (radius_ > 1) radius_ = std::max(radius_ / 2, 1.0);
    move(0, 0);
}

void Session::zoomOut()
{
    // A larger radius from a document file stays as it is; from below a whole metre, where the
    // map shows nothing and a radius of 0 would stay 0, it opens again at 1 m.
    const double largest = largestDialogRadius;
    if (radius_ < 1)
        radius_ = 1;
    else if (radius_ < largest)
        radius_ = std::min(radius_ * 2, largest);
    move(0, 0);
}

void Session::centreOn(const Tower* tower)
{
    if (tower != nullptr) database().centre = tower->position;
    writeCentreText();
}

// --- Document files ----------------------------------------------------------------------------

ReattachmentReport Session::readDocument(DocumentContents contents)
{
    TowerDatabase& directory = database();
    userFields_.replace(std::move(contents.fields));
    ReattachmentReport report;
    if (contents.ownership) {
        setAside_ = std::move(contents.ownership->setAside);
        // A file does not say whether its directory was read whole when it was saved: a number
        // without an owner there may be a tower that directory could not read, and is kept.
        report = reattachValues(userFields_.slots(), setAside_, contents.ownership->owners, false, directory);
    } else {
        setAside_.clear();
        report = keptByNumber(userFields_.slots(), directory);
    }
    report.repeatedValues = contents.repeatedValues;
    applyCentreText(std::move(contents.centreText), contents.radius);
    return report;
}

std::string Session::documentBytes()
{
    const ValueOwnership ownership{valueOwners(userFields_.slots(), database(), setAside_), setAside_};
    std::string bytes = encodeDocument(centreText_, radius_, userFields_.slots(), ownership);
    // A file that could not be opened again would lose every value in it.
    if (bytes.size() > documentFile.largest)
        throw FileWriteError("the document would be " + std::to_string(bytes.size()) +
                             " bytes, larger than any document that can be opened (at most " +
                             std::to_string(documentFile.largest) + " bytes)");
    return bytes;
}

// --- Texts and exports -------------------------------------------------------------------------

std::string Session::description(const Tower* tower) const
{
    if (!database_) return std::string(noTowerDetails);
    return towerDescription(tower, *database_, true, userFields_, referenceSystem_);
}

std::string Session::distanceReferenceText() const
{
    const Tower* reference = database_ ? database_->distanceReference : nullptr;
    if (reference == nullptr) return "Distances are measured from the map centre, " + centreText_ + ".";
    return "Distances are measured from " + towerName(reference, *database_) + ".";
}

std::int32_t Session::writeExport(std::ostream& out, ExportFormat format)
{
    const TowerDatabase& directory = database();
    switch (format) {
    case ExportFormat::Csv: writeCsv(out, directory, userFields_, referenceSystem_); return 0;
    case ExportFormat::Gpx: return writeGpx(out, directory, userFields_, referenceSystem_, wgs84()).leftOut;
    case ExportFormat::GeoJson:
        return writeGeoJson(out, directory, userFields_, referenceSystem_, wgs84()).leftOut;
    }
    return 0;
}

const Wgs84Converter& Session::wgs84()
{
    if (!toWgs84_) toWgs84_ = std::make_unique<Wgs84Converter>();
    return *toWgs84_;
}

#include "document/vesk_doc.h"

#include <algorithm>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "document/archive.h"
#include "document/command_ids.h"
#include "document/dialog_choices.h"
#include "document/document_file.h"
#include "document/web_links.h"
#include "records/grid_reference.h"
#include "geo/location_text.h"
#include "geo/outline_loader.h"
#include "query/csv_export.h"
#include "query/field_list.h"
#include "query/gps_exports.h"
#include "query/selection.h"
#include "query/sorting.h"
#include "query/tower_text.h"
#include "query/user_fields.h"
#include "records/file_bytes.h"
#include "records/number_text.h"
#include "records/value_readers.h"

namespace {

// The wait cursor from just after a dialog closes until the views were told to update.
class BusyCursor {
public:
    explicit BusyCursor(DocumentViews& views) : views_(views) { views_.beginBusy(); }
    ~BusyCursor() { views_.endBusy(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    DocumentViews& views_;
};

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
        if (load.database->cutShort()) load.problems.push_back(damageReport(files.directory, *load.database));
    } catch (const FileReadError& error) {
        load.database = std::make_unique<TowerDatabase>();
        if (error.reason() == FileReadError::Reason::Missing)
            load.directoryMissing = true;
        else
            load.problems.push_back(std::string(error.what()) + ": the list is empty.");
    }
    setDefaultSortKeys(*load.database);
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

VeskDoc::VeskDoc(DocumentViews& views, DocumentDialogs& dialogs, std::string browser,
                 ViewerFiles files)
    : views_(views), dialogs_(dialogs), files_(std::move(files)), browserCommand_(std::move(browser))
{
}

TowerDatabase& VeskDoc::ensureDatabase()
{
    // A document file named on the viewer's command line is read before any new document has
    // made the directory; it is made then.
    if (!database_) {
        loadDatabase();
        applyCentreAndRadius(centreOfText());
    }
    return *database_;
}

void VeskDoc::loadDatabase()
{
    ViewerLoad load = loadViewerDatabase(files_);
    database_ = std::move(load.database);
    directoryMissing_ = load.directoryMissing;
    std::string problems;
    for (const std::string& problem : load.problems) (problems += problem) += '\n';
    if (!problems.empty() && problems != loadProblemsTold_) views_.showMessage(problems);
    loadProblemsTold_ = std::move(problems);
}

Position VeskDoc::centreOfText()
{
    if (database_ && movedCentreText_ == centreText_) return database_->centre;
    movedCentreText_.reset();
    return parseGridRef(centreText_);
}

void VeskDoc::applyCentreAndRadius(Position centre)
{
    TowerDatabase& database = ensureDatabase();
    database.centre = centre;
    database.radius = wholeMetres(radius_);
    recomputeDisplayed(database);
}

// --- File commands -----------------------------------------------------------------------------

bool VeskDoc::newDocument()
{
    const Tower* previous = currentTower_;
    const bool hadTower = previous != nullptr;
    const TowerId keptId = hadTower ? previous->id : 0;
    currentTower_ = nullptr;  // it pointed into the directory that is being replaced
    const Position centre = centreOfText();
    std::map<TowerId, TowerIdentity> owners;
    if (database_) owners = valueOwners(userFields, *database_);

    loadDatabase();
    applyCentreAndRadius(centre);
    const ReattachmentReport report = reattachValues(userFields, setAside_, owners, *database_);
    if (report.keysChanged) modified_ = true;
    if (hadTower) {
        currentTower_ = database_->tower(keptId);
        views_.showControlBar(showCurrentTower(currentTower_, *database_));
    }
    views_.updateAllViews();
    if (report.keysChanged)
        views_.showMessage("The directory " + quotedPath(files_.directory) +
                           " numbers its towers otherwise now.\n" + reattachmentText(report));
    return true;
}

bool VeskDoc::openDocument(const std::filesystem::path& path)
{
    DocumentContents contents;
    try {
        contents = decodeDocument(readFileBytes(path, documentFile));
    } catch (const FileReadError& error) {
        views_.showMessage(std::string(error.what()) + ". Nothing was changed.");
        return false;
    } catch (const ArchiveFormatError& error) {
        views_.showMessage("Cannot open " + quotedPath(path) +
                             ": it is not a Belfrix document (the file " + error.what() +
                             "). Nothing was changed.");
        return false;
    }

    ensureDatabase();
    radius_ = contents.radius;
    centreText_ = std::move(contents.centreText);
    replaceUserFields(std::move(contents.fields));
    ReattachmentReport report;
    if (contents.ownership) {
        setAside_ = std::move(contents.ownership->setAside);
        report = reattachValues(userFields, setAside_, contents.ownership->owners, *database_);
    } else {
        setAside_.clear();
    }
    needsCentring_ = true;
    modified_ = report.keysChanged;
    // A centre text from a file is always read as a grid reference, whatever wrote it.
    movedCentreText_.reset();
    applyCentreAndRadius(parseGridRef(centreText_));
    views_.updateAllViews();
    if (!report.empty())
        views_.showMessage("The values of " + quotedPath(path) +
                           " were matched to the towers of this directory.\n" + reattachmentText(report));
    return true;
}

bool VeskDoc::saveDocument(const std::filesystem::path& path)
{
    try {
        const ValueOwnership ownership{valueOwners(userFields, ensureDatabase()), setAside_};
        replaceFileContents(path, encodeDocument(centreText_, radius_, userFields, ownership));
    } catch (const std::exception& error) {
        views_.showMessage("The document is not saved: " + std::string(error.what()) +
                           ". Any earlier file of that name is unchanged.");
        return false;
    }
    modified_ = false;
    return true;
}

// --- Dispatch ------------------------------------------------------------------------------------

bool VeskDoc::onCommand(int id)
{
    switch (id) {
    case command::sort: sortCommand(); return true;
    case command::select: selectCommand(); return true;
    case command::mapOptions: mapOptionsCommand(); return true;
    case command::zoomIn: zoomIn(); return true;
    case command::zoomOut: zoomOut(); return true;
    case command::north: north(); return true;
    case command::south: south(); return true;
    case command::east: east(); return true;
    case command::west: west(); return true;
    case command::userFields: userFieldsCommand(); return true;
    case command::exportCsv: exportCommand(ExportFormat::Csv); return true;
    case command::exportGpx: exportCommand(ExportFormat::Gpx); return true;
    case command::exportGeoJson: exportCommand(ExportFormat::GeoJson); return true;
    case command::centre: centreOnCurrentTower(); return true;
    case command::details: details(); return true;
    case command::editFields: editFieldsCommand(); return true;
    case command::www: openWebPage(); return true;
    case command::wwwMap: openWebMap(); return true;
    default: return false;
    }
}

// --- Views and frame -----------------------------------------------------------------------------

std::int32_t VeskDoc::displayedCount() const
{
    return database_ ? database_->displayedCount() : 0;
}

std::string VeskDoc::listLine(std::int32_t displayPosition) const
{
    if (directoryMissing_ && displayPosition == 0)
        return "No tower directory at " + quotedPath(std::filesystem::absolute(files_.directory)) +
               ": veskcomp makes one from vesk.txt in that folder.";
    if (!database_) return std::string(noTowerDetails);
    return towerDescription(database_->displayedTower(displayPosition), *database_, true);
}

void VeskDoc::pickByDisplayPosition(std::int32_t displayPosition)
{
    setCurrentTower(ensureDatabase().displayedTower(displayPosition));
}

void VeskDoc::pickNearest(ViewPoint point)
{
    setCurrentTower(nearestVisibleTower(ensureDatabase(), point));
}

std::string VeskDoc::hoverText(ViewPoint point) const
{
    if (!database_) return std::string(noTowerDetails);
    return towerDescription(nearestVisibleTower(*database_, point), *database_, false);
}

ViewPoint VeskDoc::measureFromCurrentTower()
{
    if (currentTower_ == nullptr) return offMap;
    TowerDatabase& database = ensureDatabase();
    database.distanceReference = currentTower_;
    return viewCoordinates(database, *currentTower_);
}

bool VeskDoc::takeNeedsCentring()
{
    const bool was = needsCentring_;
    needsCentring_ = false;
    return was;
}

void VeskDoc::setCurrentTower(const Tower* tower)
{
    TowerDatabase& database = ensureDatabase();
    currentTower_ = tower;
    views_.showControlBar(showCurrentTower(tower, database));
    views_.updateAllViews();
}

// --- Dialog commands -----------------------------------------------------------------------------

std::string VeskDoc::distanceReferenceText() const
{
    const Tower* reference = database_ ? database_->distanceReference : nullptr;
    if (reference == nullptr) return "Distances are measured from the map centre, " + centreText_ + ".";
    return "Distances are measured from " + towerDescription(reference, *database_, false) + ".";
}

void VeskDoc::updateAfterRecompute()
{
    views_.updateAllViews();
    if (database_ && measuresDistance(*database_)) views_.showStatus(distanceReferenceText());
}

void VeskDoc::selectCommand()
{
    ensureDatabase();
    const DistanceNote note{selectDistance, distanceReferenceText()};
    const auto choice = dialogs_.runSelectDialog(fieldList(selectionFieldEntries), note);
    if (choice) applySelection(selectionStepOf(*choice));
}

void VeskDoc::applySelection(SelectionStep step)
{
    TowerDatabase& database = ensureDatabase();
    BusyCursor busy(views_);
    applySelectionStep(database, std::move(step));
    updateAfterRecompute();
}

void VeskDoc::sortCommand()
{
    const SortKeys keys = ensureDatabase().sortKeys;
    const SortRows shown = sortRowsOf(keys);
    const DistanceNote note{sortDistance, distanceReferenceText()};
    const auto chosen = dialogs_.runSortDialog(fieldList(sortFieldEntries), shown, note);
    if (chosen) applySortKeys(sortKeysOf(keys, shown, *chosen));
}

void VeskDoc::applySortKeys(const SortKeys& keys)
{
    TowerDatabase& database = ensureDatabase();
    BusyCursor busy(views_);
    database.sortKeys = keys;
    recomputeDisplayed(database);
    updateAfterRecompute();
}

MapOptions VeskDoc::shownMapOptions() const
{
    return {referenceSystem, centreText_, static_cast<float>(radius_), webMap_};
}

void VeskDoc::mapOptionsCommand()
{
    const auto options = dialogs_.runMapOptionsDialog(shownMapOptions());
    if (options) applyMapOptions(*options);
}

void VeskDoc::applyMapOptions(const MapOptions& options)
{
    ensureDatabase();
    BusyCursor busy(views_);
    referenceSystem = options.referenceSystem;
    centreText_ = options.centreText;
    radius_ = static_cast<double>(options.radius);
    webMap_ = options.webMap;
    applyCentreAndRadius(centreOfText());
    updateAfterRecompute();
}

UserFieldDefinitions VeskDoc::shownUserFieldDefinitions() const
{
    UserFieldDefinitions rows;
    for (int slot = 0; slot < userFieldCount; ++slot) {
        rows[slot].name = userFields[slot].name;
        rows[slot].type = userFields[slot].isNamed() ? static_cast<std::int32_t>(userFields[slot].type) : -1;
    }
    return rows;
}

void VeskDoc::userFieldsCommand()
{
    const auto rows = dialogs_.runUserFieldsDialog(shownUserFieldDefinitions());
    if (rows) applyUserFieldDefinitions(*rows);
}

void VeskDoc::applyUserFieldDefinitions(const UserFieldDefinitions& rows)
{
    const UserFieldDefinitions before = shownUserFieldDefinitions();
    for (int slot = 0; slot < userFieldCount; ++slot) {
        userFields[slot].name = rows[slot].name;
        // A row without a type keeps the slot's type, so every named field stays one the
        // document file can store and read back.
        if (rows[slot].type >= 0 && rows[slot].type <= 2)
            userFields[slot].type = static_cast<FieldType>(rows[slot].type);
    }
    if (shownUserFieldDefinitions() != before) modified_ = true;
}

void VeskDoc::editFieldsCommand()
{
    TowerFieldEditor editor(currentTower_, ensureDatabase());
    dialogs_.runTowerFieldsDialog(editor);
    if (editor.changedAValue()) modified_ = true;
}

// --- Map moves -----------------------------------------------------------------------------------

void VeskDoc::move(std::int32_t dx, std::int32_t dy)
{
    TowerDatabase& database = ensureDatabase();
    BusyCursor busy(views_);
    // C++ division truncates toward zero, as the directory's arithmetic does.
    database.centre.x = shifted(database.centre.x, dx / 100);
    database.centre.y = shifted(database.centre.y, dy / 100);
    database.radius = wholeMetres(radius_);
    centreText_ = locationText(database.centre);
    movedCentreText_ = centreText_;
    if (dx == 0 && dy == 0) {
        views_.updateAllViews();
        return;
    }
    recomputeDisplayed(database);
    updateAfterRecompute();
}

void VeskDoc::zoomIn()
{
    radius_ /= 2;
    move(0, 0);
}

void VeskDoc::zoomOut()
{
    // No farther than the Options dialog reaches, so the dialog always takes what it shows; a
    // larger radius from a document file stays as it is.
    const double largest = largestDialogRadius;
    if (radius_ < largest) radius_ = std::min(radius_ * 2, largest);
    move(0, 0);
}

void VeskDoc::north() { move(0, wholeMetres(radius_ / 2)); }
void VeskDoc::south() { move(0, wholeMetres(-radius_ / 2)); }
void VeskDoc::east() { move(wholeMetres(radius_ / 2), 0); }
void VeskDoc::west() { move(wholeMetres(-radius_ / 2), 0); }

void VeskDoc::centreOnCurrentTower()
{
    TowerDatabase& database = ensureDatabase();
    BusyCursor busy(views_);
    if (currentTower_ != nullptr) {
        database.centre = currentTower_->position;
        recomputeDisplayed(database);
    }
    centreText_ = locationText(database.centre);
    movedCentreText_ = centreText_;
    needsCentring_ = true;
    updateAfterRecompute();
}

// --- Details, Export, web links ------------------------------------------------------------------

void VeskDoc::details()
{
    views_.showMessage(towerDescription(currentTower_, ensureDatabase(), true));
}

std::int32_t VeskDoc::writeExport(std::ostream& out, ExportFormat format)
{
    const TowerDatabase& database = ensureDatabase();
    switch (format) {
    case ExportFormat::Csv: writeCsv(out, database); return 0;
    case ExportFormat::Gpx: return writeGpx(out, database, wgs84()).leftOut;
    case ExportFormat::GeoJson: return writeGeoJson(out, database, wgs84()).leftOut;
    }
    return 0;
}

void VeskDoc::exportCommand(ExportFormat format)
{
    const auto path = dialogs_.askExportFileName(format);
    if (!path) return;
    ensureDatabase();
    std::string message;
    {
        BusyCursor busy(views_);
        // Written whole before it replaces any earlier file, as a document is saved.
        std::ostringstream out(std::ios::binary);
        try {
            const std::int32_t leftOut = writeExport(out, format);
            replaceFileContents(*path, out.str());
            if (leftOut > 0)
                message = std::to_string(leftOut) + (leftOut == 1 ? " tower" : " towers") +
                          " without a position could not be put in " + quotedPath(*path) + ".";
        } catch (const FileWriteError& error) {
            message = std::string(error.what()) + ". Any earlier file of that name is unchanged.";
        } catch (const std::runtime_error& error) {
            message = "Cannot export to " + quotedPath(*path) + ": " + error.what();
        }
    }
    if (!message.empty()) views_.showMessage(message);
}

void VeskDoc::openInBrowser(const std::string& address)
{
    if (!browserCommand_.empty()) {
        views_.startProgram(browserCommandLine(browserCommand_, address));
        return;
    }
    // With no program registered the command line would be the address alone, which starts
    // nothing: the desktop's own browser is asked instead.
    const std::string link = replaceChar(address, '+', '_');
    if (!views_.openWithDesktopBrowser(link))
        views_.showMessage("No web browser could be started to show " + link + ".");
}

void VeskDoc::openOpenStreetMap(Position position)
{
    try {
        if (const auto place = wgs84()(position)) openInBrowser(openStreetMapLink(*place));
    } catch (const std::runtime_error& error) {
        views_.showMessage(std::string("The map link cannot be made: ") + error.what());
    }
}

const Wgs84Converter& VeskDoc::wgs84()
{
    if (!toWgs84_) toWgs84_ = std::make_unique<Wgs84Converter>();
    return *toWgs84_;
}

void VeskDoc::openWebPage()
{
    const Tower* tower = currentTower_;
    if (tower == nullptr || tower->webPage == 0) return;
    openInBrowser(webLink(ensureDatabase().webAddress(tower->webPage)));
}

void VeskDoc::openWebMap()
{
    const Tower* tower = currentTower_;
    if (tower == nullptr || !tower->position.isSet()) return;
    if (webMap_ == webMapStreetmap)
        openInBrowser(streetmapLink(tower->position));
    else if (webMap_ == webMapOpenStreetMap)
        openOpenStreetMap(tower->position);
    else if (webMap_ == webMapMultimap)
        openInBrowser(multimapLink(tower->position));
}

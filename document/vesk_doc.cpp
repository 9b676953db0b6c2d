#include "document/vesk_doc.h"

#include <ostream>
#include <sstream>
#include <stdexcept>

#include "document/archive.h"
#include "document/command_ids.h"
#include "document/dialog_choices.h"
#include "document/document_file.h"
#include "document/web_links.h"
#include "query/field_list.h"
#include "query/selection.h"
#include "query/sorting.h"
#include "query/tower_text.h"
#include "records/file_bytes.h"

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

}  // namespace

VeskDoc::VeskDoc(DocumentViews& views, DocumentDialogs& dialogs, std::string browser, ViewerFiles files)
    : views_(views), dialogs_(dialogs), session_(std::move(files)), browserCommand_(std::move(browser))
{
}

TowerDatabase& VeskDoc::ensureDatabase()
{
    if (!session_.hasDatabase()) loadDirectory();
    return session_.database();
}

Session::Reload VeskDoc::loadDirectory()
{
    Session::Reload reload = session_.loadDirectory(readAhead_.take(session_.files()));
    std::string problems;
    for (const std::string& problem : reload.problems) (problems += problem) += '\n';
    if (!problems.empty() && problems != loadProblemsTold_) views_.showMessage(problems);
    loadProblemsTold_ = std::move(problems);
    return reload;
}

void VeskDoc::recomputeAndUpdate()
{
    TowerDatabase& database = ensureDatabase();
    session_.recompute();
    views_.updateAllViews();
    if (measuresDistance(database)) views_.showStatus(session_.distanceReferenceText());
}

// --- File commands -----------------------------------------------------------------------------

bool VeskDoc::newDocument()
{
    const TowerId keptId = currentTower_ != nullptr ? currentTower_->id : 0;
    currentTower_ = nullptr;  // it pointed into the directory that is being replaced
    const ReattachmentReport report = loadDirectory().reattachment;
    if (report.keysChanged) modified_ = true;
    if (keptId != 0) {
        currentTower_ = session_.database().tower(keptId);
        if (currentTower_ != nullptr) session_.database().distanceReference = currentTower_;
        views_.showControlBar(showCurrentTower(currentTower_, session_.database()));
    }
    views_.updateAllViews();
    if (report.keysChanged)
        views_.showMessage("The directory " + quotedPath(session_.files().directory) +
                           (session_.directoryMissing() ? " is not there now.\n"
                            : report.movedValues > 0    ? " numbers its towers otherwise now.\n"
                                                        : " was read again.\n") +
                           reattachmentText(report));
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
        views_.showMessage("Cannot open " + quotedPath(path) + ": it is not a Belfrix document (the file " +
                           error.what() + "). Nothing was changed.");
        return false;
    }

    ensureDatabase();
    const ReattachmentReport report = session_.readDocument(std::move(contents));
    needsCentring_ = true;
    modified_ = report.keysChanged;
    session_.recompute();
    views_.updateAllViews();
    if (report.keptByNumber > 0 || report.hiddenByNumber > 0 || report.repeatedValues > 0)
        views_.showMessage(quotedPath(path) + ":\n" + reattachmentText(report));
    else if (!report.empty())
        views_.showMessage("The values of " + quotedPath(path) + " were matched to the towers of this directory.\n" +
                           reattachmentText(report));
    return true;
}

bool VeskDoc::saveDocument(const std::filesystem::path& path)
{
    try {
        ensureDatabase();
        replaceFileContents(path, session_.documentBytes());
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
    const TowerDatabase* database = session_.databaseIfLoaded();
    return database != nullptr ? database->displayedCount() : 0;
}

std::string VeskDoc::listLine(std::int32_t displayPosition) const
{
    if (session_.directoryMissing() && displayPosition == 0)
        return "No tower directory at " + quotedPath(std::filesystem::absolute(session_.files().directory)) +
               ": veskcomp makes one from vesk.txt in that folder.";
    const TowerDatabase* database = session_.databaseIfLoaded();
    return session_.description(database != nullptr ? database->displayedTower(displayPosition) : nullptr);
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
    const TowerDatabase* database = session_.databaseIfLoaded();
    if (database == nullptr) return std::string(noTowerDetails);
    return towerName(nearestVisibleTower(*database, point), *database);
}

ViewPoint VeskDoc::currentTowerViewPoint() const
{
    const TowerDatabase* database = session_.databaseIfLoaded();
    if (currentTower_ == nullptr || database == nullptr) return offMap;
    return viewCoordinates(*database, *currentTower_);
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
    if (tower != nullptr) database.distanceReference = tower;
    views_.showControlBar(showCurrentTower(tower, database));
    views_.updateAllViews();
}

// --- Dialog commands -----------------------------------------------------------------------------

void VeskDoc::selectCommand()
{
    ensureDatabase();
    const DistanceNote note{selectDistance, session_.distanceReferenceText()};
    const UserFields& fields = userFields();
    const auto check = [&fields](const SelectChoice& choice) { return selectRefusal(choice, fields, today()); };
    const auto choice = dialogs_.runSelectDialog(fieldList(selectionFieldEntries, fields), note, check);
    if (choice) applySelection(selectionStepOf(*choice, fields));
}

void VeskDoc::applySelection(SelectionStep step)
{
    TowerDatabase& database = ensureDatabase();
    BusyCursor busy(views_);
    changeSelection(database, userFields(), std::move(step));
    recomputeAndUpdate();
}

void VeskDoc::sortCommand()
{
    const SortKeys keys = ensureDatabase().sortKeys;
    const SortRows shown = sortRowsOf(keys, userFields());
    const DistanceNote note{sortDistance, session_.distanceReferenceText()};
    const auto chosen = dialogs_.runSortDialog(fieldList(sortFieldEntries, userFields()), shown, note);
    if (chosen) applySortKeys(sortKeysOf(keys, shown, *chosen, userFields()));
}

void VeskDoc::applySortKeys(const SortKeys& keys)
{
    TowerDatabase& database = ensureDatabase();
    BusyCursor busy(views_);
    database.sortKeys = keys;
    recomputeAndUpdate();
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
    session_.applyMapOptions(options);
    recomputeAndUpdate();
}

UserFieldDefinitions VeskDoc::shownUserFieldDefinitions() const
{
    const UserFields& fields = session_.userFields();
    UserFieldDefinitions rows;
    for (int slot = 0; slot < userFieldCount; ++slot) {
        rows[slot].name = fields[slot].name;
        rows[slot].type = fields[slot].isNamed() ? static_cast<std::int32_t>(fields[slot].type) : -1;
    }
    return rows;
}

void VeskDoc::userFieldsCommand()
{
    const auto rows = dialogs_.runUserFieldsDialog(shownUserFieldDefinitions());
    if (!rows) return;
    const std::string hidden = hiddenValuesNote(userFields(), *rows);
    const std::string returning = returningValuesNote(userFields(), *rows);
    applyUserFieldDefinitions(*rows);
    const std::string note = hidden + (hidden.empty() || returning.empty() ? "" : "\n\n") + returning;
    if (!note.empty()) views_.showMessage(note);
}

void VeskDoc::applyUserFieldDefinitions(const UserFieldDefinitions& rows)
{
    const UserFieldDefinitions before = shownUserFieldDefinitions();
    UserFields& fields = userFields();
    for (int slot = 0; slot < userFieldCount; ++slot) {
        fields[slot].name = rows[slot].name;
        // A row without a type keeps the slot's type, so every named field stays one the
        // document file can store and read back.
        if (rows[slot].type >= 0 && rows[slot].type <= 2) fields[slot].type = static_cast<FieldType>(rows[slot].type);
    }
    if (shownUserFieldDefinitions() != before) modified_ = true;
}

void VeskDoc::editFieldsCommand()
{
    TowerFieldEditor editor(currentTower_, ensureDatabase(), userFields(), session_.referenceSystem());
    dialogs_.runTowerFieldsDialog(editor);
    if (editor.changedAValue()) modified_ = true;
}

// --- Map moves -----------------------------------------------------------------------------------

void VeskDoc::move(std::int32_t dx, std::int32_t dy)
{
    ensureDatabase();
    BusyCursor busy(views_);
    if (session_.move(dx, dy))
        recomputeAndUpdate();
    else
        views_.updateAllViews();
}

void VeskDoc::zoomIn()
{
    ensureDatabase();
    BusyCursor busy(views_);
    session_.zoomIn();
    views_.updateAllViews();
}

void VeskDoc::zoomOut()
{
    ensureDatabase();
    BusyCursor busy(views_);
    session_.zoomOut();
    views_.updateAllViews();
}

void VeskDoc::north() { move(0, wholeMetres(radius() / 2)); }
void VeskDoc::south() { move(0, wholeMetres(-radius() / 2)); }
void VeskDoc::east() { move(wholeMetres(radius() / 2), 0); }
void VeskDoc::west() { move(wholeMetres(-radius() / 2), 0); }

void VeskDoc::centreOnCurrentTower()
{
    ensureDatabase();
    BusyCursor busy(views_);
    session_.centreOn(currentTower_);
    needsCentring_ = true;
    if (currentTower_ != nullptr)
        recomputeAndUpdate();
    else
        views_.updateAllViews();
}

// --- Details, Export, web links ------------------------------------------------------------------

void VeskDoc::details()
{
    ensureDatabase();
    views_.showMessage(session_.description(currentTower_));
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
            const std::int32_t leftOut = session_.writeExport(out, format);
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
    if (!views_.openWithDesktopBrowser(link)) views_.showMessage("No web browser could be started to show " + link + ".");
}

void VeskDoc::openOpenStreetMap(Position position)
{
    try {
        if (const auto place = session_.wgs84()(position)) openInBrowser(openStreetMapLink(*place));
    } catch (const std::runtime_error& error) {
        views_.showMessage(std::string("The map link cannot be made: ") + error.what());
    }
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
    const std::int32_t service = session_.webMap();
    if (service == webMapStreetmap)
        openInBrowser(streetmapLink(tower->position));
    else if (service == webMapOpenStreetMap)
        openOpenStreetMap(tower->position);
    else if (service == webMapMultimap)
        openInBrowser(multimapLink(tower->position));
}

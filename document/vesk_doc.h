#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/document_dialogs.h"
#include "document/document_views.h"
#include "document/map_geometry.h"
#include "document/map_options.h"
#include "geo/wgs84.h"
#include "query/tower_database.h"
#include "query/value_owners.h"

// Where the viewer's load finds its files; the working folder's "vesk.dat" and "map.dat" unless
// told otherwise.
struct ViewerFiles {
    std::filesystem::path directory = "vesk.dat";
    std::filesystem::path outline = "map.dat";
};

// The directory as the viewer uses it: the towers and tables of the data file, the default sort
// keys and the outline map. Nothing is displayed until the document applies its centre and
// radius, which works out the displayed towers once. Either file may be missing; one that cannot
// be read, or is damaged, is said in problems, and what could be read of it is kept.
struct ViewerLoad {
    std::unique_ptr<TowerDatabase> database;
    bool directoryMissing = false;
    std::vector<std::string> problems;
};
ViewerLoad loadViewerDatabase(const ViewerFiles& files);

// The viewer's one document, alive for the whole run: the display settings, the tower directory,
// the current tower, and the receiver of the Data and View menus, Export and the control bar.
// It reaches the window system only through its views and its dialogs.
class VeskDoc {
public:
    // browserCommand: the program part of the registered ".htm" open command, found by the
    // window layer; empty when there is none.
    VeskDoc(DocumentViews& views, DocumentDialogs& dialogs, std::string browserCommand = {},
            ViewerFiles files = {});
    VeskDoc(const VeskDoc&) = delete;
    VeskDoc& operator=(const VeskDoc&) = delete;

    // Display settings; the document object keeps them across New and Open.
    const std::string& centreText() const { return centreText_; }
    double radius() const { return radius_; }  // metres
    // The next map drawing scrolls the centre into the middle of its window.
    bool needsCentring() const { return needsCentring_; }
    std::int32_t webMap() const { return webMap_; }
    const std::string& browserCommand() const { return browserCommand_; }
    // The user-defined fields' definitions or values changed since the document file was last
    // opened or saved: nothing else the document file holds is kept unsaved.
    bool modified() const { return modified_; }

    // The towers whose values the directory does not hold, by set-aside key.
    const SetAsideTowers& setAsideTowers() const { return setAside_; }

    // The directory, none before the first new document or document file.
    TowerDatabase* database() { return database_.get(); }
    const TowerDatabase* database() const { return database_.get(); }
    const Tower* currentTower() const { return currentTower_; }

    // --- File commands, reached through the viewer's shell ---
    // A fresh directory from the data file; the settings, the user-defined fields and the
    // current tower (by its TowerId) stay, the selection and sort keys start afresh. Values
    // follow their towers when the data file numbers them otherwise now, saying so.
    bool newDocument();
    // Reads the whole file first; a file that cannot be read or is not a document file is
    // refused with a message naming it, and nothing changes. A file that names the towers of its
    // values has them put back on those towers, saying how many moved and which are set aside.
    bool openDocument(const std::filesystem::path& path);
    // Writes beside the file and renames over it when complete; a failure is reported with a
    // message naming the file, which is left as it was.
    bool saveDocument(const std::filesystem::path& path);

    // Runs a command the document receives; false for an id it does not handle.
    bool onCommand(int id);

    // --- What the views and the frame call ---
    std::int32_t displayedCount() const;
    // The full description of the tower at a display position, "No tower details" past the end;
    // without a data file, where the viewer looked for one and how to make it.
    std::string listLine(std::int32_t displayPosition) const;
    void pickByDisplayPosition(std::int32_t displayPosition);
    void pickNearest(ViewPoint point);
    // The one-line description of the displayed tower nearest the point.
    std::string hoverText(ViewPoint point) const;
    // Makes the current tower the point distances are measured from, as its drawing on the map
    // does, and gives its view coordinates, where the map rings it; (-2, -2) for no tower, which
    // leaves the reference point as it was.
    ViewPoint measureFromCurrentTower();
    bool takeNeedsCentring();
    void setCurrentTower(const Tower* tower);

    // "Distances are measured from the map centre, TQ102665." or "... from Aston, Midshire,
    // S Mary.": where the distances that select and sort towers are measured from now.
    std::string distanceReferenceText() const;

    // --- The commands, each as its dialog's OK or its button runs it ---
    void selectCommand();
    void sortCommand();
    void mapOptionsCommand();
    void userFieldsCommand();
    void editFieldsCommand();
    void zoomIn();
    void zoomOut();
    void north();
    void south();
    void east();
    void west();
    void centreOnCurrentTower();
    void details();
    void exportCommand(ExportFormat format);
    void openWebPage();
    void openWebMap();

    // What the dialogs' OK applies; veskquery applies its options through these as well.
    void applySelection(SelectionStep step);
    void applySortKeys(const SortKeys& keys);
    void applyMapOptions(const MapOptions& options);
    void applyUserFieldDefinitions(const UserFieldDefinitions& rows);
    MapOptions shownMapOptions() const;
    UserFieldDefinitions shownUserFieldDefinitions() const;

    // The export file's bytes for the displayed towers; gives the number of towers without a
    // position that a GPS format leaves out. Throws std::runtime_error when PROJ cannot work out
    // WGS-84 places.
    std::int32_t writeExport(std::ostream& out, ExportFormat format);
    // The map's pan and zoom step: the centre moves by whole 100 m units of the distances
    // (metres, truncated toward zero), the database takes the document's radius, and the
    // displayed towers are recomputed when the centre moved.
    void move(std::int32_t dx, std::int32_t dy);
    void openInBrowser(const std::string& address);

private:
    // Its WGS-84 converter is made on first use: PROJ takes a moment to set up.
    void openOpenStreetMap(Position position);
    const Wgs84Converter& wgs84();
    TowerDatabase& ensureDatabase();
    // A fresh directory from the files, telling the user of a damaged or unreadable one unless
    // the same was told last time.
    void loadDatabase();
    // The position the centre text stands for: read as a grid reference, unless the text is the
    // one a move or Centre wrote for the database's centre. In the UTM and Lat/Long systems that
    // text is no grid reference, and reading it would throw the map to a meaningless place. A
    // text that is read makes the document forget the one the move wrote.
    Position centreOfText();
    // The centre, the radius in whole metres, displayed towers recomputed.
    void applyCentreAndRadius(Position centre);
    // The views updated after the displayed towers were worked out again; when distances chose
    // or ordered them, the status line says where they were measured from.
    void updateAfterRecompute();

    DocumentViews& views_;
    DocumentDialogs& dialogs_;
    ViewerFiles files_;
    std::string centreText_{defaultCentreText};
    double radius_ = defaultRadius;
    bool needsCentring_ = true;
    std::int32_t webMap_ = webMapStreetmap;
    std::string browserCommand_;
    bool modified_ = false;
    std::unique_ptr<TowerDatabase> database_;
    bool directoryMissing_ = false;
    std::string loadProblemsTold_;
    SetAsideTowers setAside_;
    const Tower* currentTower_ = nullptr;
    std::optional<std::string> movedCentreText_;  // centreText as the last move or Centre wrote it
    std::unique_ptr<Wgs84Converter> toWgs84_;
};

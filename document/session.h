#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/document_file.h"
#include "document/map_options.h"
#include "geo/location_text.h"
#include "geo/wgs84.h"
#include "query/tower_database.h"
#include "query/user_fields.h"
#include "query/value_owners.h"

// Where the load finds its files; the working folder's "vesk.dat" and "map.dat" unless told
// otherwise.
struct ViewerFiles {
    std::filesystem::path directory = "vesk.dat";
    std::filesystem::path outline = "map.dat";
};

// What Export writes: the CSV file, or the towers for GPS devices and map programs.
enum class ExportFormat { Csv, Gpx, GeoJson };

// The directory as the viewer uses it: the towers and tables of the data file, every tower
// displayed in the order of the default sort keys, and the outline map. Either file may be
// missing; one that cannot be read, or is damaged, is said in problems, and what could be read of
// it is kept. Needs nothing of a session, so that it can be read while the window is being made.
struct ViewerLoad {
    std::unique_ptr<TowerDatabase> database;
    bool directoryMissing = false;
    bool directoryWhole = false;  // read to its end without a fault
    std::vector<std::string> problems;
};
ViewerLoad loadViewerDatabase(const ViewerFiles& files);

// One run below the window, of the viewer or of veskquery: the directory and what is displayed
// of it, the display settings, the reference system of every place text, and the user's own fields
// with the towers their values belong to. The window and the command line drive the same
// session; it applies options, document files and moves, and writes exports. Changes to what is
// displayed take effect at the next recompute().
class Session {
public:
    explicit Session(ViewerFiles files = {});
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // --- The directory ---------------------------------------------------------------------------
    struct Reload {
        std::vector<std::string> problems;
        ReattachmentReport reattachment;  // the values that followed their towers
    };
    // The directory read anew from the files, or as given when it was read ahead of this, with its
    // centre and radius applied and every tower displayed in the default order; the user's
    // values follow their towers into it.
    Reload loadDirectory(std::optional<ViewerLoad> readAhead = std::nullopt);
    // A directory read elsewhere, with the default sort keys and the centre and radius applied;
    // nothing is displayed until the next recompute.
    void useDirectory(TowerDatabase directory);
    // Read the first time it is asked for.
    TowerDatabase& database();
    bool hasDatabase() const { return database_ != nullptr; }
    const TowerDatabase* databaseIfLoaded() const { return database_.get(); }
    bool directoryMissing() const { return directoryMissing_; }
    const ViewerFiles& files() const { return files_; }

    // --- Settings --------------------------------------------------------------------------------
    const std::string& centreText() const { return centreText_; }
    double radius() const { return radius_; }  // metres
    std::int32_t webMap() const { return webMap_; }
    ReferenceSystem referenceSystem() const { return referenceSystem_; }
    void setReferenceSystem(ReferenceSystem system) { referenceSystem_ = system; }
    UserFields& userFields() { return userFields_; }
    const UserFields& userFields() const { return userFields_; }
    const SetAsideTowers& setAsideTowers() const { return setAside_; }

    // What the Options dialog shows, the radius in its single precision.
    MapOptions shownMapOptions() const;
    // The Options dialog's OK: every setting, the centre and radius applied to the directory.
    void applyMapOptions(const MapOptions& options);
    // A centre and radius given as text and metres, as a document file or the command line gives
    // them; a centre text is read as a grid reference.
    void applyCentreText(std::string text, double radius);

    // --- Moves -----------------------------------------------------------------------------------
    // The centre moves by whole 100 m units of the distances (metres, truncated toward zero) and
    // its text is written anew in the reference system. True when the centre moved.
    bool move(std::int32_t dx, std::int32_t dy);
    // Half or twice the radius; zooming out stops at the largest radius the Options dialog takes,
    // so that it always takes what it shows.
    void zoomIn();
    void zoomOut();
    // The centre on the tower's place (kept where it is for no tower); its text written anew.
    void centreOn(const Tower* tower);

    // --- Document files --------------------------------------------------------------------------
    // The document's centre, radius and fields in place of the session's; values move onto their
    // towers' ids in the directory where the file says whose they are.
    ReattachmentReport readDocument(DocumentContents contents);
    // The document file's bytes, with the record of whose each value is. Throws FileWriteError
    // when they are more than a document file may be to be opened again.
    std::string documentBytes();

    // --- Texts and exports -----------------------------------------------------------------------
    // The tower's full description, its place in the session's reference system, the values of
    // its user fields included.
    std::string description(const Tower* tower) const;
    // "Distances are measured from the map centre, TQ102665." or "... from Aston, Midshire,
    // S Mary.": where the distances that select and sort towers are measured from now.
    std::string distanceReferenceText() const;
    // The export's bytes for the displayed towers; gives the number of towers without a position
    // that a GPS format leaves out. Throws std::runtime_error when WGS-84 places cannot be made.
    std::int32_t writeExport(std::ostream& out, ExportFormat format);
    // Made on first use: PROJ takes a moment to set up.
    const Wgs84Converter& wgs84();

    // The displayed towers worked out anew from the selection, the sort keys and the centre.
    void recompute();

private:
    // The position the centre text stands for: read as a grid reference, unless the text is the
    // one a move or Centre wrote for the database's centre. In the UTM and Lat/Long systems that
    // text is no grid reference, and reading it would throw the map to a meaningless place. A
    // text that is read makes the session forget the one the move wrote.
    Position centreOfText();
    void applyCentreAndRadius(Position centre);
    void writeCentreText();

    ViewerFiles files_;
    std::unique_ptr<TowerDatabase> database_;
    bool directoryMissing_ = false;
    bool directoryWhole_ = false;  // read without a fault: every valued tower it holds is known
    std::string centreText_{defaultCentreText};
    std::optional<std::string> movedCentreText_;  // centreText as the last move or Centre wrote it
    double radius_ = defaultRadius;
    std::int32_t webMap_ = webMapStreetmap;
    ReferenceSystem referenceSystem_ = ReferenceSystem::OS;
    UserFields userFields_;
    SetAsideTowers setAside_;
    std::unique_ptr<Wgs84Converter> toWgs84_;
};

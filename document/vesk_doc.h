#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>

#include "document/directory_read_ahead.h"
#include "document/document_dialogs.h"
#include "document/document_views.h"
#include "document/map_geometry.h"
#include "document/session.h"

// The viewer's one document, alive for the whole run: the session below it, the current tower,
// and the receiver of the Data and View menus, Export and the control bar. It reaches the window
// system only through its views and its dialogs.
class VeskDoc {
public:
    // browserCommand: the program part of the registered ".htm" open command, found by the
    // window layer; empty when there is none.
    VeskDoc(DocumentViews& views, DocumentDialogs& dialogs, std::string browserCommand = {},
            ViewerFiles files = {});
    VeskDoc(const VeskDoc&) = delete;
    VeskDoc& operator=(const VeskDoc&) = delete;

    Session& session() { return session_; }
    const Session& session() const { return session_; }
    UserFields& userFields() { return session_.userFields(); }

    // Display settings; the document object keeps them across New and Open.
    const std::string& centreText() const { return session_.centreText(); }
    double radius() const { return session_.radius(); }  // metres
    std::int32_t webMap() const { return session_.webMap(); }
    // The next update of the map scrolls the centre into the middle of its window.
    bool needsCentring() const { return needsCentring_; }
    const std::string& browserCommand() const { return browserCommand_; }
    // The user-defined fields' definitions or values changed since the document file was last
    // opened or saved: nothing else the document file holds is kept unsaved.
    bool modified() const { return modified_; }

    // The towers whose values the directory does not hold, by set-aside key.
    const SetAsideTowers& setAsideTowers() const { return session_.setAsideTowers(); }

    // The directory, none before the first new document or document file.
    TowerDatabase* database() { return session_.hasDatabase() ? &session_.database() : nullptr; }
    const TowerDatabase* database() const { return session_.databaseIfLoaded(); }
    const Tower* currentTower() const { return currentTower_; }

    // --- File commands, reached through the viewer's shell ---
    // The directory's first reading begun at once, on a thread of its own, while the window
    // that will show it is made; the first new document or document file takes what it read.
    void readDirectoryAhead() { readAhead_.start(session_.files()); }
    // A fresh directory from the data file; the settings, the user-defined fields and the
    // current tower (by its TowerId) stay, the selection and sort keys start afresh. Values
    // follow their towers when the data file numbers them otherwise now, saying so.
    bool newDocument();
    // Reads the whole file first; a file that cannot be read or is not a document file is
    // refused with a message naming it, and nothing changes. A file that names the towers of its
    // values has them put back on those towers, saying how many moved and which are set aside.
    bool openDocument(const std::filesystem::path& path);
    // Writes beside the file and puts it in place when complete; a failure is reported with a
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
    // The view coordinates of the current tower, where the map rings it; (-2, -2) for none.
    ViewPoint currentTowerViewPoint() const;
    // Whether the map is to scroll its centre into view, asked once by the map's update.
    bool takeNeedsCentring();
    // The picked tower, from which distances are measured from now on, as the map marks it.
    void setCurrentTower(const Tower* tower);

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

    // What the dialogs' OK applies.
    void applySelection(SelectionStep step);
    void applySortKeys(const SortKeys& keys);
    void applyMapOptions(const MapOptions& options);
    void applyUserFieldDefinitions(const UserFieldDefinitions& rows);
    MapOptions shownMapOptions() const { return session_.shownMapOptions(); }
    UserFieldDefinitions shownUserFieldDefinitions() const;
    // The map's pan and zoom step, as the session moves.
    void move(std::int32_t dx, std::int32_t dy);
    void openInBrowser(const std::string& address);

private:
    void openOpenStreetMap(Position position);
    // The directory, made from the files and said of when first needed: a document file named on
    // the viewer's command line is read before any new document has made it.
    TowerDatabase& ensureDatabase();
    // The directory read anew, telling the user of a damaged or unreadable file unless the same
    // was told last time.
    Session::Reload loadDirectory();
    // The displayed towers worked out anew and the views updated; when distances chose or
    // ordered them, the status line says where they were measured from.
    void recomputeAndUpdate();

    DocumentViews& views_;
    DocumentDialogs& dialogs_;
    Session session_;
    bool needsCentring_ = true;
    std::string browserCommand_;
    bool modified_ = false;
    std::string loadProblemsTold_;
    const Tower* currentTower_ = nullptr;
    DirectoryReadAhead readAhead_;
};

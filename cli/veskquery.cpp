#include "cli/veskquery.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <variant>

#include "document/archive.h"
#include "document/dialog_choices.h"
#include "document/document_file.h"
#include "document/map_options.h"
#include "document/session.h"
#include "document/web_links.h"
#include "query/chunked_writer.h"
#include "query/field_list.h"
#include "query/selection.h"
#include "query/sorting.h"
#include "query/tower_text.h"
#include "query/value_owners.h"
#include "records/file_bytes.h"
#include "records/grid_reference.h"
#include "records/number_text.h"
#include "records/one_line.h"
#include "records/system_texts.h"
#include "records/value_readers.h"
#include "records/windows1252.h"

const char* const veskQueryUsage =
    "usage: veskquery [OPTION]...\n"
    "Shows the towers of vesk.dat that pass a selection, in sort order, as the viewer lists and\n"
    "exports them. Options run in the order given.\n"
    "\n"
    "  --data FILE             read the compiled directory FILE instead of vesk.dat\n"
    "  --doc FILE.bx0          take centre, radius and user-defined fields from a document file;\n"
    "                          values whose towers have other ids in this directory follow them\n"
    "  --save-doc FILE.bx0     write the document as the viewer saves it (no list unless an output\n"
    "                          option or --output asks for one)\n"
    "  --output FILE           write the output to FILE, replacing it only once all is written\n"
    "  --centre TEXT           display centre, a grid reference such as TQ102665\n"
    "  --radius METRES         display radius, 0 to 1000000\n"
    "  --ref os|utm|latlong    reference system of the location texts\n"
    "  --from-tower ID         measure distances from this tower, as when it is picked on the map\n"
    "  --and FIELD FROM TO     keep the towers that pass and whose FIELD lies from FROM to TO\n"
    "  --or FIELD FROM TO      add the towers whose FIELD lies in the range\n"
    "  --xor FIELD FROM TO     combine with exclusive or\n"
    "  --and-not, --or-not, --xor-not FIELD FROM TO   the same with the range test inverted\n"
    "  --invert                invert the selection\n"
    "  --undo                  take back the newest selection step\n"
    "  --select-all            drop every selection step\n"
    "  --sort FIELD            next sort key (first, then second, then third), ascending\n"
    "  --sort-desc FIELD       next sort key, descending\n"
    "  --list                  full description of each tower, one a line (the default)\n"
    "  --csv                   the export file's bytes\n"
    "  --ids                   the TowerIds, one a line\n"
    "  --gpx                   GPX 1.1 waypoints at true WGS-84 places, for phones and satnavs\n"
    "  --geojson               a GeoJSON FeatureCollection of points with the export's columns\n"
    "  --links streetmap|multimap|openstreetmap\n"
    "                          each tower's link to that online map, one a line\n"
    "  --encoding cp1252|utf-8 the texts as the directory's Windows-1252 bytes (the default) or\n"
    "                          in UTF-8 (the default on a UTF-8 terminal)\n"
    "  --help                  show this text\n"
    "\n"
    "FIELD is an entry of the Select or Sort dialog's list (\"place name\", \"county\",\n"
    "\"dedication\", \"no of bells\", \"tenor weight\", \"tenor note\", \"distance\",\n"
    "\"practice night\", \"x-coordinate\", \"y-coordinate\", \"ground floor\", \"unringable\")\n"
    "or the name of a user-defined field. FROM and TO are typed as in the Select dialog; an\n"
    "empty or 0 TO means no upper bound.\n";

namespace {

// Bad use of the command line; what() is the one-line message.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class Output { List, Csv, Ids, Gpx, GeoJson, Links };

struct SetDocument { std::string path; };
struct SetCentre { std::string text; };
struct SetRadius { float metres; };
struct SetReference { ReferenceSystem system; };
struct FromTower { TowerId id; };
struct Select { StepMode mode; bool exclude; std::string field, from, to; };
struct Sort { std::string field; bool descending; };

using Action = std::variant<SetDocument, SetCentre, SetRadius, SetReference, FromTower, Select, Sort>;

struct Query {
    std::string dataFile = "vesk.dat";
    std::vector<Action> actions;
    std::optional<Output> output;  // the list, unless only a document is saved
    std::optional<std::string> savedDocument;
    std::optional<std::string> outputFile;  // replaced once the whole output is written
    std::int32_t linkService = webMapStreetmap;
    std::optional<TextEncoding> encoding;
    bool help = false;
};

// Every message names what went wrong and stands on one line.
std::string oneLine(std::string text)
{
    keepToOneLine(text);
    return text;
}

Query parseArguments(const std::vector<std::string>& arguments, TextEncoding typedIn)
{
    // File names go to the system as they were typed; every other argument is a text of the
    // directory's code page, compared with its texts and quoted in messages.
    std::vector<std::string> texts = arguments;
    if (typedIn == TextEncoding::Utf8)
        for (std::string& text : texts) text = utf8ToWindows1252(text);
    Query query;
    int sortKeys = 0;
    std::size_t i = 0;
    auto takeFrom = [&](const std::vector<std::string>& from, const std::string& option) -> const std::string& {
        if (i >= from.size()) throw UsageError("option " + option + " needs an argument");
        return from[i++];
    };
    // A letter the directory's texts cannot hold would be compared as '?': the argument is refused.
    auto take = [&](const std::string& option) -> const std::string& {
        const std::string& text = takeFrom(texts, option);
        if (typedIn == TextEncoding::Utf8 && !windows1252Holds(arguments[i - 1]))
            throw UsageError("\"" + text + "\" (after " + option + ") has a letter that the directory's "
                             "Windows-1252 texts cannot hold, shown here as \"?\"");
        return text;
    };
    auto takePath = [&](const std::string& option) -> const std::string& { return takeFrom(arguments, option); };
    while (i < texts.size()) {
        const std::string option = texts[i++];
        if (option == "--help") {
            query.help = true;
        } else if (option == "--data") {
            query.dataFile = takePath(option);
        } else if (option == "--doc") {
            query.actions.push_back(SetDocument{takePath(option)});
        } else if (option == "--save-doc") {
            query.savedDocument = takePath(option);
        } else if (option == "--output") {
            query.outputFile = takePath(option);
        } else if (option == "--centre") {
            const std::string& text = take(option);
            const auto reference = typedGridReference(text);
            if (!reference)
                throw UsageError("centre \"" + text + "\" is not a grid reference such as TQ102665 or O 153340");
            query.actions.push_back(SetCentre{*reference});
        } else if (option == "--radius") {
            const std::string& text = take(option);
            const auto metres = readRadiusText(text);
            if (!metres) throw UsageError("radius \"" + text + "\" is not a number from 0 to 1000000");
            if (const auto kept = radiusKeptOtherwise(text))
                throw UsageError("radius \"" + text + "\" would be kept as " + *kept + ": a radius holds about seven digits");
            query.actions.push_back(SetRadius{*metres});
        } else if (option == "--ref") {
            const std::string& text = take(option);
            if (text == "os") query.actions.push_back(SetReference{ReferenceSystem::OS});
            else if (text == "utm") query.actions.push_back(SetReference{ReferenceSystem::UTM});
            else if (text == "latlong") query.actions.push_back(SetReference{ReferenceSystem::LatLong});
            else throw UsageError("reference system \"" + text + "\" is not os, utm or latlong");
        } else if (option == "--from-tower") {
            const std::string& text = take(option);
            const auto id = readWholeInteger(text);
            if (!id) throw UsageError("tower id \"" + text + "\" is not a number");
            query.actions.push_back(FromTower{*id});
        } else if (option == "--invert") {
            query.actions.push_back(Select{StepMode::Invert, false, {}, {}, {}});
        } else if (option == "--undo") {
            query.actions.push_back(Select{StepMode::UndoLast, false, {}, {}, {}});
        } else if (option == "--select-all") {
            query.actions.push_back(Select{StepMode::SelectAll, false, {}, {}, {}});
        } else if (option == "--and" || option == "--or" || option == "--xor" ||
                   option == "--and-not" || option == "--or-not" || option == "--xor-not") {
            const std::string_view name = std::string_view(option).substr(2, 3);
            const StepMode mode = name == "and" ? StepMode::And
                                  : name.starts_with("or") ? StepMode::Or
                                                           : StepMode::Xor;
            const bool exclude = option.ends_with("-not");
            std::string field = take(option);
            std::string from = take(option);
            std::string to = take(option);
            query.actions.push_back(Select{mode, exclude, std::move(field), std::move(from), std::move(to)});
        } else if (option == "--sort" || option == "--sort-desc") {
            if (++sortKeys > 3) throw UsageError("more than three sort keys");
            query.actions.push_back(Sort{take(option), option == "--sort-desc"});
        } else if (option == "--encoding") {
            const std::string& text = take(option);
            if (text == "cp1252") query.encoding = TextEncoding::Windows1252;
            else if (text == "utf-8") query.encoding = TextEncoding::Utf8;
            else throw UsageError("encoding \"" + text + "\" is not cp1252 or utf-8");
        } else if (option == "--list") {
            query.output = Output::List;
        } else if (option == "--csv") {
            query.output = Output::Csv;
        } else if (option == "--ids") {
            query.output = Output::Ids;
        } else if (option == "--gpx") {
            query.output = Output::Gpx;
        } else if (option == "--geojson") {
            query.output = Output::GeoJson;
        } else if (option == "--links") {
            const std::string& service = take(option);
            query.output = Output::Links;
            if (service == "streetmap") query.linkService = webMapStreetmap;
            else if (service == "multimap") query.linkService = webMapMultimap;
            else if (service == "openstreetmap") query.linkService = webMapOpenStreetMap;
            else throw UsageError("map service \"" + service + "\" is not streetmap, multimap or openstreetmap");
        } else {
            throw UsageError("unknown option \"" + option + "\" (try --help)");
        }
    }
    return query;
}

// Whether two of the run's file names name one file: the same file through any links, or the
// file a write of either would make.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b)
{
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) || replacedFile(a) == replacedFile(b);
}

// A file the run writes that is also one it reads, or the other one it writes, would be lost
// to the output, a success said all the same: refused before anything is read or written. A
// document saved over the one it was read from is the viewer's Save, and stays.
void refuseWritingOverItsFiles(const Query& query)
{
    // The files the output leaves as they are: those the run reads, and the document it saves.
    std::vector<std::pair<const char*, std::string>> others = {{"--data", query.dataFile}};
    for (const Action& action : query.actions)
        if (const auto* document = std::get_if<SetDocument>(&action)) others.emplace_back("--doc", document->path);
    if (query.savedDocument) others.emplace_back("--save-doc", *query.savedDocument);
    const auto refuse = [](const char* written, const std::string& path, const char* other) {
        throw UsageError(std::string(written) + " " + quotedPath(path) + " is the file of " + other +
                         ", which it would replace");
    };
    if (query.outputFile)
        for (const auto& [option, path] : others)
            if (sameFile(*query.outputFile, path)) refuse("--output", *query.outputFile, option);
    if (query.savedDocument && sameFile(*query.savedDocument, query.dataFile))
        refuse("--save-doc", *query.savedDocument, "--data");
}

// The run's session. Each option changes it as the viewer's command would, but the displayed
// towers are worked out only once, after the last option: the viewer recomputes them after every
// command, and each recompute depends on nothing but the session's state.
class QueryRun {
public:
    QueryRun(const Query& query, std::ostream& err) : err_(err)
    {
        TowerDatabase directory(TagReader(readFilePresent(query.dataFile, compiledDirectoryFile)));
        if (directory.damaged()) throw UsageError(damageReport(query.dataFile, directory));
        session_.useDirectory(std::move(directory));
    }

    void operator()(const SetDocument& action)
    {
        DocumentContents contents;
        try {
            contents = decodeDocument(readFileBytes(action.path, documentFile));
        } catch (const ArchiveFormatError& error) {
            throw UsageError(quotedPath(action.path) + " is not a Belfrix document (the file " +
                             error.what() + ")");
        }
        std::istringstream lines(reattachmentText(session_.readDocument(std::move(contents))));
        for (std::string line; std::getline(lines, line);)
            err_ << "veskquery: " << pathText(action.path) << ": " << line << '\n';
    }
    // The Options dialog's OK: the radius comes back in the dialog's single precision.
    void operator()(const SetCentre& action)
    {
        session_.applyCentreText(action.text, dialogRadius(session_.radius()));
    }
    void operator()(const SetRadius& action)
    {
        session_.applyCentreText(session_.centreText(), action.metres);
    }
    void operator()(const SetReference& action)
    {
        session_.setReferenceSystem(action.system);
        session_.applyCentreText(session_.centreText(), dialogRadius(session_.radius()));
    }
    // A pick, then the map's drawing of the picked tower, which makes it the reference point.
    void operator()(const FromTower& action)
    {
        TowerDatabase& directory = session_.database();
        const Tower* tower = directory.tower(action.id);
        if (tower == nullptr)
            throw UsageError("no tower with id " + std::to_string(action.id) + " in the directory");
        directory.distanceReference = tower;
    }
    void operator()(const Select& action)
    {
        const int entry = combines(action.mode) ? entryNamed(selectionFieldEntries, action.field) : -1;
        const UserFields& fields = session_.userFields();
        const SelectChoice choice{entry, action.from, action.to, action.exclude, action.mode};
        if (const std::optional<SelectRefusal> refused = selectRefusal(choice, fields, today()))
            throw UsageError(refused->message);
        changeSelection(session_.database(), fields, selectionStepOf(choice, fields));
    }
    void operator()(const Sort& action)
    {
        const FieldChoice choice = fieldOfEntry(sortFieldEntries, session_.userFields(),
                                                entryNamed(sortFieldEntries, action.field));
        session_.database().sortKeys[sortKeysGiven_++] = SortKey{choice.userField, choice.field, action.descending};
    }

    // As the viewer's Save writes it.
    void saveDocument(const std::string& path) { replaceFileContents(path, session_.documentBytes()); }

    void write(Output output, std::int32_t linkService, std::ostream& out)
    {
        session_.recompute();
        switch (output) {
        case Output::Csv: session_.writeExport(out, ExportFormat::Csv); return;
        case Output::Gpx:
        case Output::GeoJson: {
            const std::int32_t leftOut =
                session_.writeExport(out, output == Output::Gpx ? ExportFormat::Gpx : ExportFormat::GeoJson);
            if (leftOut > 0)
                err_ << "veskquery: " << leftOut << (leftOut == 1 ? " tower" : " towers")
                    << " without a position left out\n";
            return;
        }
        case Output::Links: writeLinks(linkService, out); return;
        case Output::List:
        case Output::Ids: break;
        }
        const TowerDatabase& directory = session_.database();
        ChunkedWriter writer(out);
        // The towers lie in id order and are listed in display order, here and there in memory:
        // the tower of a line some way ahead is fetched, and the place name of a nearer one,
        // while the lines before them are written.
        const TowerIds& order = directory.displayOrder;
        constexpr std::size_t towerAhead = 16;
        constexpr std::size_t placeAhead = 8;
        for (std::size_t at = 0; at < order.size(); ++at) {
            const TowerId id = order[at];
            if (output == Output::List && at + towerAhead < order.size()) {
                __builtin_prefetch(directory.tower(order[at + towerAhead]));
                if (const Tower* near = directory.tower(order[at + placeAhead])) __builtin_prefetch(near->place.data());
            }
            if (output == Output::Ids)
                appendDecimal(writer.text(), id);
            else
                appendTowerDescription(writer.text(), directory.tower(id), directory, true,
                                       session_.userFields(), session_.referenceSystem());
            writer.text() += '\n';
            writer.lineDone();
        }
    }

private:
    // A list entry chosen by its text, as picking it in the dialog's list would; the first entry
    // of that text wins.
    int entryNamed(BuiltInEntries builtIn, const std::string& name) const
    {
        const std::vector<std::string> list = fieldList(builtIn, session_.userFields());
        for (std::size_t entry = 0; entry < list.size(); ++entry)
            if (list[entry] == name) return static_cast<int>(entry);
        throw UsageError("unknown field \"" + name + "\"");
    }

    // One line a displayed tower: its link to the map service, empty for a tower without a place.
    void writeLinks(std::int32_t service, std::ostream& out)
    {
        if (service == webMapOpenStreetMap) session_.wgs84();  // fails, when it does, before any line is out
        const TowerDatabase& directory = session_.database();
        for (const TowerId id : directory.displayOrder) {
            const Position position = directory.tower(id)->position;
            if (!position.isSet()) {
                out << '\n';
            } else if (service == webMapOpenStreetMap) {
                const auto place = session_.wgs84()(position);
                out << (place ? openStreetMapLink(*place) : std::string()) << '\n';
            } else {
                out << (service == webMapMultimap ? multimapLink(position) : streetmapLink(position)) << '\n';
            }
        }
    }

    std::ostream& err_;
    Session session_;
    int sortKeysGiven_ = 0;
};

// Writes what `write` puts on a stream onto out, in the encoding asked for.
template <typename Write>
void writeEncoded(std::ostream& out, TextEncoding encoding, Write write)
{
    if (encoding == TextEncoding::Windows1252) {
        write(out);
    } else {
        std::ostringstream bytes;
        write(bytes);
        out << windows1252ToUtf8(bytes.str());
    }
    out.flush();
}

}  // namespace

int runVeskQuery(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& systemErr,
                 TerminalEncodings terminal)
{
    Utf8MessageBuffer utf8Messages(systemErr.rdbuf());
    std::ostream utf8Err(&utf8Messages);
    utf8Err.flags(systemErr.flags());  // standard error's unitbuf among them
    std::ostream& err = terminal.system == TextEncoding::Utf8 ? utf8Err : systemErr;
    try {
        const Query query = parseArguments(arguments, terminal.system);
        if (query.help) {
            out << veskQueryUsage;
            return 0;
        }
        refuseWritingOverItsFiles(query);
        QueryRun run(query, err);
        for (const Action& action : query.actions) std::visit(run, action);
        if (query.savedDocument) {
            run.saveDocument(*query.savedDocument);
            if (!query.output && !query.outputFile) return 0;
        }
        const Output output = query.output.value_or(Output::List);
        // GPX and GeoJSON are UTF-8 by their own rules, written as they come; a file gets the
        // directory's bytes unless asked otherwise.
        const bool utf8Format = output == Output::Gpx || output == Output::GeoJson;
        const TextEncoding encoding =
            utf8Format ? TextEncoding::Windows1252
                       : query.encoding.value_or(query.outputFile ? TextEncoding::Windows1252 : terminal.output);
        const auto write = [&](std::ostream& stream) { run.write(output, query.linkService, stream); };
        if (!query.outputFile) {
            writeEncoded(out, encoding, write);
            return out ? 0 : 1;
        }
        std::ostringstream file(std::ios::binary);
        writeEncoded(file, encoding, write);
        replaceFileContents(*query.outputFile, file.view());
        return 0;
    } catch (const UsageError& error) {
        err << "veskquery: " << oneLine(error.what()) << '\n';
        return 2;
    } catch (const FileReadError& error) {
        err << "veskquery: " << oneLine(error.what()) << '\n';
        return 2;
    } catch (const std::bad_alloc&) {
        err << "veskquery: not enough memory\n";
        return 1;
    } catch (const std::exception& error) {  // a file that cannot be written, PROJ missing
        err << "veskquery: " << oneLine(error.what()) << '\n';
        return 1;
    }
}

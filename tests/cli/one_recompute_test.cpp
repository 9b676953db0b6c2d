// veskquery applies every option to the display state and works out the displayed towers once;
// the viewer recomputes after every command. On the sample directory both must end with the
// same towers in the same order.
#include <gtest/gtest.h>

#include <sstream>
#include <variant>

#include "cli/veskquery.h"
#include "document/dialog_choices.h"
#include "document/document_file.h"
#include "document/vesk_doc.h"
#include "query/field_list.h"
#include "query/selection.h"
#include "query/sorting.h"
#include "tests/document/doc_test_support.h"

using namespace docfixture;

namespace {

// One option, as veskquery takes it and as the viewer's command carries it out.
struct Centre { std::string text; };
struct Radius { std::string metres; };
struct Reference { std::string name; ReferenceSystem system; };
struct FromTower { TowerId id; };
struct Select { std::string option; StepMode mode; bool exclude; std::string field, from, to; };
struct Sort { std::string field; bool descending; };
struct Document { std::string path; };
using Option = std::variant<Centre, Radius, Reference, FromTower, Select, Sort, Document>;

int entryOf(BuiltInEntries builtIn, const UserFields& fields, const std::string& name)
{
    const std::vector<std::string> list = fieldList(builtIn, fields);
    return static_cast<int>(std::find(list.begin(), list.end(), name) - list.begin());
}

struct Arguments {
    std::vector<std::string>& list;
    void operator()(const Centre& o) { list.insert(list.end(), {"--centre", o.text}); }
    void operator()(const Radius& o) { list.insert(list.end(), {"--radius", o.metres}); }
    void operator()(const Reference& o) { list.insert(list.end(), {"--ref", o.name}); }
    void operator()(const FromTower& o) { list.insert(list.end(), {"--from-tower", std::to_string(o.id)}); }
    void operator()(const Select& o)
    {
        list.push_back(o.option);
        if (!o.field.empty()) list.insert(list.end(), {o.field, o.from, o.to});
    }
    void operator()(const Sort& o) { list.insert(list.end(), {o.descending ? "--sort-desc" : "--sort", o.field}); }
    void operator()(const Document& o) { list.insert(list.end(), {"--doc", o.path}); }
};

struct ViewerCommands {
    VeskDoc& doc;
    int sortKeysGiven = 0;
    void operator()(const Centre& o)
    {
        MapOptions options = doc.shownMapOptions();
        options.centreText = o.text;
        doc.applyMapOptions(options);
    }
    void operator()(const Radius& o)
    {
        MapOptions options = doc.shownMapOptions();
        options.radius = *readRadiusText(o.metres);
        doc.applyMapOptions(options);
    }
    void operator()(const Reference& o)
    {
        MapOptions options = doc.shownMapOptions();
        options.referenceSystem = o.system;
        doc.applyMapOptions(options);
    }
    void operator()(const FromTower& o)
    {
        doc.setCurrentTower(doc.database()->tower(o.id));
    }
    void operator()(const Select& o)
    {
        const UserFields& fields = doc.userFields();
        const int entry = o.field.empty() ? -1 : entryOf(selectionFieldEntries, fields, o.field);
        doc.applySelection(selectionStepOf({entry, o.from, o.to, o.exclude, o.mode}, fields));
    }
    void operator()(const Sort& o)
    {
        SortKeys keys = doc.database()->sortKeys;
        const UserFields& fields = doc.userFields();
        const FieldChoice choice = fieldOfEntry(sortFieldEntries, fields, entryOf(sortFieldEntries, fields, o.field));
        keys[sortKeysGiven++] = SortKey{choice.userField, choice.field, o.descending};
        doc.applySortKeys(keys);
    }
    void operator()(const Document& o) { ASSERT_TRUE(doc.openDocument(o.path)); }
};

class OneRecomputeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The sample directory, compiled as the data compiler does.
        const std::string source = readAll(std::string(BELFRIX_SOURCE_DIR) + "/data/vesk.txt");
        std::vector<std::string_view> lines;
        for (std::size_t start = 0, end; (end = source.find('\n', start)) != std::string::npos; start = end + 1)
            lines.push_back(std::string_view(source).substr(start, end - start));
        TowerDatabase compiled;
        compiled.addTowers({lines.begin() + 1, lines.end()}, ColumnMap::fromHeader(lines.front()));
        compiled.write(folder / "vesk.dat");
        // A Number field "Peals" with a value for every seventh tower, a radius of 30 km.
        const TowerDatabase directory(folder / "vesk.dat");
        std::array<UserField, userFieldCount> fields;
        fields[0].name = "Peals";
        fields[0].type = FieldType::Number;
        for (const auto& [id, tower] : directory.towers())
            if (id % 7 == 0) fields[0].numbers.set(id, id % 50);
        writeAll(folder / "peals.bx0", encodeDocument("SU123456", 30000.7, fields));
        someTower = directory.towers()[directory.towers().size() / 3].first;
    }

    std::string veskquery(const std::vector<Option>& options)
    {
        std::vector<std::string> arguments{"--data", (folder / "vesk.dat").string(), "--ids"};
        for (const Option& option : options) std::visit(Arguments{arguments}, option);
        std::ostringstream out, err;
        EXPECT_EQ(runVeskQuery(arguments, out, err), 0) << err.str();
        return out.str();
    }
    std::string viewer(const std::vector<Option>& options)
    {
        RecordingWindows windows;
        VeskDoc doc{windows, windows, "", ViewerFiles{folder / "vesk.dat", folder / "map.dat"}};
        doc.newDocument();
        ViewerCommands commands{doc};
        for (const Option& option : options) std::visit(commands, option);
        std::string ids;
        for (const TowerId id : doc.database()->displayOrder) ids += std::to_string(id) + "\n";
        return ids;
    }

    TemporaryFolder folder;
    TowerId someTower = 0;
};

TEST_F(OneRecomputeTest, EndsWithTheTowersTheViewerDisplays)
{
    const std::string peals = (folder / "peals.bx0").string();
    const std::vector<std::vector<Option>> runs = {
        {},
        {Centre{"SU123456"}, Select{"--and", StepMode::And, false, "distance", "0", "30"},
         Sort{"distance", false}},
        {FromTower{someTower}, Select{"--and", StepMode::And, false, "distance", "0", "40"},
         Radius{"20000"}, Sort{"distance", true}, Sort{"county", false}},
        {Select{"--and", StepMode::And, false, "county", "A", "M"},
         Select{"--or", StepMode::Or, false, "no of bells", "10", "12"}, Select{"--invert", StepMode::Invert, false, "", "", ""},
         Select{"--xor-not", StepMode::Xor, true, "practice night", "Mon", "Wed"},
         Select{"--undo", StepMode::UndoLast, false, "", "", ""}, Sort{"tenor weight", false}},
        // Distances follow the centre typed after the step; the document's radius and field come
        // in between, and the field's bounds are read by its type when the step is taken.
        {Select{"--and", StepMode::And, false, "distance", "0", "25"}, Document{peals},
         Select{"--and", StepMode::And, false, "Peals", "10", ""}, Centre{"TQ300800"},
         Reference{"utm", ReferenceSystem::UTM}, Sort{"Peals", true}},
        {Document{peals}, FromTower{someTower}, Select{"--select-all", StepMode::SelectAll, false, "", "", ""},
         Select{"--or", StepMode::Or, false, "x-coordinate", "SU", "SZ"}, Sort{"practice night", true},
         Sort{"place name", true}, Sort{"Peals", false}},
    };
    for (std::size_t run = 0; run < runs.size(); ++run) {
        const std::string expected = viewer(runs[run]);
        EXPECT_GT(expected.size(), 0u) << "run " << run;
        EXPECT_EQ(veskquery(runs[run]), expected) << "run " << run;
    }
}

}  // namespace

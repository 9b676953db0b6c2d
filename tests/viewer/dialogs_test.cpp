#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include "document/command_ids.h"
#include "viewer/dialogs/control_ids.h"
#include "viewer/frame_menus.h"
#include "query/day_numbers.h"
#include "query/user_fields.h"
#include "tests/viewer/viewer_fixture.h"

namespace {

template <typename Control>
Control* control(wxDialog& dialog, int id)
{
    auto* found = dynamic_cast<Control*>(dialog.FindWindow(id));
    EXPECT_NE(found, nullptr) << "no control " << id << " in " << dialog.GetTitle().utf8_str();
    return found;
}

wxTextCtrl* edit(wxDialog& dialog, int id) { return control<wxTextCtrl>(dialog, id); }
wxComboBox* list(wxDialog& dialog, int id) { return control<wxComboBox>(dialog, id); }
wxRadioButton* radio(wxDialog& dialog, int id) { return control<wxRadioButton>(dialog, id); }

// Picks an entry from a combo box's list as the user does.
void choose(wxComboBox* box, int entry)
{
    box->SetSelection(entry);
    wxCommandEvent chosen(wxEVT_COMBOBOX, box->GetId());
    chosen.SetEventObject(box);
    chosen.SetInt(entry);
    box->GetEventHandler()->ProcessEvent(chosen);
}

std::vector<wxString> entries(wxComboBox* box)
{
    std::vector<wxString> all;
    for (unsigned i = 0; i < box->GetCount(); ++i) all.push_back(box->GetString(i));
    return all;
}

// The next message box is answered with OK; its text lands in `text`.
void expectMessage(wxString& text)
{
    expectDialog([&text](wxDialog& box) {
        text = messageOf(box);
        return wxID_OK;
    });
}

class DialogsTest : public ViewerTest {
protected:
    std::vector<std::string> places()
    {
        std::vector<std::string> shown;
        for (std::int32_t i = 0; i < document().displayedCount(); ++i)
            shown.emplace_back(document().database()->displayedTower(i)->place);
        return shown;
    }
};

TEST_F(DialogsTest, OptionsShowTheSettingsAndRefuseARadiusOutOfRange)
{
    openViewer(threeTowers);
    struct Shown {
        bool os, utm, latLong, streetmap, multimap;
        wxString centre, radius;
    } shown{};
    const std::string radiusRefusal = "Please enter a number between 0 and 1000000.";
    const std::string centreRefusal =
        "Please enter a grid reference: two letters and six figures, such as TQ102665, or an Irish grid "
        "letter, a blank and six figures, such as O 153340.";
    // A centre that names no place on the grid would leave the map blank.
    struct Refused {
        int box;
        const char* text;
        const char* kept;  // what the box holds again afterwards
        std::string said;
    };
    const Refused refused[] = {
        {optionsId::radius, "1000001", "50000", radiusRefusal}, {optionsId::radius, "-1", "50000", radiusRefusal},
        {optionsId::radius, "12 km", "50000", radiusRefusal},
        {optionsId::radius, "123456.789", "50000",
         "\"123456.789\" would be kept as 123456.79: a radius holds about seven digits. Please enter that, or a "
         "number with fewer digits."},
        {optionsId::centre, "hello", "TQ102665", centreRefusal},
        {optionsId::centre, "ZZ999999", "TQ102665", centreRefusal}, {optionsId::centre, "TQ1066", "TQ102665", centreRefusal},
    };
    std::vector<wxString> refusals(std::size(refused));
    expectDialog([&](wxDialog& options) {
        return whenShown(options, [&](wxDialog& d) {
            shown = {radio(d, optionsId::os)->GetValue(), radio(d, optionsId::utm)->GetValue(), radio(d, optionsId::latLong)->GetValue(),
                     radio(d, optionsId::streetmap)->GetValue(), radio(d, optionsId::multimap)->GetValue(), edit(d, optionsId::centre)->GetValue(),
                     edit(d, optionsId::radius)->GetValue()};
            for (std::size_t i = 0; i < std::size(refused); ++i) {
                expectMessage(refusals[i]);
                edit(d, refused[i].box)->SetValue(refused[i].text);
                pressButton(d, wxID_OK);
                ASSERT_TRUE(d.IsShown());
                edit(d, refused[i].box)->SetValue(refused[i].kept);
            }
            edit(d, optionsId::centre)->SetValue("su123456");
            edit(d, optionsId::radius)->SetValue("12345.6");
            radio(d, optionsId::utm)->SetValue(true);
            radio(d, optionsId::multimap)->SetValue(true);
            pressButton(d, wxID_OK);
        });
    });
    frame->runCommand(idMapOptions);
    EXPECT_TRUE(shown.os && !shown.utm && !shown.latLong && shown.streetmap && !shown.multimap);
    EXPECT_EQ(shown.centre, "TQ102665");
    EXPECT_EQ(shown.radius, "50000");
    for (std::size_t i = 0; i < std::size(refused); ++i) EXPECT_EQ(refusals[i], refused[i].said) << refused[i].text;
    EXPECT_EQ(document().centreText(), "SU123456");
    EXPECT_EQ(document().radius(), static_cast<double>(12345.6f));
    EXPECT_EQ(document().database()->radius, 12345);
    EXPECT_EQ(document().database()->centre, (Position{4123, 1456}));
    EXPECT_EQ(document().webMap(), 1);
    EXPECT_EQ(document().session().referenceSystem(), ReferenceSystem::UTM);
}

TEST_F(DialogsTest, OptionsTakeTheLargestRadiusAndCancelChangesNothing)
{
    openViewer(threeTowers);
    expectDialog([](wxDialog& options) {
        return whenShown(options, [](wxDialog& d) {
            edit(d, optionsId::radius)->SetValue("1000000");
            radio(d, optionsId::openStreetMap)->SetValue(true);  // openstreetmap
            pressButton(d, wxID_OK);
        });
    });
    frame->runCommand(idMapOptions);
    EXPECT_EQ(document().radius(), 1000000.0);
    EXPECT_EQ(document().webMap(), 2);
    expectDialog([](wxDialog& options) {
        return whenShown(options, [](wxDialog& d) {
            edit(d, optionsId::centre)->SetValue("SU123456");
            edit(d, optionsId::radius)->SetValue("5");
            pressButton(d, wxID_CANCEL);
        });
    });
    frame->runCommand(idMapOptions);
    EXPECT_EQ(document().radius(), 1000000.0);
    EXPECT_EQ(document().centreText(), "TQ102665");
}

TEST_F(DialogsTest, TheKeyboardAloneWorksADialog)
{
    openViewer(threeTowers);
    // Return presses the default button, OK; Escape cancels.
    expectDialog([this](wxDialog& options) {
        return whenShown(options, [this](wxDialog& d) {
            edit(d, optionsId::radius)->SetFocus();
            edit(d, optionsId::radius)->SelectAll();
            typeText("2000");
            pressKey(WXK_RETURN);
        });
    });
    pressKey(WXK_F2);
    EXPECT_EQ(document().radius(), 2000.0);
    expectDialog([this](wxDialog& select) {
        return whenShown(select, [this](wxDialog&) { pressKey(WXK_ESCAPE); });
    });
    pressKey(WXK_F3);
    EXPECT_TRUE(document().database()->selectionSteps.empty());
}

TEST_F(DialogsTest, SelectAndSortListTheNamedUserFieldsAfterTheirOwnEntries)
{
    openViewer(threeTowers);
    document().userFields()[3].name = "Visited";
    document().userFields()[5].name = "Peals";
    document().userFields()[5].type = FieldType::Number;
    document().userFields()[5].numbers[towerNamed("Bexley")->id] = 12;
    document().userFields()[5].numbers[towerNamed("Dunton")->id] = 3;

    std::vector<wxString> selectFields;
    expectDialog([&](wxDialog& select) {
        return whenShown(select, [&](wxDialog& d) {
            selectFields = entries(list(d, selectId::field));
            EXPECT_EQ(list(d, selectId::field)->GetValue(), "");
            choose(list(d, selectId::field), 3);  // no of bells
            edit(d, selectId::from)->SetValue("6");
            edit(d, selectId::to)->SetValue("8");
            pressButton(d, wxID_OK);
        });
    });
    frame->runCommand(idSelect);
    ASSERT_EQ(selectFields.size(), 14u);
    EXPECT_EQ(selectFields[11], "unringable");
    EXPECT_EQ(selectFields[12], "Visited");
    EXPECT_EQ(selectFields[13], "Peals");
    EXPECT_EQ(places(), (std::vector<std::string>{"Aston", "Bexley"}));

    std::vector<wxString> sortFields;
    expectDialog([&](wxDialog& sort) {
        return whenShown(sort, [&](wxDialog& d) {
            sortFields = entries(list(d, sortId::field[0]));
            EXPECT_EQ(list(d, sortId::field[0])->GetValue(), "place name");
            EXPECT_EQ(list(d, sortId::field[1])->GetValue(), "county");
            choose(list(d, sortId::field[0]), 9);  // Peals
            radio(d, sortId::descending[0])->SetValue(true);
            pressButton(d, wxID_OK);
        });
    });
    frame->runCommand(idSort);
    ASSERT_EQ(sortFields.size(), 10u);
    EXPECT_EQ(sortFields[7], "practice night");
    EXPECT_EQ(sortFields[8], "Visited");
    EXPECT_EQ(document().database()->sortKeys[0], (SortKey{true, 5, true}));
    EXPECT_EQ(places(), (std::vector<std::string>{"Bexley", "Aston"}));
}

TEST_F(DialogsTest, ANamedFieldGetsItsValueThroughTheFieldEditor)
{
    openViewer(threeTowers);
    expectDialog([](wxDialog& fields) {
        return whenShown(fields, [](wxDialog& d) {
            EXPECT_EQ(list(d, userFieldsId::type(3))->GetValue(), "");
            choose(list(d, userFieldsId::type(3)), 0);  // Date
            edit(d, userFieldsId::name(3))->SetValue("Visited");
            choose(list(d, userFieldsId::type(1)), 1);  // Number
            edit(d, userFieldsId::name(1))->SetValue("Peals");
            pressButton(d, wxID_OK);
        });
    });
    frame->runCommand(idUserFields);
    EXPECT_EQ(document().userFields()[3].name, "Visited");
    EXPECT_EQ(document().userFields()[3].type, FieldType::Date);
    EXPECT_EQ(document().userFields()[1].type, FieldType::Number);
    EXPECT_TRUE(document().modified());

    click(frame->listView(), {30, 9});  // Aston
    const TowerId aston = towerNamed("Aston")->id;
    wxString refusal;
    std::vector<bool> buttonsShown;
    expectDialog([&](wxDialog& editor) {
        return whenShown(editor, [&](wxDialog& d) {
            for (int k = 0; k < 10; ++k) buttonsShown.push_back(d.FindWindow(towerDetailsId::button(k))->IsShown());
            EXPECT_EQ(d.FindWindow(towerDetailsId::button(3))->GetLabel(), "Visited");
            EXPECT_EQ(edit(d, towerDetailsId::header)->GetValue(), "Aston, Midshire, S Mary, 8 TQ102665 ");
            expectDialog([](wxDialog& date) {
                return whenShown(date, [](wxDialog& e) {
                    EXPECT_EQ(edit(e, valueEntryId::fieldName)->GetValue(), "Visited");
                    edit(e, valueEntryId::input)->SetValue("7/9/2002");
                    pressButton(e, wxID_OK);
                });
            });
            pressButton(d, towerDetailsId::button(3));
            EXPECT_EQ(edit(d, towerDetailsId::value(3))->GetValue(), "7/9/2002");
            expectDialog([&refusal](wxDialog& number) {
                return whenShown(number, [&refusal](wxDialog& e) {
                    EXPECT_EQ(edit(e, valueEntryId::input)->GetValue(), "");
                    expectMessage(refusal);
                    edit(e, valueEntryId::input)->SetValue("abc");
                    pressButton(e, wxID_OK);
                    EXPECT_TRUE(e.IsShown());
                    pressButton(e, wxID_CANCEL);
                });
            });
            pressButton(d, towerDetailsId::button(1));
            EXPECT_EQ(edit(d, towerDetailsId::value(1))->GetValue(), "");
            pressButton(d, wxID_OK);
        });
    });
    frame->runCommand(command::editFields);
    EXPECT_EQ(buttonsShown, (std::vector<bool>{false, true, false, true, false, false, false, false, false, false}));
    EXPECT_EQ(refusal, "Please enter a whole number from -2147483648 to 2147483647.");
    EXPECT_EQ(document().userFields().valueText(3, aston), "7/9/2002");
    EXPECT_EQ(document().userFields().number(1, aston), nullptr);
}

TEST_F(DialogsTest, ADateWithoutAYearIsOfThisYear)
{
    openViewer(threeTowers);
    document().userFields()[0] = UserField{"Visited", FieldType::Date, {}, {}};
    click(frame->listView(), {30, 9});
    expectDialog([](wxDialog& editor) {
        return whenShown(editor, [](wxDialog& d) {
            expectDialog([](wxDialog& date) {
                return whenShown(date, [](wxDialog& e) {
                    edit(e, valueEntryId::input)->SetValue("7/9");
                    pressButton(e, wxID_OK);
                });
            });
            pressButton(d, towerDetailsId::button(0));
            pressButton(d, wxID_OK);
        });
    });
    frame->runCommand(command::editFields);
    EXPECT_EQ(document().userFields().valueText(0, towerNamed("Aston")->id), "7/9/" + std::to_string(today().year));
}

TEST_F(DialogsTest, WhatIsTypedIsWhatIsKept)
{
    openViewer(threeTowers);
    document().userFields()[0] = UserField{"Visited", FieldType::Date, {}, {}};
    document().userFields()[1] = UserField{"Peals", FieldType::Number, {}, {}};
    document().userFields()[2] = UserField{"Remarks", FieldType::String, {}, {}};
    const TowerId aston = towerNamed("Aston")->id;
    document().userFields().setNumber(0, aston, -364);  // before 1601, from an older document
    document().userFields().setNumber(1, aston, 7);
    document().userFields().setText(2, aston, "first line\nsecond line");
    click(frame->listView(), {30, 9});  // Aston

    // Each row: the field's slot, what the keyboard types over the value shown (or, with a
    // leading '|', what is put in its place, in UTF-8; '<' and '>', a short and a long paste
    // through the clipboard after it, '{' and '}' through the primary selection by a middle click
    // at its end), and what the value is then; a refused text brings the message and leaves the
    // value.
    struct Typed {
        int slot;
        const char* keys;
        std::string kept;
        std::string refusal;
    };
    const Typed typed[] = {
        {1, "3", "3", ""},
        {0, "", "31/12/1600", ""},  // Return alone keeps a date the box could not take typed
        {0, "8/9/2002", "8/9/2002", ""},
        {0, "yesterday", "8/9/2002",
         "Please enter a date as day/month/year, such as 7/9/2002 or 7-9-02; 25/12 is this year's and 14 "
         "this month's. An empty box clears the date."},
        {0, "7/13/2002", "8/9/2002",  // not kept as 7/1/2003, which the refusal names
         "\"7/13/2002\" would be read as 7/1/2003. Please enter a date as day/month/year, such as 7/9/2002 or 7-9-02; 25/12 is this year's and 14 "
         "this month's. An empty box clears the date."},
        {2, "", "first line\nsecond line", ""},  // Return alone keeps the line break read from a file
        {2, "one line", "one line", ""},
        {2, "|caf\u00E9 \u20AC \u65E5\u672C \U0001F514", "one line",
         "Belfrix cannot keep the characters \"\u65E5\u672C\U0001F514\" of this text: it would be kept as "
         "\"caf\u00E9 \u20AC ?? ?\". "
         "Please type the text without them."},
        {2, "|two\nlines", "one line", "A line break cannot be kept in this box. Please type the text on one line."},
        {2, "|caf\u00E9 \u20AC", "caf\xE9 \x80", ""},
        {2, "<", "caf\xE9 \x80 and a paste", ""},
        {2, ">", "caf\xE9 \x80 and a paste",  // 70000 letters
         "This box holds at most 65534 bytes of text (as many plain letters, fewer accented ones): the text pasted "
         "would take it past them, so it was left out."},
#ifdef __WXGTK__  // a middle click pastes only where there is a primary selection
        {2, "{", "caf\xE9 \x80 and a paste and a selection", ""},
        {2, "}", "caf\xE9 \x80 and a paste and a selection",  // 70000 letters
         "This box holds at most 65534 bytes of text (as many plain letters, fewer accented ones): the text pasted "
         "would take it past them, so it was left out."},
#endif
    };
    std::vector<wxString> refusals(std::size(typed));
    expectDialog([&](wxDialog& editor) {
        return whenShown(editor, [&](wxDialog& d) {
            for (std::size_t i = 0; i < std::size(typed); ++i) {
                expectDialog([&, i](wxDialog& entry) {
                    return whenShown(entry, [&, i](wxDialog& e) {
                        settle();
                        if (!typed[i].refusal.empty()) expectMessage(refusals[i]);
                        if (typed[i].keys[0] == '|')
                            edit(e, valueEntryId::input)->SetValue(wxString::FromUTF8(typed[i].keys + 1));
                        else if (typed[i].keys[0] == '<' || typed[i].keys[0] == '>') {
                            wxTextCtrl& box = *edit(e, valueEntryId::input);
                            box.SetInsertionPointEnd();
                            pasteText(box, typed[i].keys[0] == '<' ? wxString(" and a paste") : wxString(70000, 'x'));
                        } else if (typed[i].keys[0] == '{' || typed[i].keys[0] == '}') {
                            wxTextCtrl& box = *edit(e, valueEntryId::input);
                            selectText(typed[i].keys[0] == '{' ? wxString(" and a selection") : wxString(70000, 'x'));
                            moveMouse(&box, {box.GetClientSize().x - 4, box.GetClientSize().y / 2});
                            input.MouseClick(wxMOUSE_BTN_MIDDLE);
                            settle();
                        }
                        else
                            typeText(typed[i].keys);
                        pressKey(WXK_RETURN);
                        if (typed[i].refusal.empty()) return;
                        waitUntil([&] { return !refusals[i].empty(); });
                        pressButton(e, wxID_CANCEL);
                    });
                });
                pressButton(d, towerDetailsId::button(typed[i].slot));
                EXPECT_EQ(document().userFields().valueText(typed[i].slot, aston), typed[i].kept) << typed[i].keys;
                EXPECT_EQ(refusals[i], wxString::FromUTF8(typed[i].refusal)) << typed[i].keys;
            }
            pressButton(d, wxID_OK);
        });
    });
    frame->runCommand(command::editFields);
}

// A text read from a document that is longer than a box holds is kept whole: its button says so
// rather than open a box that would show it cut short, and keep it so once changed.
TEST_F(DialogsTest, ATextLongerThanABoxHoldsIsKeptWhole)
{
    openViewer(threeTowers);
    document().userFields()[2] = UserField{"Remarks", FieldType::String, {}, {}};
    const TowerId aston = towerNamed("Aston")->id;
    const std::string longText(70000, 'x');
    document().userFields().setText(2, aston, longText);
    click(frame->listView(), {30, 9});  // Aston
    wxString note;
    expectDialog([&](wxDialog& editor) {
        return whenShown(editor, [&](wxDialog& d) {
            expectMessage(note);
            pressButton(d, towerDetailsId::button(2));
            pressButton(d, wxID_OK);
        });
    });
    frame->runCommand(command::editFields);
    EXPECT_EQ(note, "This tower's \"Remarks\" is longer than a box holds (65534 bytes of text: as many plain letters, "
                    "fewer accented ones), so it cannot be changed here. It is kept whole.");
    EXPECT_EQ(document().userFields().valueText(2, aston), longText);
}

TEST_F(DialogsTest, ListsTakeOnlyTheirEntriesAndATypedNameCountsAsItsEntry)
{
    openViewer(threeTowers);
    // The type list cannot be typed into: "Numbr" chooses no type, and a named field without one
    // is refused until a type is chosen.
    wxString noType;
    expectDialog([&](wxDialog& fields) {
        return whenShown(fields, [&](wxDialog& d) {
            list(d, userFieldsId::type(0))->SetFocus();
            typeText("Numbr");
            edit(d, userFieldsId::name(0))->SetValue("Peals");
            expectMessage(noType);
            pressButton(d, wxID_OK);
            EXPECT_TRUE(d.IsShown());
            choose(list(d, userFieldsId::type(0)), 1);  // Number
            pressButton(d, wxID_OK);
        });
    });
    frame->runCommand(idUserFields);
    EXPECT_EQ(noType, "Please choose the type of the field \"Peals\": Date, Number or String.");
    EXPECT_EQ(document().userFields()[0].name, "Peals");
    EXPECT_EQ(document().userFields()[0].type, FieldType::Number);

    // In Select, a typed field name counts as its entry; a name of no entry is refused.
    wxString refusal;
    expectDialog([&](wxDialog& select) {
        return whenShown(select, [&](wxDialog& d) {
            list(d, selectId::field)->SetFocus();
            typeText("Numbr");
            expectMessage(refusal);
            pressButton(d, wxID_OK);
            EXPECT_TRUE(d.IsShown());
            list(d, selectId::field)->SetValue("no of bells");
            edit(d, selectId::from)->SetValue("8");
            edit(d, selectId::to)->SetValue("10");
            pressButton(d, wxID_OK);
        });
    });
    frame->runCommand(idSelect);
    EXPECT_EQ(refusal, "Please choose an entry of the list: \"Numbr\" is none of them.");
    EXPECT_EQ(places(), (std::vector<std::string>{"Aston", "Dunton"}));

    // A date bound that names no day is refused, not read as no bound.
    document().userFields()[1] = UserField{"Visited", FieldType::Date, {}, {}};
    wxString noDay;
    expectDialog([&](wxDialog& select) {
        return whenShown(select, [&](wxDialog& d) {
            list(d, selectId::field)->SetFocus();
            list(d, selectId::field)->SetValue("Visited");
            edit(d, selectId::from)->SetValue("1/1/2000");
            edit(d, selectId::to)->SetValue("31/2/2010");
            expectMessage(noDay);
            pressButton(d, wxID_OK);
            EXPECT_TRUE(d.IsShown());
            pressButton(d, wxID_CANCEL);
        });
    });
    frame->runCommand(idSelect);
    EXPECT_TRUE(noDay.starts_with("\"31/2/2010\" names no day, so it cannot bound the dates of \"Visited\".")) << noDay;
    EXPECT_EQ(places(), (std::vector<std::string>{"Aston", "Dunton"}));

    // In Sort, Return after a choice made in the list's opened entries presses OK, rather than
    // opening them again: the first Return takes the entry, the second the dialog.
    expectDialog([this](wxDialog& sort) {
        return whenShown(sort, [this](wxDialog& d) {
            wxComboBox* first = list(d, sortId::field[0]);
            const wxSize size = first->GetClientSize();
            click(first, {size.x - size.y / 2, size.y / 2});  // its arrow
            for (int down = 0; down < 3; ++down) pressKey(WXK_DOWN);  // no of bells
            pressKey(WXK_RETURN);
            settle();
            EXPECT_EQ(first->GetSelection(), 3);
            pressKey(WXK_RETURN);
        });
    });
    frame->runCommand(idSort);
    EXPECT_EQ(places(), (std::vector<std::string>{"Aston", "Dunton"}));
    EXPECT_EQ(document().database()->sortKeys[0], (SortKey{false, 3, false}));

    // A typed name takes the field of the same capitals before one that differs only in them, as
    // an older document may name two fields so.
    document().userFields()[2] = UserField{"Peal", FieldType::Number, {}, {}};
    document().userFields()[3] = UserField{"peal", FieldType::Number, {}, {}};
    document().userFields().setNumber(3, towerNamed("Aston")->id, 5);
    expectDialog([&](wxDialog& select) {
        return whenShown(select, [&](wxDialog& d) {
            list(d, selectId::field)->SetValue("peal");
            edit(d, selectId::from)->SetValue("1");
            edit(d, selectId::to)->SetValue("");
            pressButton(d, wxID_OK);
        });
    });
    frame->runCommand(idSelect);
    EXPECT_EQ(places(), (std::vector<std::string>{"Aston"}));

    // A name with blanks around it is found without them.
    document().userFields()[4] = UserField{" Spaced ", FieldType::Number, {}, {}};
    document().userFields().setNumber(4, towerNamed("Aston")->id, 2);
    expectDialog([&](wxDialog& select) {
        return whenShown(select, [&](wxDialog& d) {
            list(d, selectId::field)->SetValue("spaced");
            edit(d, selectId::from)->SetValue("2");
            pressButton(d, wxID_OK);
        });
    });
    frame->runCommand(idSelect);
    EXPECT_EQ(places(), (std::vector<std::string>{"Aston"}));
}

TEST_F(DialogsTest, SelectAndSortSayWhereDistancesAreMeasuredFromWhileDistanceIsChosen)
{
    // A note wider than the lists above it, which the dialogs must make room for.
    std::string source = threeTowers;
    source.replace(source.find("S John"), 6, "S John the Baptist and All the Martyrs of Kent");
    openViewer(source);
    click(frame->listView(), {30, 30});  // Bexley: distances are measured from it now
    struct Seen {
        bool before, chosen, after, whole;
        wxString text;
    };
    const auto watch = [](Seen& seen, int listId) {
        return [&seen, listId](wxDialog& dialog) {
            return whenShown(dialog, [&seen, listId](wxDialog& d) {
                wxWindow* note = d.FindWindow(selectId::distanceNote);
                seen.before = note->IsShown();
                choose(list(d, listId), 6);  // distance
                seen.chosen = note->IsShown();
                seen.text = note->GetLabel();
                seen.whole = note->GetSize().x >= note->GetBestSize().x &&
                             note->GetRect().GetRight() < d.GetClientSize().x;
                choose(list(d, listId), 0);
                seen.after = note->IsShown();
                pressButton(d, wxID_CANCEL);
            });
        };
    };
    Seen select{}, sort{};
    expectDialog(watch(select, selectId::field));
    frame->runCommand(idSelect);
    expectDialog(watch(sort, sortId::field[2]));
    frame->runCommand(idSort);
    for (const Seen& seen : {select, sort}) {
        EXPECT_FALSE(seen.before);
        EXPECT_TRUE(seen.chosen);
        EXPECT_TRUE(seen.whole);
        EXPECT_FALSE(seen.after);
        EXPECT_EQ(seen.text,
                  "Distances are measured from Bexley, Midshire, S John the Baptist and All the Martyrs of Kent.");
    }
}

TEST_F(DialogsTest, OptionsTakeBackTheRadiusTheyShowAfterZoomingOutAsFarAsItGoes)
{
    openViewer(threeTowers);
    for (int i = 0; i < 5; ++i) pressKey(WXK_NUMPAD_SUBTRACT);
    wxString shown;
    expectDialog([&](wxDialog& options) {
        return whenShown(options, [&](wxDialog& d) {
            shown = edit(d, optionsId::radius)->GetValue();
            pressButton(d, wxID_OK);
        });
    });
    frame->runCommand(idMapOptions);
    EXPECT_EQ(shown, "1000000");
    EXPECT_EQ(document().radius(), 1000000.0);
}

}  // namespace

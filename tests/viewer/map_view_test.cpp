#include <wx/image.h>

#include "document/command_ids.h"
#include "document/map_geometry.h"
#include "query/tower_text.h"
#include "tests/viewer/viewer_fixture.h"

namespace {

// Aston on the default centre (eight bells), Bexley 25 km east (six), Cobbe 10 km north
// (unringable, ten bells).
const std::string towersNearLondon =
    "NG\\FULL\\Place\\Dedicn\\Bells\\UR\n"
    "TQ102665\\Midshire\\Aston\\S Mary\\8\\\n"
    "TQ352665\\Midshire\\Bexley\\S John\\6\\\n"
    "TQ102765\\Midshire\\Cobbe\\S Paul\\10\\x\n";

class MapViewTest : public ViewerTest {
protected:
    // The whole canvas as the map draws it.
    wxImage drawnCanvas()
    {
        MapPainter painter;
        return painter.render(document()).ConvertToImage();
    }
    static PenColour colourAt(const wxImage& image, CanvasPoint p)
    {
        return {image.GetRed(p.x, p.y), image.GetGreen(p.x, p.y), image.GetBlue(p.x, p.y)};
    }
    CanvasPoint pixelOf(const std::string& place)
    {
        return canvasPixel(viewCoordinates(*document().database(), *towerNamed(place)));
    }
    // Where a canvas pixel is in the map's window, as it is scrolled now.
    wxPoint windowPoint(CanvasPoint p)
    {
        return frame->mapView()->canvas()->CalcScrolledPosition(wxPoint(p.x, p.y));
    }
};

const PenColour white{255, 255, 255};

TEST_F(MapViewTest, TowersAreCrossesInTheirBellsPenAndTheCurrentOneIsRinged)
{
    openViewer(towersNearLondon);
    wxImage image = drawnCanvas();
    const CanvasPoint aston = pixelOf("Aston");
    ASSERT_EQ(aston, (CanvasPoint{500, 500}));
    EXPECT_EQ(colourAt(image, {500, 498}), mapPens[8]);
    EXPECT_EQ(colourAt(image, {502, 500}), mapPens[8]);
    EXPECT_EQ(colourAt(image, {750, 500}), mapPens[6]);  // Bexley
    const CanvasPoint cobbe = pixelOf("Cobbe");
    EXPECT_EQ(colourAt(image, {cobbe.x + 1, cobbe.y + 1}), mapPens[10]);
    EXPECT_EQ(colourAt(image, {cobbe.x + 1, cobbe.y - 1}), mapPens[10]);
    EXPECT_NE(colourAt(image, {cobbe.x, cobbe.y - 2}), mapPens[10]);  // no upright arm
    EXPECT_NE(colourAt(image, {500, 496}), mapPens[8]);

    click(frame->listView(), {30, 9});  // Aston
    image = drawnCanvas();
    EXPECT_EQ(colourAt(image, {500, 496}), mapPens[8]);  // the ring's top
    EXPECT_EQ(colourAt(image, {496, 500}), mapPens[8]);  // its left
    EXPECT_EQ(colourAt(image, {502, 502}), white);        // filled white inside
    EXPECT_EQ(document().database()->distanceReference, towerNamed("Aston"));
}

TEST_F(MapViewTest, TheOutlineIsDrawnInItsLayersPenWithItsSourceNamed)
{
    openViewer(towersNearLondon);
    // Brighton's coast: the centre 35 km south of the default.
    MapOptions options = document().shownMapOptions();
    options.centreText = "TQ310060";
    document().applyMapOptions(options);
    const TowerDatabase& database = *document().database();
    const wxImage image = drawnCanvas();

    // A vertex of the coastline away from the rest of the outline shows the coast's pen.
    auto nearOtherLayers = [&](Position p) {
        for (std::size_t layer = 1; layer < database.outline.layers.size(); ++layer)
            for (const OutlinePolyline& line : database.outline.layers[layer].polylines)
                if (p.x >= line.minX - 2 && p.x <= line.maxX + 2 && p.y >= line.minY - 2 && p.y <= line.maxY + 2)
                    return true;
        return false;
    };
    int checked = 0;
    for (const OutlinePolyline& line : database.outline.layers.at(0).polylines) {
        for (const Position p : line.points) {
            const CanvasPoint at = outlinePixel(database, p);
            if (at.x < 20 || at.x > 980 || at.y < 30 || at.y > 980 || nearOtherLayers(p)) continue;
            EXPECT_EQ(colourAt(image, at), mapPens[0]) << p.x << "," << p.y;
            ++checked;
        }
    }
    EXPECT_GT(checked, 50);

    int attributionPixels = 0;
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 300; ++x)
            if (colourAt(image, {x, y}) != white) ++attributionPixels;
    EXPECT_GT(attributionPixels, 100);

    // Far out at sea nothing of the outline is drawn, nor its attribution.
    options.centreText = "SV000000";
    document().applyMapOptions(options);
    const wxImage sea = drawnCanvas();
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 300; ++x) ASSERT_EQ(colourAt(sea, {x, y}), white) << x << "," << y;
}

TEST_F(MapViewTest, TheFirstDrawingCentresTheCanvasInTheWindow)
{
    openViewer(towersNearLondon);
    MapCanvas* canvas = frame->mapView()->canvas();
    const wxSize client = canvas->GetClientSize();
    const CanvasPoint centring = centringScroll(client.x, client.y);
    EXPECT_TRUE(waitUntil([&] {
        return canvas->GetViewStart() == wxPoint(std::max(centring.x, 0), std::max(centring.y, 0));
    })) << canvas->GetViewStart().x << "," << canvas->GetViewStart().y;
    EXPECT_FALSE(document().needsCentring());
}

TEST_F(MapViewTest, AClickPicksTheNearestTowerAndHoverNamesIt)
{
    openViewer(towersNearLondon);
    MapCanvas* canvas = frame->mapView()->canvas();
    settle();
    const CanvasPoint bexley = pixelOf("Bexley");
    moveMouse(canvas, windowPoint({bexley.x - 3, bexley.y + 2}));
    EXPECT_EQ(frame->mapView()->statusText(), "Bexley, Midshire, S John");
    click(canvas, windowPoint({bexley.x - 3, bexley.y + 2}));
    EXPECT_EQ(document().currentTower(), towerNamed("Bexley"));
    // Anywhere on the canvas some tower is nearest.
    click(canvas, {2, 2});
    EXPECT_NE(document().currentTower(), nullptr);
}

TEST_F(MapViewTest, CentreMovesTheMapToThePickedTower)
{
    openViewer(towersNearLondon);
    MapCanvas* canvas = frame->mapView()->canvas();
    canvas->Scroll(0, 0);
    settle();
    click(frame->listView(), {30, 18 + 9});  // Bexley
    frame->runCommand(command::centre);
    EXPECT_EQ(document().database()->centre, towerNamed("Bexley")->position);
    EXPECT_EQ(document().centreText(), "TQ352665");
    const wxSize client = canvas->GetClientSize();
    const CanvasPoint centring = centringScroll(client.x, client.y);
    EXPECT_TRUE(waitUntil([&] { return canvas->GetViewStart() == wxPoint(centring.x, centring.y); }));
}

TEST_F(MapViewTest, TheWheelWithCtrlZoomsAsTheKeypadDoesAndAloneScrolls)
{
    openViewer(towersNearLondon);
    MapCanvas* canvas = frame->mapView()->canvas();
    ASSERT_TRUE(waitUntil([this] { return !document().needsCentring(); }));
    settle();
    const struct {
        bool ctrl;
        int rotation;  // notches of 120, positive away from the user
        double radius;
        int scrolledDown;
    } cases[] = {
        {true, 120, 25000, 0},
        {true, 240, 6250, 0},
        {true, -120, 12500, 0},
        {false, -120, 12500, 30},  // three lines of 10 pixels
        {false, 120, 12500, -30},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.ctrl ? "Ctrl " : "") << c.rotation);
        const int before = canvas->GetViewStart().y;
        wxMouseEvent notch(wxEVT_MOUSEWHEEL);
        notch.m_wheelRotation = c.rotation;
        notch.m_wheelDelta = 120;
        notch.m_linesPerAction = 3;
        notch.m_controlDown = c.ctrl;
        canvas->GetEventHandler()->ProcessEvent(notch);
        settle();
        EXPECT_EQ(document().radius(), c.radius);
        EXPECT_EQ(canvas->GetViewStart().y - before, c.scrolledDown);
    }
}

TEST_F(MapViewTest, ADoubleClickOpensTheFieldsOfTheNearestTower)
{
    openViewer(towersNearLondon);
    MapCanvas* canvas = frame->mapView()->canvas();
    settle();
    expectDialog([](wxDialog&) { return wxID_OK; });
    const CanvasPoint cobbe = pixelOf("Cobbe");
    doubleClick(canvas, windowPoint(cobbe));
    EXPECT_EQ(document().currentTower(), towerNamed("Cobbe"));
    EXPECT_EQ(dialogsSeen(), (std::vector<wxString>{"Tower Details"}));
}

}  // namespace

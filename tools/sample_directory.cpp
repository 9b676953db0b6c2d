// The synthetic directory: towers spread over the historic counties of Great Britain and
// Ireland in proportion to how thickly rings of bells lie in each, with invented place names
// and the kinds of values a hand-kept tower list holds, loose ends included.
//
// Everything is drawn from one small generator of our own and integer arithmetic only, so a
// seed gives the same bytes with every compiler, library and platform.
#include "tools/sample_directory.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/grid_reference.h"
#include "tools/land_mask.h"

namespace {

// Each draw is a statement of its own (never two operands of one expression, whose order of
// evaluation the language leaves open), so that every compiler draws in the same order.
//
// 64-bit linear congruential generator (Knuth's MMIX constants); the high half is the draw,
// since the low bits of such a generator repeat quickly.
class SampleDraw {
public:
    explicit SampleDraw(std::uint32_t seed) : state_(0x9E3779B97F4A7C15ull ^ seed) { next(); }

    std::uint32_t next()
    {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<std::uint32_t>(state_ >> 32);
    }

    // 0 to n - 1; the bias of a plain remainder is far below anything a sample shows.
    std::int32_t below(std::int32_t n) { return static_cast<std::int32_t>(next() % static_cast<std::uint32_t>(n)); }
    std::int32_t between(std::int32_t low, std::int32_t high) { return low + below(high - low + 1); }
    bool percent(std::int32_t chance) { return below(100) < chance; }
    bool permille(std::int32_t chance) { return below(1000) < chance; }

    template <typename T, std::size_t N>
    const T& pick(const std::array<T, N>& items) { return items[static_cast<std::size_t>(below(static_cast<std::int32_t>(N)))]; }

private:
    std::uint64_t state_;
};

struct Weighted {
    std::string_view text;
    std::int32_t weight;
};

template <std::size_t N>
std::string_view pickWeighted(SampleDraw& draw, const std::array<Weighted, N>& items)
{
    std::int32_t total = 0;
    for (const auto& item : items) total += item.weight;
    std::int32_t ticket = draw.below(total);
    for (const auto& item : items) {
        if (ticket < item.weight) return item.text;
        ticket -= item.weight;
    }
    return items.back().text;
}

enum class Region { England, Cornwall, Wales, Scotland, Man, Ireland };

// A county's ringing country is gathered round one or more centres; the big counties have
// several so that their towers spread over the whole shire. The weight is the share of the
// directory's towers drawn round that centre, after the pattern of real ringing: thick in the
// south and east of England, thin in the north, and a few hundred in all in Wales, Scotland
// and Ireland. Irish centres are Irish grid places already shifted into the national plane.
struct CountyCentre {
    std::string_view county;
    Region region;
    Position centre;
    std::int32_t weight;
};

constexpr std::array<CountyCentre, 106> countyCentres{{
    {"Bedfordshire", Region::England, {5063, 2435}, 70},
    {"Berkshire", Region::England, {4452, 1780}, 100},
    {"Buckinghamshire", Region::England, {4828, 2119}, 120},
    {"Cambridgeshire", Region::England, {5432, 2689}, 100},
    {"Cheshire", Region::England, {3633, 3671}, 80},
    {"Cornwall", Region::Cornwall, {1975, 594}, 150},
    {"Cumberland", Region::England, {3291, 5288}, 40},
    {"Derbyshire", Region::England, {4268, 3559}, 120},
    {"Devon", Region::England, {2908, 1011}, 230},
    {"Devon", Region::England, {2547, 686}, 190},
    {"Dorset", Region::England, {3789, 1000}, 120},
    {"Durham", Region::England, {4129, 5339}, 50},
    {"Essex", Region::England, {5759, 2143}, 220},
    {"Gloucestershire", Region::England, {3863, 2112}, 250},
    {"Hampshire", Region::England, {4491, 1280}, 180},
    {"Herefordshire", Region::England, {3487, 2426}, 110},
    {"Hertfordshire", Region::England, {5207, 2149}, 110},
    {"Huntingdonshire", Region::England, {5212, 2772}, 50},
    {"Kent", Region::England, {5921, 1503}, 270},
    {"Lancashire", Region::England, {3637, 4116}, 90},
    {"Lancashire", Region::England, {3510, 4673}, 50},
    {"Leicestershire", Region::England, {4609, 3061}, 140},
    {"Lincolnshire", Region::England, {5167, 3795}, 100},
    {"Lincolnshire", Region::England, {5179, 3294}, 100},
    {"Middlesex", Region::England, {5179, 1848}, 70},
    {"Norfolk", Region::England, {6030, 3100}, 230},
    {"Northamptonshire", Region::England, {4751, 2674}, 170},
    {"Northumberland", Region::England, {3969, 5950}, 35},
    {"Nottinghamshire", Region::England, {4670, 3563}, 90},
    {"Oxfordshire", Region::England, {4483, 2114}, 170},
    {"Rutland", Region::England, {4914, 3066}, 20},
    {"Shropshire", Region::England, {3493, 3027}, 120},
    {"Somerset", Region::England, {3335, 1338}, 300},
    {"Staffordshire", Region::England, {4000, 3224}, 120},
    {"Suffolk", Region::England, {6051, 2599}, 260},
    {"Surrey", Region::England, {5117, 1513}, 130},
    {"Sussex", Region::England, {5195, 1181}, 200},
    {"Warwickshire", Region::England, {4307, 2669}, 110},
    {"Westmorland", Region::England, {3547, 5062}, 20},
    {"Wiltshire", Region::England, {4070, 1556}, 200},
    {"Worcestershire", Region::England, {3864, 2557}, 120},
    {"Yorkshire", Region::England, {4265, 4226}, 170},
    {"Yorkshire", Region::England, {4391, 4895}, 100},
    {"Yorkshire", Region::England, {4920, 4457}, 100},
    {"Isle of Man", Region::Man, {2351, 4845}, 3},
    {"Anglesey", Region::Wales, {2434, 3784}, 6},
    {"Brecknockshire", Region::Wales, {3004, 2289}, 12},
    {"Caernarfonshire", Region::Wales, {2625, 3467}, 10},
    {"Cardiganshire", Region::Wales, {2635, 2631}, 8},
    {"Carmarthenshire", Region::Wales, {2487, 2246}, 15},
    {"Denbighshire", Region::Wales, {3062, 3512}, 22},
    {"Flintshire", Region::Wales, {3232, 3676}, 18},
    {"Glamorgan", Region::Wales, {2995, 1844}, 45},
    {"Merionethshire", Region::Wales, {2822, 3294}, 6},
    {"Monmouthshire", Region::Wales, {3344, 2005}, 45},
    {"Montgomeryshire", Region::Wales, {3085, 2955}, 18},
    {"Pembrokeshire", Region::Wales, {2003, 2208}, 20},
    {"Radnorshire", Region::Wales, {3114, 2676}, 10},
    {"Midlothian", Region::Scotland, {3280, 6624}, 10},
    {"East Lothian", Region::Scotland, {3532, 6710}, 3},
    {"Lanarkshire", Region::Scotland, {2838, 6467}, 6},
    {"Renfrewshire", Region::Scotland, {2435, 6624}, 4},
    {"Ayrshire", Region::Scotland, {2417, 6146}, 3},
    {"Fife", Region::Scotland, {3318, 7013}, 5},
    {"Angus", Region::Scotland, {3449, 7568}, 5},
    {"Perthshire", Region::Scotland, {2954, 7355}, 4},
    {"Aberdeenshire", Region::Scotland, {3759, 8122}, 5},
    {"Inverness-shire", Region::Scotland, {2498, 8371}, 3},
    {"Dumfriesshire", Region::Scotland, {3045, 5849}, 2},
    {"Roxburghshire", Region::Scotland, {3558, 6175}, 2},
    {"Stirlingshire", Region::Scotland, {2693, 6861}, 3},
    {"Morayshire", Region::Scotland, {3222, 8518}, 2},
    {"Kirkcudbrightshire", Region::Scotland, {2721, 5690}, 2},
    {"Caithness", Region::Scotland, {3183, 9521}, 1},
    {"Antrim", Region::Ireland, {1181, 5633}, 20},
    {"Down", Region::Ireland, {1421, 5139}, 25},
    {"Armagh", Region::Ireland, {934, 5071}, 12},
    {"Londonderry", Region::Ireland, {729, 5735}, 10},
    {"Tyrone", Region::Ireland, {540, 5399}, 8},
    {"Fermanagh", Region::Ireland, {283, 5118}, 5},
    {"Dublin", Region::Ireland, {1188, 4019}, 20},
    {"Wicklow", Region::Ireland, {1131, 3605}, 5},
    {"Wexford", Region::Ireland, {975, 3012}, 6},
    {"Kilkenny", Region::Ireland, {532, 3117}, 4},
    {"Waterford", Region::Ireland, {296, 2725}, 5},
    {"Cork", Region::Ireland, {-458, 2449}, 15},
    {"Kerry", Region::Ireland, {-1073, 2625}, 4},
    {"Limerick", Region::Ireland, {-486, 3061}, 6},
    {"Tipperary", Region::Ireland, {91, 3225}, 6},
    {"Clare", Region::Ireland, {-651, 3453}, 3},
    {"Galway", Region::Ireland, {-510, 3952}, 5},
    {"Mayo", Region::Ireland, {-833, 4569}, 3},
    {"Sligo", Region::Ireland, {-369, 4896}, 3},
    {"Donegal", Region::Ireland, {87, 5730}, 4},
    {"Louth", Region::Ireland, {1009, 4627}, 4},
    {"Meath", Region::Ireland, {917, 4291}, 3},
    {"Kildare", Region::Ireland, {825, 3844}, 4},
    {"Laois", Region::Ireland, {459, 3617}, 3},
    {"Offaly", Region::Ireland, {290, 3838}, 3},
    {"Westmeath", Region::Ireland, {421, 4173}, 3},
    {"Longford", Region::Ireland, {221, 4394}, 2},
    {"Roscommon", Region::Ireland, {-109, 4394}, 2},
    {"Leitrim", Region::Ireland, {23, 4839}, 1},
    {"Cavan", Region::Ireland, {482, 4730}, 3},
    {"Monaghan", Region::Ireland, {709, 4900}, 3},
    {"Carlow", Region::Ireland, {800, 3287}, 3},
}};

// Land across the Channel that the outline also draws: a place nearer one of these than to
// any county centre is not in the directory's country.
constexpr std::array<Position, 7> foreignCentres{{
    {4362, -387}, {3856, -222}, {3580, -498}, {5803, -192}, {6647, 288}, {6684, 958}, {7016, 1311},
}};

// No county reaches further than this from one of its centres, in 100 m units.
constexpr std::int64_t furthestReach = 450;

std::int64_t squaredDistance(Position a, Position b)
{
    const std::int64_t dx = a.x - b.x;
    const std::int64_t dy = a.y - b.y;
    return dx * dx + dy * dy;
}

// The county whose nearest centre this is, or none for a place nearest a foreign one. Ties
// go to the first centre in the table, so the answer never depends on the order of a search.
std::optional<std::size_t> nearestCounty(Position place)
{
    std::size_t best = 0;
    std::int64_t bestDistance = squaredDistance(place, countyCentres[0].centre);
    for (std::size_t i = 1; i < countyCentres.size(); ++i) {
        const auto distance = squaredDistance(place, countyCentres[i].centre);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    for (const auto& foreign : foreignCentres) {
        if (squaredDistance(place, foreign) < bestDistance) return std::nullopt;
    }
    return best;
}

// --- place names ------------------------------------------------------------------------

constexpr std::array<std::string_view, 60> englishHeads{
    "Ash", "Brad", "Bram", "Chal", "Chil", "Cold", "Dun", "Elm", "Fen", "Hal", "Hart", "Hen",
    "Holm", "Kin", "Lang", "Lea", "Mar", "Mel", "Nor", "Oak", "Red", "Roth", "Sal", "Sand",
    "Shep", "Stan", "Stow", "Sut", "Thorn", "Wal", "Wes", "Whit", "Wil", "Win", "Wold", "Alder",
    "Bar", "Bick", "Bur", "Cad", "Chis", "Cran", "Ded", "Ever", "Fark", "Gode", "Hadd", "Ick",
    "Kel", "Lox", "Nap", "Ock", "Pid", "Quen", "Rad", "Sil", "Tad", "Ulve", "Wend", "Yar"};
constexpr std::array<std::string_view, 26> englishTails{
    "ham", "ton", "ley", "bury", "field", "worth", "stead", "ford", "combe", "den", "hurst",
    "well", "wick", "borough", "marsh", "cote", "don", "ing", "sham", "minster", "stone",
    "leigh", "wood", "bridge", "hall", "ey"};
// Norse endings of the old Danelaw and the northern dales.
constexpr std::array<std::string_view, 8> northernTails{
    "by", "thorpe", "toft", "thwaite", "kirk", "beck", "gill", "holme"};
constexpr std::array<std::string_view, 12> englishPrefixes{
    "Great ", "Little ", "Upper ", "Lower ", "East ", "West ", "North ", "South ", "Long ",
    "Kings ", "Abbots ", "Monks "};
constexpr std::array<std::string_view, 10> englishSuffixes{
    " Magna", " Parva", " Episcopi", " Green", " Heath", " End", " Marsh", " Common",
    "-on-the-Hill", " Regis"};

constexpr std::array<std::string_view, 10> cornishHeads{
    "Tre", "Pen", "Pol", "Lan", "Ros", "Car", "Bos", "Lis", "Porth", "Mor"};
constexpr std::array<std::string_view, 16> cornishTails{
    "van", "ruth", "dinney", "gollan", "wartha", "rith", "tallack", "kerris", "venna", "dower",
    "mellin", "ow", "hale", "goran", "lowen", "annick"};

constexpr std::array<std::string_view, 12> welshHeads{
    "Llan", "Aber", "Pen", "Cwm", "Pont", "Bryn", "Caer", "Tre", "Betws ", "Nant", "Rhyd", "Maes"};
constexpr std::array<std::string_view, 17> welshTails{
    "gwyn", "dewi", "fach", "fawr", "teg", "hir", "goed", "cynon", "elwy", "llyn", "arth",
    "nant", "wen", "du", "gorwel", "ithon", "meurig"};

constexpr std::array<std::string_view, 13> scottishHeads{
    "Kil", "Inver", "Auchter", "Dun", "Bal", "Kin", "Strath", "Glen", "Loch", "Pit", "Craig",
    "Ard", "Kirk"};
constexpr std::array<std::string_view, 15> scottishTails{
    "more", "lochy", "carron", "muir", "keld", "ennan", "ardie", "forth", "lie", "bride",
    "gowrie", "mond", "aven", "ness", "hallow"};

constexpr std::array<std::string_view, 13> irishHeads{
    "Bally", "Kil", "Carrig", "Dun", "Clon", "Drum", "Knock", "Rath", "Ath", "Tully", "Ennis",
    "Lis", "Castle"};
constexpr std::array<std::string_view, 15> irishTails{
    "more", "beg", "nagh", "carra", "owen", "keel", "derry", "managh", "lough", "brack",
    "cashel", "glass", "kerrin", "mona", "arney"};

// Irish-language names, which some towers of the Republic go by: Windows-1252 bytes, the long
// vowels á (0xE1), é (0xE9), í (0xED), ó (0xF3) and ú (0xFA) and their capitals among them.
constexpr std::array<std::string_view, 9> irishFormHeads{
    "Baile ", "Cill ", "D\xFAn ", "R\xE1th ", "Cluain ", "\xC1th ", "L\xE9im ", "T\xEDr ", "Gleann "};
constexpr std::array<std::string_view, 9> irishFormTails{
    "M\xF3r", "Beag", "Bhr\xED" "de", "\xC9" "anna", "U\xED Fhloinn", "L\xE1ra", "Meala",
    "\xD3 D\xFAin", "Mhuire"};

constexpr std::array<std::string_view, 5> manxHeads{"Balla", "Kirk ", "Glen ", "Cronk", "Ballas"};
constexpr std::array<std::string_view, 6> manxTails{"mona", "vane", "croie", "lhen", "ree", "gawne"};

bool isNorthernIreland(std::string_view county)
{
    return county == "Antrim" || county == "Armagh" || county == "Down" || county == "Fermanagh" ||
           county == "Londonderry" || county == "Tyrone";
}

// Northern and eastern English counties, where Norse endings are common.
bool isDanelaw(Position centre) { return centre.y > 3200 || (centre.x > 5000 && centre.y > 2900); }

std::string placeName(SampleDraw& draw, const CountyCentre& county)
{
    std::string name;
    switch (county.region) {
    case Region::England: {
        if (draw.percent(12)) name += draw.pick(englishPrefixes);
        name += draw.pick(englishHeads);
        name += (isDanelaw(county.centre) && draw.percent(40)) ? draw.pick(northernTails) : draw.pick(englishTails);
        if (draw.percent(6)) name += draw.pick(englishSuffixes);
        break;
    }
    case Region::Cornwall:
        name = draw.pick(cornishHeads);
        name += draw.pick(cornishTails);
        break;
    case Region::Wales:
        name = draw.pick(welshHeads);
        name += draw.pick(welshTails);
        break;
    case Region::Scotland:
        name = draw.pick(scottishHeads);
        name += draw.pick(scottishTails);
        break;
    case Region::Man:
        name = draw.pick(manxHeads);
        name += draw.pick(manxTails);
        break;
    case Region::Ireland:
        if (!isNorthernIreland(county.county) && draw.percent(10)) {
            name = draw.pick(irishFormHeads);
            name += draw.pick(irishFormTails);
            break;
        }
        name = draw.pick(irishHeads);
        name += draw.pick(irishTails);
        break;
    }
    // A blank ends a head such as "Betws " or "Kirk ": the tail starts a word of its own.
    const auto blank = name.find(' ');
    if (blank != std::string::npos && blank + 1 < name.size() && name[blank + 1] >= 'a' && name[blank + 1] <= 'z')
        name[blank + 1] = static_cast<char>(name[blank + 1] - 'a' + 'A');
    return name;
}

// --- dedications --------------------------------------------------------------------------

constexpr std::array<Weighted, 36> commonDedications{{
    {"S Mary", 180}, {"All Saints", 100}, {"S Peter", 60}, {"S Michael & All Angels", 50},
    {"S Andrew", 50}, {"S John the Baptist", 50}, {"S Peter & S Paul", 50}, {"Holy Trinity", 40},
    {"S Nicholas", 40}, {"S Mary the Virgin", 40}, {"S Margaret", 30}, {"S James", 30},
    {"S Lawrence", 30}, {"S Leonard", 30}, {"S Michael", 30}, {"S Helen", 20}, {"S Giles", 20},
    {"S Mary Magdalene", 20}, {"S Bartholomew", 20}, {"S George", 20}, {"S Martin", 20},
    {"S Edmund", 10}, {"S Botolph", 10}, {"S John the Evangelist", 10}, {"Christ Church", 10},
    {"S Mary & All Saints", 8}, {"S Peter ad Vincula", 6}, {"S Luke", 10}, {"S Matthew", 8},
    {"S Thomas a Becket", 8}, {"S Swithun", 6}, {"S Denys", 5}, {"S Mary & S Nicholas", 5},
    {"S Peter & S Paul (RC)", 2}, {"Priory Church of S Mary", 3}, {"Town Hall", 1},
}};
constexpr std::array<std::string_view, 6> northernDedications{
    "S Oswald", "S Cuthbert", "S Wilfrid", "S Chad", "S Aidan", "S Hilda"};
constexpr std::array<std::string_view, 5> cornishDedications{
    "S Piran", "S Petroc", "S Euny", "S Keyne", "S Budoc"};
constexpr std::array<std::string_view, 6> welshDedications{
    "S David", "S Teilo", "S Cadoc", "S Tudno", "S Beuno", "S Padarn"};
constexpr std::array<std::string_view, 4> scottishDedications{
    "S Andrew", "S Columba", "S Ninian", "S Mungo"};
constexpr std::array<std::string_view, 5> irishDedications{
    "S Patrick", "S Columb", "S Brigid", "S Fin Barre", "S Canice"};

std::string dedication(SampleDraw& draw, const CountyCentre& county)
{
    if (draw.percent(15)) {
        switch (county.region) {
        case Region::England:
            if (isDanelaw(county.centre)) return std::string(draw.pick(northernDedications));
            break;
        case Region::Cornwall: return std::string(draw.pick(cornishDedications));
        case Region::Wales: return std::string(draw.pick(welshDedications));
        case Region::Scotland: return std::string(draw.pick(scottishDedications));
        case Region::Ireland: return std::string(draw.pick(irishDedications));
        case Region::Man: break;
        }
    }
    return std::string(pickWeighted(draw, commonDedications));
}

// --- the ring -------------------------------------------------------------------------------

// Rings by number of bells, per thousand towers.
struct RingShare {
    std::int32_t bells;
    std::int32_t perThousand;
};
constexpr std::array<RingShare, 10> ringShares{{
    {3, 20}, {4, 40}, {5, 70}, {6, 430}, {8, 330}, {10, 55}, {12, 40}, {16, 2}, {7, 5}, {9, 3},
}};

std::int32_t bellCount(SampleDraw& draw)
{
    std::int32_t total = 0;
    for (const auto& share : ringShares) total += share.perThousand;
    std::int32_t ticket = draw.below(total);
    for (const auto& share : ringShares) {
        if (ticket < share.perThousand) return share.bells;
        ticket -= share.perThousand;
    }
    return ringShares.back().bells;
}

// Lightest and heaviest tenor for a ring of that many bells, in hundredweight.
struct TenorRange {
    std::int32_t lightest;
    std::int32_t heaviest;
};

TenorRange tenorRange(std::int32_t bells)
{
    if (bells <= 3) return {3, 9};
    if (bells == 4) return {4, 10};
    if (bells == 5) return {5, 12};
    if (bells == 6) return {5, 17};
    if (bells <= 8) return {8, 26};
    if (bells <= 10) return {14, 34};
    if (bells <= 12) return {20, 48};
    return {30, 52};
}

// Tenor weights in pounds at which the note falls a semitone: a bell's pitch drops about four
// semitones each time its weight doubles, from A flat at 10 cwt.
constexpr std::array<std::int32_t, 28> semitoneSteps{
    153, 182, 216, 257, 305, 363, 432, 514, 611, 726, 864, 1027, 1221, 1452,
    1727, 2054, 2443, 2905, 3455, 4108, 4885, 5810, 6909, 8216, 9771, 11620, 13818, 16433};
// Indexed by semitones above C.
constexpr std::array<std::string_view, 12> noteNames{
    "C", "C#", "D", "Eb", "E", "F", "F#", "G", "Ab", "A", "Bb", "B"};

std::string_view tenorNote(SampleDraw& draw, std::int32_t pounds)
{
    // Steps the weight has passed; a tenor of 10 cwt has passed 12 and is the A flat.
    std::int32_t below = 0;
    while (below < static_cast<std::int32_t>(semitoneSteps.size()) && pounds >= semitoneSteps[static_cast<std::size_t>(below)]) ++below;
    // Founders tuned to their own taste: a third of tenors sit a semitone off the rule.
    if (draw.percent(17)) ++below;
    else if (draw.percent(20)) --below;
    // A flat is 8 semitones above C; the outer remainder keeps a negative count in 0 to 11.
    const std::int32_t aboveC = ((8 + 12 - below) % 12 + 12) % 12;
    return noteNames[static_cast<std::size_t>(aboveC)];
}

struct Tenor {
    std::string cwt;
    std::string qr;
    std::string lb;
    std::string approx;
    std::int32_t pounds = 0;
};

Tenor tenor(SampleDraw& draw, std::int32_t bells)
{
    const auto range = tenorRange(bells);
    // The lighter of two draws: light rings outnumber heavy ones.
    const std::int32_t spanPounds = (range.heaviest - range.lightest) * 112;
    const std::int32_t first = draw.below(spanPounds);
    const std::int32_t second = draw.below(spanPounds);
    const std::int32_t pounds = range.lightest * 112 + std::min(first, second);

    Tenor result;
    result.pounds = pounds;
    const std::int32_t cwt = pounds / 112;
    const std::int32_t qr = pounds % 112 / 28;
    const std::int32_t lb = pounds % 28;
    if (draw.percent(12)) {
        // Never weighed: a round guess, sometimes with a half or quarter as an HTML fraction.
        result.approx = "~";
        result.cwt = std::to_string(cwt);
        const std::int32_t fraction = draw.below(6);
        if (fraction == 0) result.cwt += "&#189;";
        else if (fraction == 1) result.cwt += "&#188;";
        else if (fraction == 2) result.cwt += "&#190;";
        return result;
    }
    result.cwt = std::to_string(cwt);
    result.qr = std::to_string(qr);
    result.lb = std::to_string(lb);
    return result;
}

// --- practice ------------------------------------------------------------------------------

constexpr std::array<Weighted, 7> practiceDays{{
    {"Mon", 16}, {"Tue", 20}, {"Wed", 19}, {"Thu", 22}, {"Fri", 15}, {"Sat", 4}, {"Sun", 4},
}};
constexpr std::array<Weighted, 8> practiceTimes{{
    {"19.30", 55}, {"19.45", 10}, {"20.00", 15}, {"19.00", 10}, {"18.30", 3}, {"20.15", 2},
    {"7.30", 4}, {"19.30-21.00", 3},
}};

std::string practice(SampleDraw& draw)
{
    if (draw.percent(13)) return {};
    const std::int32_t form = draw.below(100);
    if (form < 2) return "by arrangement";
    if (form < 4) return "Occasional";
    std::string text;
    // The marks qualify the night: '-' some weeks only, '+' by arrangement as well.
    if (form < 10) text += '-';
    else if (form < 14) text += '+';
    text += pickWeighted(draw, practiceDays);
    if (form >= 14 && form < 19) return text; // night known, time not
    if (form >= 19 && form < 21) text += "day"; // a long day name, which hides the time
    text += ' ';
    text += pickWeighted(draw, practiceTimes);
    if (form >= 21 && form < 25) text += " (alt weeks)";
    return text;
}

// --- postcodes and web pages ------------------------------------------------------------

struct PostcodeAreas {
    std::string_view county;
    std::string_view areas; // two-letter areas run together; a one-letter area ends with '-'
};

constexpr std::array<PostcodeAreas, 70> postcodeAreas{{
    {"Bedfordshire", "LUMKSG"}, {"Berkshire", "RGSLOX"}, {"Buckinghamshire", "HPMKSL"},
    {"Cambridgeshire", "CBPE"}, {"Cheshire", "CHCWSKWA"}, {"Cornwall", "TRPL"},
    {"Cumberland", "CA"}, {"Derbyshire", "DES-SK"}, {"Devon", "EXPLTQ"}, {"Dorset", "DTBHSP"},
    {"Durham", "DHDLSR"}, {"Essex", "CMCOSS"}, {"Gloucestershire", "GL"},
    {"Hampshire", "SOPOGU"}, {"Herefordshire", "HR"}, {"Hertfordshire", "SGALHP"},
    {"Huntingdonshire", "PE"}, {"Kent", "CTMETN"}, {"Lancashire", "PRBBLA"},
    {"Leicestershire", "LE"}, {"Lincolnshire", "LNPENG"}, {"Middlesex", "HATWUB"},
    {"Norfolk", "NRPEIP"}, {"Northamptonshire", "NNPE"}, {"Northumberland", "NETD"},
    {"Nottinghamshire", "NG"}, {"Oxfordshire", "OX"}, {"Rutland", "LE"},
    {"Shropshire", "SYTF"}, {"Somerset", "TABA"}, {"Staffordshire", "STWS"},
    {"Suffolk", "IPCO"}, {"Surrey", "GUKTRH"}, {"Sussex", "BNRHTN"}, {"Warwickshire", "CV"},
    {"Westmorland", "LA"}, {"Wiltshire", "SNSPBA"}, {"Worcestershire", "WR"},
    {"Yorkshire", "YOHGLSHU"}, {"Isle of Man", "IM"}, {"Anglesey", "LL"},
    {"Brecknockshire", "LD"}, {"Caernarfonshire", "LL"}, {"Cardiganshire", "SY"},
    {"Carmarthenshire", "SA"}, {"Denbighshire", "LL"}, {"Flintshire", "CH"},
    {"Glamorgan", "CFSA"}, {"Merionethshire", "LL"}, {"Monmouthshire", "NP"},
    {"Montgomeryshire", "SY"}, {"Pembrokeshire", "SA"}, {"Radnorshire", "LD"},
    {"Midlothian", "EH"}, {"East Lothian", "EH"}, {"Lanarkshire", "G-ML"},
    {"Renfrewshire", "PA"}, {"Ayrshire", "KA"}, {"Fife", "KY"}, {"Angus", "DD"},
    {"Perthshire", "PH"}, {"Aberdeenshire", "AB"}, {"Inverness-shire", "IV"},
    {"Dumfriesshire", "DG"}, {"Roxburghshire", "TD"}, {"Stirlingshire", "FK"},
    {"Morayshire", "IV"}, {"Kirkcudbrightshire", "DG"}, {"Caithness", "KW"},
    {"Antrim", "BT"},
}};

// The letters that the last part of a postcode never uses.
constexpr std::string_view inwardLetters = "ABDEFGHJLNPQRSTUWXYZ";

std::string postcode(SampleDraw& draw, const CountyCentre& county)
{
    std::string_view areas;
    for (const auto& entry : postcodeAreas) {
        if (entry.county == county.county) areas = entry.areas;
    }
    // All of Northern Ireland shares one area; the Republic's codes are of another form.
    if (county.region == Region::Ireland) {
        if (isNorthernIreland(county.county)) areas = "BT";
        else return {};
    }
    if (areas.empty()) return {};
    const auto area = static_cast<std::size_t>(draw.below(static_cast<std::int32_t>(areas.size() / 2))) * 2;
    std::string code(areas.substr(area, 2));
    if (code[1] == '-') code.pop_back();
    code += std::to_string(draw.between(1, 29));
    code += ' ';
    code += static_cast<char>('1' + draw.below(9));
    code += inwardLetters[static_cast<std::size_t>(draw.below(static_cast<std::int32_t>(inwardLetters.size())))];
    code += inwardLetters[static_cast<std::size_t>(draw.below(static_cast<std::int32_t>(inwardLetters.size())))];
    return code;
}

// Lower-case letters of a name, for web addresses.
std::string slug(std::string_view text)
{
    std::string result;
    for (char c : text) {
        if (c >= 'A' && c <= 'Z') result += static_cast<char>(c - 'A' + 'a');
        else if (c >= 'a' && c <= 'z') result += c;
    }
    return result;
}

std::string webPage(SampleDraw& draw, std::string_view place, const CountyCentre& county)
{
    const bool irishRepublic = county.region == Region::Ireland && !isNorthernIreland(county.county);
    const std::string_view domain = irishRepublic ? ".ie" : ".org.uk";
    switch (draw.below(5)) {
    case 0: return "www." + slug(place) + "bells" + std::string(domain);
    case 1: return "http://www." + slug(place) + "-ringers" + std::string(domain) + "/";
    case 2: return "www." + slug(place) + "church" + std::string(domain) + "/bells.htm";
    // A ringing society's page for all its towers in the county, shared by many lines.
    case 3: return "www." + slug(county.county) + "ringers" + std::string(domain);
    default: return "http://www." + slug(county.county) + "guild" + std::string(domain) + "/towers.htm";
    }
}

// --- grid references -----------------------------------------------------------------------

std::string threeDigits(std::int32_t value)
{
    const std::string digits = std::to_string(value);
    return digits.size() >= 3 ? digits : std::string(3 - digits.size(), '0') + digits;
}

// British towers are written on the national grid, Irish ones on the Irish grid (one letter
// and a blank), whatever part of the shared plane they land in.
std::string gridReference(Position place, bool irish)
{
    if (irish) {
        const std::int32_t e = place.x - irishOffsetX;
        const std::int32_t n = place.y - irishOffsetY;
        std::string text(1, GridLetters[static_cast<std::size_t>(n / 1000 * 5 + e / 1000)]);
        return text + ' ' + threeDigits(e % 1000) + threeDigits(n % 1000);
    }
    const std::int32_t e = place.x + 10000;
    const std::int32_t n = place.y + 5000;
    std::string text;
    text += GridLetters[static_cast<std::size_t>(n / 5000 * 5 + e / 5000)];
    text += GridLetters[static_cast<std::size_t>(n / 1000 % 5 * 5 + e / 1000 % 5)];
    return text + threeDigits(place.x % 1000) + threeDigits(place.y % 1000);
}

// --- putting it together ---------------------------------------------------------------------

constexpr std::string_view header =
    "Index\\ExpRef\\NG\\FULL\\Place\\Dedicn\\Postcode\\GF\\Bells\\cwt\\qr\\lb\\App\\Note\\Prac\\UR\\WebPage";

struct SampleTower {
    std::string county;
    std::string place;
    std::string dedication;
    std::int32_t oldNumber = 0;       // the tower's number in the old printed edition (ExpRef)
    std::vector<std::string> columns; // from NG on
};

// A place for a tower of this county centre, or none after too many misses.
std::optional<Position> drawPlace(SampleDraw& draw, std::size_t centreIndex, const LandMask* land)
{
    const auto& centre = countyCentres[centreIndex];
    for (int attempt = 0; attempt < 200; ++attempt) {
        const Position place{centre.centre.x + draw.between(-furthestReach, furthestReach),
                             centre.centre.y + draw.between(-furthestReach, furthestReach)};
        if (squaredDistance(place, centre.centre) > furthestReach * furthestReach) continue;
        const auto county = nearestCounty(place);
        if (!county || countyCentres[*county].county != centre.county) continue;
        if (land && !land->isLand(place)) continue;
        if (!place.isSet()) continue;
        return place;
    }
    return std::nullopt;
}

std::size_t drawCentre(SampleDraw& draw)
{
    std::int32_t total = 0;
    for (const auto& centre : countyCentres) total += centre.weight;
    std::int32_t ticket = draw.below(total);
    for (std::size_t i = 0; i < countyCentres.size(); ++i) {
        if (ticket < countyCentres[i].weight) return i;
        ticket -= countyCentres[i].weight;
    }
    return countyCentres.size() - 1;
}

SampleTower makeTower(SampleDraw& draw, const CountyCentre& county, Position place, const std::string& name)
{
    SampleTower tower;
    tower.county = std::string(county.county);
    tower.place = name;
    tower.dedication = dedication(draw, county);
    tower.oldNumber = draw.between(10000, 99999);

    const std::int32_t bells = bellCount(draw);
    const Tenor heaviest = tenor(draw, bells);
    const bool groundFloor = draw.permille(40);
    const bool unringable = draw.permille(20);

    auto& c = tower.columns;
    c.push_back(gridReference(place, county.region == Region::Ireland));
    c.push_back(tower.county);
    c.push_back(tower.place);
    c.push_back(tower.dedication);
    c.push_back(draw.percent(10) ? postcode(draw, county) : std::string());
    c.push_back(groundFloor ? "GF" : "");
    c.push_back(std::to_string(bells));
    c.push_back(heaviest.cwt);
    c.push_back(heaviest.qr);
    c.push_back(heaviest.lb);
    c.push_back(heaviest.approx);
    c.push_back(draw.percent(97) ? std::string(tenorNote(draw, heaviest.pounds)) : std::string());
    c.push_back(unringable ? std::string() : practice(draw));
    c.push_back(unringable ? "UR" : "");
    c.push_back(draw.percent(6) ? webPage(draw, tower.place, county) : std::string());

    // A hand-kept list has loose ends: lines that stop after the place or after the bells.
    if (draw.permille(8)) c.resize(3);
    else if (draw.permille(8)) c.resize(7);
    return tower;
}

std::string directory(std::int32_t towerCount, std::uint32_t seed, const LandMask* land)
{
    SampleDraw draw(seed);
    std::vector<SampleTower> towers;
    towers.reserve(static_cast<std::size_t>(std::max(towerCount, 0)));
    // A town's second and third churches share its name and its place on the map's scale.
    struct Town {
        std::size_t centre;
        Position place;
        std::string name;
    };
    std::vector<Town> towns;

    // A land mask that holds almost no land would otherwise keep the loop going for ever.
    std::int32_t missesInARow = 0;
    while (static_cast<std::int32_t>(towers.size()) < towerCount && missesInARow < 10000) {
        if (!towns.empty() && draw.percent(5)) {
            const Town& town = towns[static_cast<std::size_t>(draw.below(static_cast<std::int32_t>(towns.size())))];
            const Position near{town.place.x + draw.between(-8, 8), town.place.y + draw.between(-8, 8)};
            if (!land || land->isLand(near)) {
                towers.push_back(makeTower(draw, countyCentres[town.centre], near, town.name));
                continue;
            }
        }
        const std::size_t centre = drawCentre(draw);
        const auto place = drawPlace(draw, centre, land);
        if (!place) {
            ++missesInARow;
            continue;
        }
        missesInARow = 0;
        std::string name = placeName(draw, countyCentres[centre]);
        towers.push_back(makeTower(draw, countyCentres[centre], *place, name));
        towns.push_back({centre, *place, std::move(name)});
    }

    // Listed by county, then place, then dedication, as the directory is kept.
    std::stable_sort(towers.begin(), towers.end(), [](const SampleTower& a, const SampleTower& b) {
        if (a.county != b.county) return a.county < b.county;
        if (a.place != b.place) return a.place < b.place;
        return a.dedication < b.dedication;
    });

    std::string text(header);
    text += '\n';
    std::int32_t index = 0;
    for (const auto& tower : towers) {
        ++index;
        text += std::to_string(index);
        text += '\\';
        text += std::to_string(tower.oldNumber);
        for (const auto& column : tower.columns) {
            text += '\\';
            text += column;
        }
        text += '\n';
    }
    return text;
}

} // namespace

// An outline without a coastline gives no land to test against; the towers are then placed
// round their county centres unchecked, as for the benchmarks.
std::string generateDirectory(std::int32_t towerCount, std::uint32_t seed, const MapOutline& land)
{
    const LandMask mask(land);
    return directory(towerCount, seed, mask.shoreCount() > 0 ? &mask : nullptr);
}

std::string generateStressDirectory()
{
    return directory(32767, 0x5EED7A11u, nullptr);
}

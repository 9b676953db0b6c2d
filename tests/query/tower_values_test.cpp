// A user field's values: by id for the directory's ids, kept aside for any other.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "query/tower_values.h"

namespace {

TEST(TowerValues, HoldsOneValuePerIdAndGivesThemInIdOrder)
{
    TowerValues<std::int32_t> values{{300, 1}, {2, 2}, {-5, 3}, {40000, 4}, {32767, 5}};
    values.set(2, 20);  // replaces
    values[7] = 70;
    EXPECT_EQ(values.size(), 6u);
    EXPECT_EQ(values.at(2), 20);
    EXPECT_EQ(*values.find(-5), 3);
    EXPECT_EQ(*values.find(40000), 4);
    EXPECT_EQ(values.find(3), nullptr);
    EXPECT_EQ(values.find(99999), nullptr);
    EXPECT_THROW(values.at(0), std::out_of_range);

    std::vector<std::pair<TowerId, std::int32_t>> seen;
    values.forEach([&](TowerId id, std::int32_t value) { seen.emplace_back(id, value); });
    EXPECT_EQ(seen, (std::vector<std::pair<TowerId, std::int32_t>>{
                        {-5, 3}, {2, 20}, {7, 70}, {300, 1}, {32767, 5}, {40000, 4}}));

    values.clear();
    EXPECT_TRUE(values.empty());
    EXPECT_EQ(values.find(300), nullptr);
}

TEST(TowerValues, EqualWhenTheyHoldTheSameValuesHoweverMade)
{
    TowerValues<std::string> a{{5, "x"}, {40000, "far"}};
    TowerValues<std::string> b;
    b.set(100, "dropped later");
    b.clear();
    b.set(40000, "far");
    b.set(5, "x");
    EXPECT_TRUE(a == b);
    b.set(5, "");
    EXPECT_FALSE(a == b);
    EXPECT_FALSE((a == TowerValues<std::string>{{5, "x"}}));
}

}  // namespace

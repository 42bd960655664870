#include "platform/core/owned_list.h"
#include "platform/core/time_scale.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
struct Counted
{
    explicit Counted(int v, int* alive) : value(v), alive(alive) { ++*alive; }
    ~Counted() { --*alive; }
    int value;
    int* alive;
};
} // namespace

TEST(TypedPtrList, AppendsWalksInOrderAndDeletesWhatItRemoves)
{
    int alive = 0;
    {
        OwnedList<Counted> list;
        list.EmplaceTail(1, &alive);
        Counted* second = list.EmplaceTail(2, &alive);
        list.EmplaceTail(3, &alive);
        std::vector<int> order;
        for (Counted* c : list)
            order.push_back(c->value);
        EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
        EXPECT_TRUE(list.Remove(second));
        EXPECT_FALSE(list.Remove(second));
        EXPECT_EQ(alive, 2);
        EXPECT_EQ(list.GetHead()->value, 1);
        EXPECT_EQ(list.GetTail()->value, 3);
        EXPECT_EQ(list.GetAt(5), nullptr);
    }
    EXPECT_EQ(alive, 0);
}

TEST(TimeScale, ScalesAndNeverRoundsAPositivePeriodToZero)
{
    TimeScale::SetFactor(0.001);
    EXPECT_EQ(TimeScale::Scaled(20000), 20);
    EXPECT_EQ(TimeScale::Scaled(100), 1);
    EXPECT_EQ(TimeScale::Scaled(0), 0);
    TimeScale::SetFactor(-3);
    EXPECT_EQ(TimeScale::Factor(), 1.0);
    TimeScale::SetFactor(1.0);
}

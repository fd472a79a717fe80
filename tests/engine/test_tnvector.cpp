#include "tnvector.h"
#include "tnlog.h"
#include "tnstring.h"

#include <gtest/gtest.h>

#include "tempgamedir.h"

#include <malloc.h>

#include <cstring>
#include <string>

namespace {

// Swaps the vector's allocator for the length of a test.
class ReallocateScope {
public:
    explicit ReallocateScope(void* (*pfnReallocate)(void*, std::size_t))
        : m_pfnSaved(tnVectorMemory::Reallocate)
    {
        tnVectorMemory::Reallocate = pfnReallocate;
        s_iCalls = 0;
    }
    ~ReallocateScope() { tnVectorMemory::Reallocate = m_pfnSaved; }

    static inline int s_iCalls = 0;

private:
    void* (*m_pfnSaved)(void*, std::size_t);
};

void* CountingReallocate(void* pBlock, std::size_t iBytes)
{
    ++ReallocateScope::s_iCalls;
    return std::realloc(pBlock, iBytes);
}

void* FailingReallocate(void*, std::size_t)
{
    ++ReallocateScope::s_iCalls;
    return nullptr;
}

// Always moves the block and scribbles over the old one, so anything that
// still points into the old block reads garbage.
void* MovingReallocate(void* pBlock, std::size_t iBytes)
{
    ++ReallocateScope::s_iCalls;
    void* pNew = std::malloc(iBytes);
    if (pBlock) {
        const std::size_t iOld = malloc_usable_size(pBlock);
        std::memcpy(pNew, pBlock, iOld < iBytes ? iOld : iBytes);
        std::memset(pBlock, 0xEE, iOld);
        std::free(pBlock);
    }
    return pNew;
}

// Counts live objects, to see that every element constructed is destroyed once.
struct Counted {
    static inline int s_iLive = 0;
    int m_iValue;
    Counted(int iValue = -1) : m_iValue(iValue) { ++s_iLive; }
    Counted(const Counted& other) : m_iValue(other.m_iValue) { ++s_iLive; }
    Counted& operator=(const Counted&) = default;
    ~Counted() { --s_iLive; }
};

// Runs each test in a fresh temporary folder so the log lands there.
class tnVectorLog : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(OpenLog()); }
    void TearDown() override { CloseLog(); }
    static std::string ReadLog() { return TempGameDir::ReadFile("stdout.log"); }

    TempGameDir m_kDir{false};
};

void FillBytes(tnVector<tnUInt8>& v, tnUInt32 iCount)
{
    for (tnUInt32 i = 0; i < iCount; ++i)
        v.push_back(static_cast<tnUInt8>(i));
}

} // namespace

TEST(tnVector, GrowsByFourUpToThirtyTwoThenDoubles)
{
    // Capacity after the n-th push_back.
    const struct { tnUInt32 iPushes, iCapacity; } kSteps[] = {
        {1, 4}, {4, 4}, {5, 8}, {9, 12}, {32, 32}, {33, 36}, {36, 36},
        {37, 72}, {73, 144}, {145, 288}, {289, 576}, {577, 1152},
        {1153, 2176}, {2177, 3200}};
    tnVector<int> v;
    tnUInt32 iPushed = 0;
    for (const auto& kStep : kSteps) {
        while (iPushed < kStep.iPushes)
            v.push_back(static_cast<int>(iPushed++) * 3);
        EXPECT_EQ(v.size(), kStep.iPushes);
        EXPECT_EQ(v.capacity(), kStep.iCapacity) << "after push " << kStep.iPushes;
    }
    for (tnUInt32 i = 0; i < v.size(); ++i)
        ASSERT_EQ(v[i], static_cast<int>(i) * 3);
}

TEST(tnVector, HoldsExactlyTheSixteenBitMaximum)
{
    tnVector<tnUInt8> v;
    FillBytes(v, 65535);
    EXPECT_EQ(v.size(), 65535u);
    EXPECT_EQ(v.capacity(), 65535u);
    EXPECT_EQ(v[65534], static_cast<tnUInt8>(65534));

    tnVector<tnUInt8> w;
    w.set_size(65535);
    EXPECT_EQ(w.size(), 65535u);
    EXPECT_EQ(w.capacity(), 65535u);
}

TEST_F(tnVectorLog, PushBeyondSixteenBitsEndsLikeOutOfMemory)
{
    EXPECT_EXIT(
        {
            tnVector<tnUInt8> v;
            FillBytes(v, 65536);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadLog(),
              "Fail to allocate memory tnVector::push_back at 2,cap=65535, extra=1024\n"
              "VecotrMaxCutOffSize=32, MaxExpandSize=1024, msize=65535\n");
}

TEST_F(tnVectorLog, SetSizeBeyondSixteenBitsEndsLikeOutOfMemory)
{
    EXPECT_EXIT(
        {
            tnVector<int> v;
            v.set_size(65536);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadLog(), "Fail to allocate memory in tnVector::set_size()\n");
}

TEST_F(tnVectorLog, ReserveBeyondSixteenBitsOrMemoryFailsAndKeepsTheVector)
{
    tnVector<int> v;
    v.push_back(7);
    v.push_back(8);
    v.push_back(9);
    int* pBlock = v.GetArray();
    EXPECT_FALSE(v.reserve(65533));
    EXPECT_FALSE(v.reserve(0xFFFFFFFFu));
    {
        ReallocateScope kScope(&FailingReallocate);
        EXPECT_FALSE(v.reserve(10));
    }
    EXPECT_EQ(v.GetArray(), pBlock);
    EXPECT_EQ(v.size(), 3u);
    EXPECT_EQ(v.capacity(), 4u);
    EXPECT_EQ(v[2], 9);
    EXPECT_EQ(ReadLog(), "Fail to allocate memory in tnVector::reserve\n"
                         "Fail to allocate memory in tnVector::reserve\n"
                         "Fail to allocate memory in tnVector::reserve\n");
    EXPECT_TRUE(v.reserve(65532));
    EXPECT_EQ(v.capacity(), 65535u);
}

TEST_F(tnVectorLog, OutOfMemoryElsewhereEndsTheProcessWithItsLine)
{
    EXPECT_EXIT(
        {
            tnVector<int> v;
            tnVectorMemory::Reallocate = &FailingReallocate;
            v.push_back(1);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadLog(), "Fail to allocate memory in tnVector::push_back at 1\n");

    EXPECT_EXIT(
        {
            tnVector<int> v;
            v.push_back(1);
            v.push_back(2);
            tnVectorMemory::Reallocate = &FailingReallocate;
            v.erase(v.GetArray());
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_NE(ReadLog().find("Fail to allocate memory in tnVector::erase\n"), std::string::npos);
}

TEST(tnVector, ReserveAddsToTheSizeAndAllocatesOnlyWhenAsked)
{
    ReallocateScope kScope(&CountingReallocate);
    tnVector<int> v;
    EXPECT_TRUE(v.reserve(0));
    EXPECT_EQ(v.GetArray(), nullptr);
    EXPECT_EQ(v.capacity(), 0u);
    EXPECT_EQ(ReallocateScope::s_iCalls, 0);
    EXPECT_TRUE(v.reserve(6));
    v.set_size(6);
    EXPECT_EQ(v.capacity(), 6u);
    EXPECT_EQ(v.size(), 6u);
    EXPECT_EQ(ReallocateScope::s_iCalls, 1);
    EXPECT_EQ(v.end(), v.GetArray() + 6);

    // The capacity becomes size plus request, even when that is smaller.
    tnVector<int> w;
    for (int i = 0; i < 5; ++i)
        w.push_back(i);
    ASSERT_EQ(w.capacity(), 8u);
    EXPECT_TRUE(w.reserve(1));
    EXPECT_EQ(w.capacity(), 6u);
    EXPECT_EQ(w[4], 4);
}

TEST(tnVector, SetSizeShrinksWithoutFreeingAndGrowsBackWithoutReallocating)
{
    tnVector<int> v;
    v.set_size(10);
    ReallocateScope kScope(&CountingReallocate);
    v.set_size(3);
    EXPECT_EQ(v.size(), 3u);
    EXPECT_EQ(v.capacity(), 10u);
    v.set_size(10);
    EXPECT_EQ(v.size(), 10u);
    EXPECT_EQ(ReallocateScope::s_iCalls, 0);
    v.set_size(11);
    EXPECT_EQ(v.capacity(), 11u);
    EXPECT_EQ(ReallocateScope::s_iCalls, 1);
}

TEST(tnVector, EraseShiftsDownAndShrinksByOne)
{
    tnVector<int> v;
    for (int i = 0; i < 5; ++i)
        v.push_back(i * 10);
    ASSERT_EQ(v.capacity(), 8u);
    int* pNext = v.erase(v.GetArray() + 1);
    EXPECT_EQ(v.size(), 4u);
    EXPECT_EQ(v.capacity(), 7u);
    EXPECT_EQ(*pNext, 20);
    EXPECT_EQ(v[0], 0);
    EXPECT_EQ(v[1], 20);
    EXPECT_EQ(v[3], 40);

    // Erasing at end() or outside the elements changes nothing.
    int iOutside = 0;
    EXPECT_EQ(v.erase(v.end()), v.GetArray() + 4);
    EXPECT_EQ(v.erase(&iOutside), &iOutside);
    EXPECT_EQ(v.size(), 4u);
    EXPECT_EQ(v.capacity(), 7u);
}

TEST(tnVector, ErasingTheLastElementFreesTheBlock)
{
    tnVector<int> v;
    v.push_back(42);
    EXPECT_EQ(v.erase(v.GetArray()), nullptr);
    EXPECT_EQ(v.GetArray(), nullptr);
    EXPECT_EQ(v.size(), 0u);
    EXPECT_EQ(v.capacity(), 0u);
    // An emptied vector starts over with the first growth step.
    v.push_back(1);
    EXPECT_EQ(v.capacity(), 4u);
}

TEST(tnVector, EveryElementIsDestroyedOnce)
{
    Counted::s_iLive = 0;
    {
        tnVector<Counted> v;
        for (int i = 0; i < 10; ++i)
            v.push_back(Counted(i));
        EXPECT_EQ(Counted::s_iLive, 10);
        v.erase(v.GetArray() + 2);
        EXPECT_EQ(Counted::s_iLive, 9);
        EXPECT_EQ(v[2].m_iValue, 3);
        v.set_size(4);
        EXPECT_EQ(Counted::s_iLive, 4);
        v.set_size(6);
        EXPECT_EQ(Counted::s_iLive, 6);
        EXPECT_EQ(v[5].m_iValue, -1);
    }
    EXPECT_EQ(Counted::s_iLive, 0);
}

TEST(tnVector, PushingOneOfItsOwnElementsSurvivesTheBlockMoving)
{
    ReallocateScope kScope(&MovingReallocate);
    tnVector<tnStringC> v;
    for (int i = 0; i < 4; ++i)
        v.push_back(tnStringC(i * 11));
    ASSERT_EQ(v.size(), v.capacity());
    v.push_back(v[1]);
    EXPECT_STREQ(static_cast<char*>(v[4]), "11");
}

TEST(tnVector, StringsStayIntactWhenTheBlockMoves)
{
    ReallocateScope kScope(&MovingReallocate);
    tnVector<tnStringC> v;
    for (int i = 0; i < 100; ++i)
        v.push_back(tnStringC("row ") + i);
    EXPECT_GT(ReallocateScope::s_iCalls, 5);
    v.erase(v.GetArray());
    ASSERT_EQ(v.size(), 99u);
    for (int i = 0; i < 99; ++i)
        ASSERT_EQ(v[static_cast<tnUInt32>(i)], (tnStringC("row ") + (i + 1)));
}

TEST(tnVector, CopiesOwnTheirElements)
{
    tnVector<int> v;
    for (int i = 0; i < 6; ++i)
        v.push_back(i);
    tnVector<int> w(v);
    EXPECT_NE(w.GetArray(), v.GetArray());
    EXPECT_EQ(w.size(), 6u);
    EXPECT_EQ(w.capacity(), 6u);
    w[0] = 99;
    EXPECT_EQ(v[0], 0);

    tnVector<int> x;
    x.push_back(5);
    x = v;
    EXPECT_EQ(x.size(), 6u);
    EXPECT_EQ(x[5], 5);
    x = std::move(w);
    EXPECT_EQ(x[0], 99);
    EXPECT_EQ(w.GetArray(), nullptr);
}

#include "tnstring.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// The text of a string, with an empty string read as "".
std::string Text(tnStringC s)
{
    const char* p = s;
    return p ? p : "";
}

} // namespace

TEST(tnStringC, LongTextIsCutTo119Characters)
{
    const std::string kLong(200, 'x');
    tnStringC s(kLong.c_str());
    EXPECT_EQ(s.GetLength(), 119);
    EXPECT_EQ(Text(s), kLong.substr(0, 119));

    tnStringC t;
    t = kLong.c_str();
    EXPECT_EQ(t.GetLength(), 119);
    t.Copy(kLong.c_str(), 150);
    EXPECT_EQ(t.GetLength(), 119);
    t.Copy("abcdef", 3);
    EXPECT_EQ(Text(t), "abc");
    t.Copy("ab", 10);
    EXPECT_EQ(Text(t), "ab");
}

TEST(tnStringC, EmptyStringConvertsToNull)
{
    tnStringC s;
    EXPECT_EQ(static_cast<char*>(s), nullptr);
    EXPECT_EQ(s.GetLength(), 0);
    s = static_cast<const char*>(nullptr);
    EXPECT_EQ(static_cast<char*>(s), nullptr);
    tnStringC t("a");
    EXPECT_STREQ(static_cast<char*>(t), "a");
}

TEST(tnStringC, PartialConstructorsTakeTheFirstCharacters)
{
    EXPECT_EQ(Text(tnStringC("abcdef", 4)), "abcd");
    EXPECT_EQ(Text(tnStringC("ab", 4)), "ab");
    EXPECT_EQ(Text(tnStringC(tnStringC("abcdef"), 2)), "ab");
    EXPECT_EQ(Text(tnStringC("abc", -1)), "");
}

TEST(tnStringC, NumbersBecomeDecimalText)
{
    EXPECT_EQ(Text(tnStringC(0)), "0");
    EXPECT_EQ(Text(tnStringC(-1234)), "-1234");
    EXPECT_EQ(Text(tnStringC(4294967295ul)), "4294967295");
    EXPECT_EQ(Text(tnStringC(7u)), "7");
    EXPECT_EQ(Text(tnStringC(2.0f)), "2.0");
    EXPECT_EQ(Text(tnStringC(0.5f)), "0.5");
    EXPECT_EQ(Text(tnStringC(-3.0f)), "-3.0");
    EXPECT_EQ(Text(tnStringC(0.0f)), "0.0");
    EXPECT_EQ(Text(tnStringC(1.25f)), "1.25");
    // 15 significant digits of the float's exact value.
    EXPECT_EQ(Text(tnStringC(0.1f)), "0.100000001490116");

    tnStringC s("x");
    s = 12;
    EXPECT_EQ(Text(s), "12");
    s = 2.5f;
    EXPECT_EQ(Text(s), "2.5");
    s = 99ul;
    EXPECT_EQ(Text(s), "99");
}

TEST(tnStringC, TextConvertsBackToNumbers)
{
    EXPECT_EQ(tnStringC("  42abc").ToInt(), 42);
    EXPECT_EQ(tnStringC("-17").ToLong(), -17);
    EXPECT_EQ(tnStringC("abc").ToInt(), 0);
    EXPECT_EQ(tnStringC().ToInt(), 0);
    EXPECT_EQ(tnStringC("99999999999").ToInt(), 2147483647);
    EXPECT_FLOAT_EQ(tnStringC("2.75xyz").ToFloat(), 2.75f);
}

TEST(tnStringC, IndexingStopsAtTheBuffer)
{
    tnStringC s("abc");
    EXPECT_EQ(s[0], 'a');
    EXPECT_EQ(s[2], 'c');
    EXPECT_EQ(s[3], '\0');
    EXPECT_EQ(s[-1], '\0');
    EXPECT_EQ(s[120], '\0');
}

TEST(tnStringC, ComparisonsIgnoreCase)
{
    EXPECT_TRUE(tnStringC("Walk") == "WALK");
    EXPECT_FALSE(tnStringC("Walk") != "wALk");
    EXPECT_TRUE(tnStringC("a") < "B");
    EXPECT_TRUE(tnStringC("B") > "a");
    EXPECT_FALSE(tnStringC("abc") < "ABC");
    EXPECT_TRUE(tnStringC("ab") < "abc");
    EXPECT_TRUE(tnStringC("Walk") == tnStringC("wALK"));
    EXPECT_TRUE(tnStringC("apple") < tnStringC("Banana"));
    EXPECT_TRUE(tnStringC("walk") != tnStringC("walks"));
    EXPECT_TRUE(tnStringC() == "");

    const char* pNull = nullptr;
    tnStringC s("x");
    EXPECT_TRUE(s != pNull);
    EXPECT_FALSE(s == pNull);
    EXPECT_FALSE(s < pNull);
    EXPECT_FALSE(s > pNull);
}

TEST(tnStringC, AppendingNeverPassesTheBuffer)
{
    tnStringC s("score ");
    s += 10;
    s += " / ";
    s += 2.0f;
    s += 3ul;
    EXPECT_EQ(Text(s), "score 10 / 2.03");
    s += static_cast<const char*>(nullptr);
    EXPECT_EQ(Text(s), "score 10 / 2.03");

    const tnStringC kLeft("left");
    EXPECT_EQ(Text(kLeft + "-" + 5), "left-5");
    EXPECT_EQ(Text(kLeft), "left");

    const std::string kLong(118, 'y');
    tnStringC t(kLong.c_str());
    t += "abc";
    EXPECT_EQ(t.GetLength(), 119);
    EXPECT_EQ(t[118], 'a');
    t += 7;
    EXPECT_EQ(t.GetLength(), 119);

    tnStringC u("ab");
    u += u;
    EXPECT_EQ(Text(u), "abab");
}

TEST(tnStringC, EditingInPlace)
{
    tnStringC s("a/b/c");
    s.Erase('/');
    EXPECT_EQ(Text(s), "a");

    tnStringC t("a-b-c");
    t.Replace('-', '+');
    EXPECT_EQ(Text(t), "a+b+c");
    t.Set('X', 0);
    EXPECT_EQ(Text(t), "X+b+c");
    t.Set('Y', 200);
    t.Set('Y', -1);
    EXPECT_EQ(Text(t), "X+b+c");

    // The last slot stays the terminator even for a full string.
    tnStringC u(std::string(119, 'z').c_str());
    u.Set('!', 119);
    EXPECT_EQ(u.GetLength(), 119);
    u.Set('!', 118);
    EXPECT_EQ(u[118], '!');

    tnStringC v("MiXeD 1");
    v.ToLower();
    EXPECT_EQ(Text(v), "mixed 1");
    v.ToUpper();
    EXPECT_EQ(Text(v), "MIXED 1");

    tnStringC w("..\\Data\\level1.txt");
    w.ForwardSlashes();
    EXPECT_EQ(Text(w), "../Data/level1.txt");
}

TEST(tnStringC, HexAndDecimalConvertBothWays)
{
    tnStringC s("ff");
    s.HexToDecimal();
    EXPECT_EQ(Text(s), "255");
    s = "FF00FF";
    s.HexToDecimal();
    EXPECT_EQ(Text(s), "16711935");
    s.DecimalToHex();
    EXPECT_EQ(Text(s), "ff00ff");
    s = "10";
    s.DecimalToHex();
    EXPECT_EQ(Text(s), "a");
}

TEST(tnStringC, Alignment)
{
    tnStringC s("abc");
    s.AllignRight(6);
    EXPECT_EQ(Text(s), "   abc");
    s.AllignRight(3);
    EXPECT_EQ(Text(s), "   abc");

    tnStringC c("abc");
    c.AllignCenter(8);
    EXPECT_EQ(Text(c), "  abc");
    tnStringC d("abc");
    d.AllignCenter(4);
    EXPECT_EQ(Text(d), "abc");

    tnStringC l("  abc ");
    l.AllignLeft();
    EXPECT_EQ(Text(l), "abc ");

    // Padding past the buffer is cut: the text itself is never lost.
    tnStringC r("end");
    r.AllignRight(500);
    EXPECT_EQ(r.GetLength(), 119);
    EXPECT_EQ(Text(r.RightStr(3)), "end");
    tnStringC m("mid");
    m.AllignCenter(1000);
    EXPECT_EQ(m.GetLength(), 119);
    EXPECT_EQ(Text(m.RightStr(3)), "mid");
}

TEST(tnStringC, Substrings)
{
    const tnStringC s("abcdef");
    EXPECT_EQ(Text(s.MidStr(1, 3)), "bc");
    EXPECT_EQ(Text(s.MidStr(3, 3)), "");
    EXPECT_EQ(Text(s.MidStr(3, 2)), "");
    EXPECT_EQ(Text(s.MidStr(-1, 3)), "");
    EXPECT_EQ(Text(s.MidStr(1, 6)), "");
    EXPECT_EQ(Text(s.MidStr(0, 5)), "abcde");
    EXPECT_EQ(Text(s.RightStr(2)), "ef");
    EXPECT_EQ(Text(s.RightStr(6)), "abcdef");
    EXPECT_EQ(Text(s.RightStr(60)), "abcdef");
    EXPECT_EQ(Text(s.RightStr(-2)), "");
    EXPECT_EQ(Text(tnStringC().RightStr(2)), "");
    EXPECT_EQ(Text(s.LeftStr(2)), "ab");
    EXPECT_EQ(Text(s.LeftStr(50)), "abcdef");
    EXPECT_EQ(Text(s), "abcdef");
}

TEST(tnStringC, DropLeftCutsThisStringAndReturnsTheRest)
{
    tnStringC s("abcdef");
    EXPECT_EQ(Text(s.DropLeft(2)), "cdef");
    EXPECT_EQ(Text(s), "cdef");
    EXPECT_EQ(Text(s.DropLeft(-1)), "");
    EXPECT_EQ(Text(s), "cdef");
    EXPECT_EQ(Text(s.DropLeft(10)), "");
    EXPECT_EQ(s.GetLength(), 0);
}

TEST(tnStringC, FileNameHelpers)
{
    const tnStringC kPath("../Graphics/farmer.bmp");
    EXPECT_EQ(Text(kPath.GetExtension()), "bmp");
    EXPECT_EQ(Text(kPath.GetFileName()), "farmer.bmp");
    EXPECT_TRUE(kPath.HasExtension());

    tnStringC s(kPath);
    s.StripExtension();
    EXPECT_EQ(Text(s), "../Graphics/farmer");
    // The dots of "../" are no extension.
    EXPECT_FALSE(s.HasExtension());
    EXPECT_EQ(Text(s.GetExtension()), "");
    s.StripExtension();
    EXPECT_EQ(Text(s), "../Graphics/farmer");
    s.StripFileName();
    EXPECT_EQ(Text(s), "../Graphics");

    // A bare name is all file name.
    EXPECT_EQ(Text(tnStringC("level1.txt").GetFileName()), "level1.txt");
    EXPECT_EQ(Text(tnStringC("readme").GetExtension()), "");
}

TEST(tnStringC, SplitPathKeepsTheFolderAndHandsBackTheName)
{
    tnStringC s("../Data/level1.txt");
    tnStringC kName("old");
    s.SplitPath(kName);
    EXPECT_EQ(Text(s), "../Data");
    EXPECT_EQ(Text(kName), "level1.txt");

    tnStringC t("level2.txt");
    t.SplitPath(kName);
    EXPECT_EQ(Text(t), "");
    EXPECT_EQ(Text(kName), "level2.txt");
}

TEST(tnStringC, PlaceInListKeepsAscendingOrder)
{
    tnStringC* pkA = new tnStringC("a");
    tnStringC* pkHead = (new tnStringC("c"))->PlaceInList(pkA);
    ASSERT_EQ(pkHead, pkA);

    pkHead = (new tnStringC("b"))->PlaceInList(pkHead);
    EXPECT_EQ(pkHead, pkA);
    tnStringC* pkZero = new tnStringC("0");
    pkHead = pkZero->PlaceInList(pkHead);
    EXPECT_EQ(pkHead, pkZero);
    // Ordering is by byte: upper case sorts before lower case.
    pkHead = (new tnStringC("B"))->PlaceInList(pkHead);

    const char* kExpected[] = {"0", "B", "a", "b", "c"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Text(*pkHead->GetNthItem(i)), kExpected[i]) << i;
    EXPECT_EQ(pkHead->GetNthItem(5), nullptr);
    EXPECT_EQ(pkHead->GetNthItem(0), pkHead);
    EXPECT_EQ(pkHead->GetNthItem(-1), nullptr);

    // A string already in the list is not placed again.
    EXPECT_EQ(pkA->PlaceInList(pkHead), pkHead);
    EXPECT_EQ(pkHead->GetNthItem(5), nullptr);

    tnStringC kAlone("z");
    EXPECT_EQ(kAlone.PlaceInList(nullptr), &kAlone);
    delete pkHead;  // the head owns the whole list
}

TEST(tnStringC, AppendToListLinksBehindTheLastAndRefusesLoops)
{
    tnStringC kHead("first");
    kHead.AppendToList(tnStringC("second"));
    tnStringC* pkThird = new tnStringC("third");
    kHead.AppendToList(pkThird);
    kHead.AppendToList(static_cast<tnStringC*>(nullptr));
    kHead.AppendToList(pkThird);
    kHead.AppendToList(&kHead);

    EXPECT_EQ(Text(*kHead.GetNthItem(1)), "second");
    EXPECT_EQ(kHead.GetNthItem(2), pkThird);
    EXPECT_EQ(kHead.GetNthItem(3), nullptr);

    // The list was built from a copy: changing the value does not reach it.
    tnStringC kValue("value");
    kHead.AppendToList(kValue);
    kValue = "changed";
    EXPECT_EQ(Text(*kHead.GetNthItem(3)), "value");
}

TEST(tnStringC, CopiesAndAssignmentsNeverShareTheList)
{
    tnStringC kHead("head", new tnStringC("next"));
    tnStringC kCopy(kHead);
    EXPECT_EQ(Text(kCopy), "head");
    EXPECT_EQ(kCopy.GetNthItem(1), nullptr);
    EXPECT_NE(kHead.GetNthItem(1), nullptr);

    tnStringC kOther("other", new tnStringC("tail"));
    kOther = kHead;
    EXPECT_EQ(Text(kOther), "head");
    EXPECT_EQ(kOther.GetNthItem(1), nullptr);

    // Assigning a string from its own list copies the text before the list goes.
    kHead = *kHead.GetNthItem(1);
    EXPECT_EQ(Text(kHead), "next");
    EXPECT_EQ(kHead.GetNthItem(1), nullptr);

    kHead = kHead;
    EXPECT_EQ(Text(kHead), "next");
}

TEST(tnStringC, FloatDigitsBecomeReadableText)
{
    const struct { const char* pDigits; int iDecimal; int iNegative; const char* pText; } kCases[] = {
        {"12345", 2, 0, "12.345"}, {"5", 0, 1, "-0.5"}, {"5", -2, 0, ".005"},
        {"7", 3, 0, "700."}, {"", 0, 0, "0."}};
    for (const auto& kCase : kCases) {
        std::string kDigits(kCase.pDigits);
        char* pText = ConvertFloatStringToRealString(kDigits.data(), kCase.iDecimal, kCase.iNegative);
        EXPECT_STREQ(pText, kCase.pText);
        delete[] pText;
    }
    std::string kDigits("1");
    char* pText = ConvertFloatStringToRealString(kDigits.data(), -500, 0);
    EXPECT_EQ(std::string(pText).size(), 119u);
    delete[] pText;
}

TEST(STRING_POINTER, WritesAndAdvancesThroughTheBuffer)
{
    char strBuffer[64];
    std::memset(strBuffer, '#', sizeof(strBuffer));
    STRING_POINTER kWriter;
    kWriter = strBuffer;
    char strLives[] = "Lives: ";
    kWriter += strLives;
    tnStringC kCount(3);
    kWriter + kCount + ' ';
    tnStringC kEmpty;
    kWriter += kEmpty;
    EXPECT_EQ(kWriter.m_pPosition, strBuffer + 9);
    // A single character is written without a terminator.
    EXPECT_EQ(strBuffer[9], '#');
    kWriter += "gold";
    EXPECT_STREQ(strBuffer, "Lives: 3 gold");
}

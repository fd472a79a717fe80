#include "tnstring.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Numbers are turned into text in a scratch buffer of the string's own size.
struct NumberText {
    char m_strText[tnStringC::BufferSize];
};

NumberText FormatInt(int value)
{
    NumberText kText;
    std::snprintf(kText.m_strText, sizeof(kText.m_strText), "%d", value);
    return kText;
}

NumberText FormatUnsigned(unsigned long value)
{
    NumberText kText;
    std::snprintf(kText.m_strText, sizeof(kText.m_strText), "%lu", value);
    return kText;
}

// 15 significant digits in general format; whole numbers keep a visible
// fraction ("2.0", not "2") so a float always reads as one.
NumberText FormatFloat(float value)
{
    NumberText kText;
    std::snprintf(kText.m_strText, sizeof(kText.m_strText), "%.15g", static_cast<double>(value));
    if (!std::strpbrk(kText.m_strText, ".eEnN"))
        std::strncat(kText.m_strText, ".0", sizeof(kText.m_strText) - std::strlen(kText.m_strText) - 1);
    return kText;
}

int LowerCase(char c)
{
    return std::tolower(static_cast<unsigned char>(c));
}

} // namespace

tnStringC::tnStringC() : m_strData{}, m_pkNext(nullptr) {}

tnStringC::tnStringC(const char* text) : tnStringC() { SetText(text, MaxLength); }

tnStringC::tnStringC(const char* text, tnStringC* next) : tnStringC()
{
    SetText(text, MaxLength);
    m_pkNext = next;
}

tnStringC::tnStringC(const char* text, int n) : tnStringC() { SetText(text, n); }

tnStringC::tnStringC(const tnStringC& other, int n) : tnStringC() { SetText(other.m_strData, n); }

tnStringC::tnStringC(int value) : tnStringC() { SetText(FormatInt(value).m_strText, MaxLength); }

tnStringC::tnStringC(unsigned long value) : tnStringC() { SetText(FormatUnsigned(value).m_strText, MaxLength); }

tnStringC::tnStringC(unsigned int value) : tnStringC(static_cast<unsigned long>(value)) {}

tnStringC::tnStringC(float value) : tnStringC() { SetText(FormatFloat(value).m_strText, MaxLength); }

tnStringC::tnStringC(const tnStringC& other) : tnStringC() { SetText(other.m_strData, MaxLength); }

tnStringC::~tnStringC() { ReleaseList(); }

tnStringC::operator char*() { return m_strData[0] ? m_strData : nullptr; }

char tnStringC::operator[](int i) const { return (i >= 0 && i < BufferSize) ? m_strData[i] : 0; }

int tnStringC::ToInt() const
{
    const long iValue = ToLong();
    if (iValue > INT_MAX)
        return INT_MAX;
    if (iValue < INT_MIN)
        return INT_MIN;
    return static_cast<int>(iValue);
}

long tnStringC::ToLong() const { return std::strtol(m_strData, nullptr, 10); }

float tnStringC::ToFloat() const { return static_cast<float>(std::strtod(m_strData, nullptr)); }

int tnStringC::GetLength() const { return static_cast<int>(std::strlen(m_strData)); }

tnStringC tnStringC::operator=(const char* text)
{
    // The text may live in the list about to be released: keep it first.
    const tnStringC kText(text);
    ReleaseList();
    SetText(kText.m_strData, MaxLength);
    return *this;
}

tnStringC tnStringC::operator=(int value) { return *this = FormatInt(value).m_strText; }

tnStringC tnStringC::operator=(unsigned long value) { return *this = FormatUnsigned(value).m_strText; }

tnStringC tnStringC::operator=(unsigned int value) { return *this = static_cast<unsigned long>(value); }

tnStringC tnStringC::operator=(float value) { return *this = FormatFloat(value).m_strText; }

tnStringC tnStringC::operator=(const tnStringC& other)
{
    if (this != &other)
        *this = other.m_strData;
    return *this;
}

tnStringC& tnStringC::operator+=(const char* text)
{
    AppendText(text);
    return *this;
}

tnStringC& tnStringC::operator+=(const tnStringC& other) { return *this += other.m_strData; }

tnStringC& tnStringC::operator+=(int value) { return *this += FormatInt(value).m_strText; }

tnStringC& tnStringC::operator+=(unsigned long value) { return *this += FormatUnsigned(value).m_strText; }

tnStringC& tnStringC::operator+=(unsigned int value) { return *this += static_cast<unsigned long>(value); }

tnStringC& tnStringC::operator+=(float value) { return *this += FormatFloat(value).m_strText; }

tnStringC tnStringC::operator+(const char* text) const { return tnStringC(*this) += text; }

tnStringC tnStringC::operator+(const tnStringC& other) const { return tnStringC(*this) += other; }

tnStringC tnStringC::operator+(int value) const { return tnStringC(*this) += value; }

tnStringC tnStringC::operator+(unsigned long value) const { return tnStringC(*this) += value; }

tnStringC tnStringC::operator+(unsigned int value) const { return tnStringC(*this) += value; }

tnStringC tnStringC::operator+(float value) const { return tnStringC(*this) += value; }

bool tnStringC::operator==(const char* text) const { return text && Compare(text) == 0; }

bool tnStringC::operator!=(const char* text) const { return !(*this == text); }

bool tnStringC::operator<(const char* text) const { return text && Compare(text) < 0; }

bool tnStringC::operator>(const char* text) const { return text && Compare(text) > 0; }

bool tnStringC::operator==(const tnStringC& other) const { return *this == other.m_strData; }

bool tnStringC::operator!=(const tnStringC& other) const { return *this != other.m_strData; }

bool tnStringC::operator<(const tnStringC& other) const { return *this < other.m_strData; }

bool tnStringC::operator>(const tnStringC& other) const { return *this > other.m_strData; }

void tnStringC::Copy(const char* source, int n) { SetText(source, n); }

void tnStringC::Set(char c, int i)
{
    if (i >= 0 && i < MaxLength)
        m_strData[i] = c;
}

void tnStringC::Replace(char from, char to)
{
    if (from == '\0')
        return;
    const int iLength = GetLength();
    for (int i = 0; i < iLength; ++i) {
        if (m_strData[i] == from)
            m_strData[i] = to;
    }
}

void tnStringC::Erase(char c) { Replace(c, '\0'); }

void tnStringC::AllignLeft()
{
    int iSpaces = 0;
    while (m_strData[iSpaces] == ' ')
        ++iSpaces;
    std::memmove(m_strData, m_strData + iSpaces, std::strlen(m_strData + iSpaces) + 1);
}

void tnStringC::AllignRight(int width)
{
    const int iLength = GetLength();
    if (iLength < width)
        PadLeft(width - iLength);
}

void tnStringC::AllignCenter(int width)
{
    const int iPadding = (width - GetLength()) / 2;
    if (iPadding >= 1)
        PadLeft(iPadding);
}

void tnStringC::ToLower()
{
    for (char* p = m_strData; *p; ++p)
        *p = static_cast<char>(LowerCase(*p));
}

void tnStringC::ToUpper()
{
    for (char* p = m_strData; *p; ++p)
        *p = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
}

void tnStringC::ForwardSlashes() { Replace('\\', '/'); }

void tnStringC::HexToDecimal()
{
    char strText[BufferSize];
    std::snprintf(strText, sizeof(strText), "%llu", std::strtoull(m_strData, nullptr, 16));
    SetText(strText, MaxLength);
}

void tnStringC::DecimalToHex()
{
    char strText[BufferSize];
    std::snprintf(strText, sizeof(strText), "%llx", std::strtoull(m_strData, nullptr, 10));
    SetText(strText, MaxLength);
}

tnStringC tnStringC::LeftStr(int n) const { return tnStringC(*this, n); }

tnStringC tnStringC::RightStr(int n) const
{
    const int iLength = GetLength();
    if (n <= 0)
        return tnStringC();
    return tnStringC(m_strData + (n < iLength ? iLength - n : 0));
}

tnStringC tnStringC::MidStr(int start, int end) const
{
    const int iLength = GetLength();
    if (start < 0 || end < 0 || start >= iLength || end >= iLength || end <= start)
        return tnStringC();
    return tnStringC(m_strData + start, end - start);
}

tnStringC tnStringC::DropLeft(int n)
{
    if (n < 0)
        return tnStringC();
    const int iLength = GetLength();
    const int iDrop = n < iLength ? n : iLength;
    std::memmove(m_strData, m_strData + iDrop, static_cast<std::size_t>(iLength - iDrop) + 1);
    return *this;
}

tnStringC tnStringC::GetExtension() const
{
    const int iDot = FindLast('.');
    return iDot > FindLast('/') ? tnStringC(m_strData + iDot + 1) : tnStringC();
}

tnStringC tnStringC::GetFileName() const { return tnStringC(m_strData + FindLast('/') + 1); }

void tnStringC::StripExtension()
{
    const int iDot = FindLast('.');
    if (iDot > FindLast('/'))
        m_strData[iDot] = '\0';
}

void tnStringC::StripFileName()
{
    const int iSlash = FindLast('/');
    if (iSlash >= 0)
        m_strData[iSlash] = '\0';
}

bool tnStringC::HasExtension() const { return FindLast('.') > FindLast('/'); }

void tnStringC::SplitPath(tnStringC& fileName)
{
    const tnStringC kName = GetFileName();
    const int iSlash = FindLast('/');
    m_strData[iSlash >= 0 ? iSlash : 0] = '\0';
    fileName = kName;
}

void tnStringC::AppendToList(tnStringC* item)
{
    if (!item || ListContains(item) || item->ListContains(this))
        return;
    tnStringC* pkLast = this;
    while (pkLast->m_pkNext)
        pkLast = pkLast->m_pkNext;
    pkLast->m_pkNext = item;
}

void tnStringC::AppendToList(tnStringC value) { AppendToList(new tnStringC(value)); }

tnStringC* tnStringC::PlaceInList(tnStringC* head)
{
    if (!head)
        return this;
    if (m_pkNext || head->ListContains(this))
        return head;
    tnStringC* pkBefore = nullptr;
    tnStringC* pkAfter = head;
    while (pkAfter && std::strcmp(pkAfter->m_strData, m_strData) < 0) {
        pkBefore = pkAfter;
        pkAfter = pkAfter->m_pkNext;
    }
    m_pkNext = pkAfter;
    if (!pkBefore)
        return this;
    pkBefore->m_pkNext = this;
    return head;
}

tnStringC* tnStringC::GetNthItem(int n)
{
    tnStringC* pkItem = n >= 0 ? this : nullptr;
    for (int i = 0; pkItem && i < n; ++i)
        pkItem = pkItem->m_pkNext;
    return pkItem;
}

void tnStringC::SetText(const char* text, int n)
{
    int iCount = 0;
    if (text && n > 0) {
        const int iLimit = n < MaxLength ? n : MaxLength;
        while (iCount < iLimit && text[iCount])
            ++iCount;
        // The source may overlap this buffer (a part of the string's own text).
        std::memmove(m_strData, text, static_cast<std::size_t>(iCount));
    }
    m_strData[iCount] = '\0';
}

void tnStringC::AppendText(const char* text)
{
    if (!text)
        return;
    const int iLength = GetLength();
    int iCount = 0;
    while (iLength + iCount < MaxLength && text[iCount])
        ++iCount;
    std::memmove(m_strData + iLength, text, static_cast<std::size_t>(iCount));
    m_strData[iLength + iCount] = '\0';
}

void tnStringC::PadLeft(int count)
{
    const int iLength = GetLength();
    if (count > MaxLength - iLength)
        count = MaxLength - iLength;
    if (count <= 0)
        return;
    std::memmove(m_strData + count, m_strData, static_cast<std::size_t>(iLength) + 1);
    std::memset(m_strData, ' ', static_cast<std::size_t>(count));
}

int tnStringC::FindLast(char c) const
{
    const char* p = std::strrchr(m_strData, c);
    return p ? static_cast<int>(p - m_strData) : -1;
}

int tnStringC::Compare(const char* text) const
{
    const char* p = m_strData;
    while (*p && LowerCase(*p) == LowerCase(*text)) {
        ++p;
        ++text;
    }
    return LowerCase(*p) - LowerCase(*text);
}

bool tnStringC::ListContains(const tnStringC* item) const
{
    for (const tnStringC* p = this; p; p = p->m_pkNext) {
        if (p == item)
            return true;
    }
    return false;
}

void tnStringC::ReleaseList()
{
    // Iterative, so a long list cannot exhaust the stack.
    tnStringC* pkItem = m_pkNext;
    m_pkNext = nullptr;
    while (pkItem) {
        tnStringC* pkFollowing = pkItem->m_pkNext;
        pkItem->m_pkNext = nullptr;
        delete pkItem;
        pkItem = pkFollowing;
    }
}

char* ConvertFloatStringToRealString(char* digits, int decimalPosition, int negative)
{
    char* pText = new char[tnStringC::BufferSize];
    int iOut = 0;
    auto Put = [&](char c) {
        if (iOut < tnStringC::MaxLength)
            pText[iOut++] = c;
    };
    const char* pDigit = digits ? digits : "";
    if (negative)
        Put('-');
    if (decimalPosition == 0) {
        Put('0');
        Put('.');
    } else if (decimalPosition < 0) {
        Put('.');
        for (long long i = decimalPosition; i < 0 && iOut < tnStringC::MaxLength; ++i)
            Put('0');
    } else {
        // Too few digits for the whole part stand for trailing zeros.
        for (int i = 0; i < decimalPosition && iOut < tnStringC::MaxLength; ++i)
            Put(*pDigit ? *pDigit++ : '0');
        Put('.');
    }
    while (*pDigit)
        Put(*pDigit++);
    pText[iOut] = '\0';
    return pText;
}

STRING_POINTER& STRING_POINTER::operator=(char* buffer)
{
    m_pPosition = buffer;
    return *this;
}

STRING_POINTER& STRING_POINTER::operator+=(const char* text)
{
    if (m_pPosition && text) {
        const std::size_t iLength = std::strlen(text);
        std::memcpy(m_pPosition, text, iLength + 1);
        m_pPosition += iLength;
    }
    return *this;
}

STRING_POINTER& STRING_POINTER::operator+(const char* text) { return *this += text; }

STRING_POINTER& STRING_POINTER::operator+=(const tnStringC& text)
{
    if (text.m_strData[0])
        *this += text.m_strData;
    return *this;
}

STRING_POINTER& STRING_POINTER::operator+(const tnStringC& text) { return *this += text; }

STRING_POINTER& STRING_POINTER::operator+=(int c)
{
    if (m_pPosition)
        *m_pPosition++ = static_cast<char>(c);
    return *this;
}

STRING_POINTER& STRING_POINTER::operator+(int c) { return *this += c; }

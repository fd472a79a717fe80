#ifndef TNSTRING_H
#define TNSTRING_H

#include "tnerror.h"

// The engine's text value: a fixed 120-character buffer (at most 119
// characters of text) that never allocates for its text. Comparisons ignore
// letter case. Strings can also form a singly linked list through m_pkNext;
// a string owns the rest of its list, so every string linked behind another
// one must come from new. tnStringC holds no pointer into itself, so it may
// be moved byte for byte (tnVector relies on that).
class tnStringC {
public:
    static const int BufferSize = 120;
    static const int MaxLength = BufferSize - 1;

    tnStringC();
    tnStringC(const char* text);
    tnStringC(const char* text, tnStringC* next);
    tnStringC(const char* text, int n);
    tnStringC(const tnStringC& other, int n);
    tnStringC(int value);
    tnStringC(unsigned long value);
    // tnUInt32 is unsigned int here; without its own overload every unsigned
    // count would be ambiguous between int, unsigned long and float.
    tnStringC(unsigned int value);
    tnStringC(float value);
    // Copies the text only: a copy never shares the original's list.
    tnStringC(const tnStringC& other);
    ~tnStringC();

    // The buffer, or null for an empty string (empty means no text).
    operator char*();
    // The character at i, or 0 outside the buffer.
    char operator[](int i) const;

    int ToInt() const;
    long ToLong() const;
    float ToFloat() const;
    int GetLength() const;

    // Every assignment leaves the string exactly as the matching constructor
    // would: new text, no list (a list it owned is released).
    tnStringC operator=(const char* text);
    tnStringC operator=(int value);
    tnStringC operator=(unsigned long value);
    tnStringC operator=(unsigned int value);
    tnStringC operator=(float value);
    tnStringC operator=(const tnStringC& other);

    // Appends never grow the text past 119 characters; what does not fit is cut.
    tnStringC& operator+=(const char* text);
    tnStringC& operator+=(const tnStringC& other);
    tnStringC& operator+=(int value);
    tnStringC& operator+=(unsigned long value);
    tnStringC& operator+=(unsigned int value);
    tnStringC& operator+=(float value);
    tnStringC operator+(const char* text) const;
    tnStringC operator+(const tnStringC& other) const;
    tnStringC operator+(int value) const;
    tnStringC operator+(unsigned long value) const;
    tnStringC operator+(unsigned int value) const;
    tnStringC operator+(float value) const;

    // Case-insensitive; a null text is unequal to everything and neither
    // smaller nor greater.
    bool operator==(const char* text) const;
    bool operator!=(const char* text) const;
    bool operator<(const char* text) const;
    bool operator>(const char* text) const;
    bool operator==(const tnStringC& other) const;
    bool operator!=(const tnStringC& other) const;
    bool operator<(const tnStringC& other) const;
    bool operator>(const tnStringC& other) const;

    void Copy(const char* source, int n);
    // Position 119 always holds the terminator, so only 0 to 118 can be set.
    void Set(char c, int i);
    void Replace(char from, char to);
    void Erase(char c);
    // Alignment pads with leading spaces; padding past 119 characters is cut.
    void AllignLeft();
    void AllignRight(int width);
    void AllignCenter(int width);
    void ToLower();
    void ToUpper();
    void ForwardSlashes();
    void HexToDecimal();
    void DecimalToHex();

    tnStringC LeftStr(int n) const;
    tnStringC RightStr(int n) const;
    tnStringC MidStr(int start, int end) const;
    tnStringC DropLeft(int n);

    // Paths use '/' between folders and '.' before the extension; only a '.'
    // in the last part of a path starts an extension ("../Data/level" has none).
    tnStringC GetExtension() const;
    // A text without a folder is all file name.
    tnStringC GetFileName() const;
    void StripExtension();
    void StripFileName();
    bool HasExtension() const;
    // Keeps the folder here and hands back the file name.
    void SplitPath(tnStringC& fileName);

    // Links item (and whatever follows it) behind the last string of this
    // list. Linking a string that is already part of the list is refused: it
    // would close a loop.
    void AppendToList(tnStringC* item);
    void AppendToList(tnStringC value);
    // Inserts this single string into the ascending (case-sensitive) list at
    // head; returns the new head. A string that already leads a list of its
    // own is not inserted (its list would be lost) and head is returned.
    tnStringC* PlaceInList(tnStringC* head);
    tnStringC* GetNthItem(int n);

private:
    friend struct STRING_POINTER;

    void SetText(const char* text, int n);
    void AppendText(const char* text);
    void PadLeft(int count);
    int FindLast(char c) const;
    int Compare(const char* text) const;
    bool ListContains(const tnStringC* item) const;
    void ReleaseList();

    char m_strData[BufferSize];
    tnStringC* m_pkNext;  // the rest of the list, owned by this string
};

// Turns a digit string and decimal position (as _fcvt/_ecvt produce them)
// into readable text such as "12.345" or "-0.5". The result is a new buffer
// of 120 characters that the caller releases with delete[].
char* ConvertFloatStringToRealString(char* digits, int decimalPosition, int negative);

// A write cursor into a caller's buffer; the caller makes the buffer big enough.
struct STRING_POINTER {
    char* m_pPosition = nullptr;

    STRING_POINTER& operator=(char* buffer);
    // Copies text with its terminator and moves past the text.
    STRING_POINTER& operator+=(const char* text);
    STRING_POINTER& operator+(const char* text);
    STRING_POINTER& operator+=(const tnStringC& text);
    STRING_POINTER& operator+(const tnStringC& text);
    // Stores one character without a terminator.
    STRING_POINTER& operator+=(int c);
    STRING_POINTER& operator+(int c);
};

#endif

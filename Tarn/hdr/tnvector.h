#ifndef TNVECTOR_H
#define TNVECTOR_H

#include "tnerror.h"
#include "tnlog.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

// The one place where a tnVector gets and gives back memory and the one place
// where it gives up. Tests swap Reallocate to simulate running out of memory.
struct tnVectorMemory {
    static void* DefaultReallocate(void* pBlock, std::size_t iBytes) { return std::realloc(pBlock, iBytes); }
    static void Release(void* pBlock) { std::free(pBlock); }

    // Running out of memory is not something the game can recover from; it
    // leaves quietly after the log line says why.
    [[noreturn]] static void EndProcess() { std::exit(0); }

    static inline void* (*Reallocate)(void*, std::size_t) = &DefaultReallocate;
};

// The engine's growable array: one heap block resized with realloc, 16-bit
// counts. Appends grow by 4 up to 32 elements, then double, then add 1024 at
// a time. Elements are constructed when they come into use and destroyed
// when they leave, but the block itself moves as raw bytes: T must stay valid
// when copied byte for byte (no pointer into the object itself).
template <class T>
class tnVector {
public:
    // Counts are 16-bit: no vector ever holds more than this many elements.
    static constexpr tnUInt32 MaxElements = 65535;
    // Growth thresholds, named as the failure log names them.
    static constexpr tnUInt32 MaxCutOffSize = 32;
    static constexpr tnUInt32 MaxExpandSize = 1024;

    tnVector() : m_pData(nullptr), m_iSize(0), m_iCapacity(0) {}
    ~tnVector() { clear(); }

    // Copies get a block of their own, sized to fit.
    tnVector(const tnVector& other) : tnVector() { AppendAll(other); }
    tnVector(tnVector&& other) noexcept : tnVector() { Swap(other); }
    tnVector& operator=(const tnVector& other)
    {
        if (this != &other) {
            tnVector kCopy(other);
            Swap(kCopy);
        }
        return *this;
    }
    tnVector& operator=(tnVector&& other) noexcept
    {
        if (this != &other) {
            clear();
            Swap(other);
        }
        return *this;
    }

    tnUInt32 size() const { return m_iSize; }
    tnUInt32 capacity() const { return m_iCapacity; }

    // No bounds check: callers stay below size() (or the capacity after set_size).
    T& operator[](tnUInt32 i) { return m_pData[i]; }
    const T& operator[](tnUInt32 i) const { return m_pData[i]; }

    T* GetArray() { return m_pData; }
    T* end() { return m_pData + m_iSize; }

    // Makes the block hold exactly size + n elements (which may shrink it).
    bool reserve(tnUInt32 n)
    {
        if (n == 0)
            return true;
        if (n > MaxElements - m_iSize || !Resize(m_iSize + n)) {
            Log("Fail to allocate memory in tnVector::reserve\n");
            return false;
        }
        return true;
    }

    // Sets the number of elements in use; shrinking keeps the block.
    void set_size(tnUInt32 n)
    {
        if (n > m_iCapacity) {
            if (n > MaxElements || !Resize(n)) {
                Log("Fail to allocate memory in tnVector::set_size()\n");
                tnVectorMemory::EndProcess();
            }
        }
        for (tnUInt32 i = n; i < m_iSize; ++i)
            m_pData[i].~T();
        for (tnUInt32 i = m_iSize; i < n; ++i)
            new (m_pData + i) T();
        m_iSize = static_cast<tnUInt16>(n);
    }

    void push_back(const T& value)
    {
        if (m_iSize < m_iCapacity) {
            new (m_pData + m_iSize) T(value);
            ++m_iSize;
            return;
        }
        // value may live in this very block, which is about to move.
        const T* pValue = &value;
        const bool bInside = m_pData && pValue >= m_pData && pValue < m_pData + m_iSize;
        const std::size_t iValueIndex = bInside ? static_cast<std::size_t>(pValue - m_pData) : 0;
        Grow();
        new (m_pData + m_iSize) T(bInside ? m_pData[iValueIndex] : value);
        ++m_iSize;
    }

    // Removes the element at position; the block shrinks by one element.
    // Returns the slot that now holds the following element.
    T* erase(T* position)
    {
        if (!m_pData || position < m_pData || position >= end())
            return position;
        const std::size_t iIndex = static_cast<std::size_t>(position - m_pData);
        position->~T();
        std::memmove(static_cast<void*>(position), static_cast<const void*>(position + 1),
                     (m_iSize - iIndex - 1) * sizeof(T));
        --m_iSize;
        if (m_iSize == 0) {
            clear();
            return m_pData;
        }
        if (m_iCapacity > m_iSize && !Resize(m_iCapacity - 1u)) {
            Log("Fail to allocate memory in tnVector::erase\n");
            tnVectorMemory::EndProcess();
        }
        return m_pData + iIndex;
    }

    void clear()
    {
        for (tnUInt32 i = 0; i < m_iSize; ++i)
            m_pData[i].~T();
        if (m_pData)
            tnVectorMemory::Release(m_pData);
        m_pData = nullptr;
        m_iSize = 0;
        m_iCapacity = 0;
    }

private:
    // Reallocates the block to exactly iCount elements (iCount >= m_iSize).
    // On failure the old block and counts stay as they were.
    bool Resize(tnUInt32 iCount)
    {
        void* pBlock = tnVectorMemory::Reallocate(m_pData, iCount * sizeof(T));
        if (!pBlock)
            return false;
        m_pData = static_cast<T*>(pBlock);
        m_iCapacity = static_cast<tnUInt16>(iCount);
        return true;
    }

    // Makes room for one more element following the growth rule; a full
    // 16-bit count is treated like running out of memory.
    void Grow()
    {
        if (!m_pData) {
            if (!Resize(4)) {
                Log("Fail to allocate memory in tnVector::push_back at 1\n");
                tnVectorMemory::EndProcess();
            }
            return;
        }
        tnUInt32 iStep = 4;
        if (m_iSize > MaxCutOffSize)
            iStep = m_iSize < MaxExpandSize ? m_iSize : MaxExpandSize;
        tnUInt32 iNewCapacity = m_iCapacity + iStep;
        if (iNewCapacity > MaxElements)
            iNewCapacity = MaxElements;
        if (m_iCapacity >= MaxElements || !Resize(iNewCapacity)) {
            Log("Fail to allocate memory tnVector::push_back at 2,cap=%d, extra=%d\n",
                static_cast<int>(m_iCapacity), static_cast<int>(iStep));
            Log("VecotrMaxCutOffSize=%d, MaxExpandSize=%d, msize=%d\n",
                static_cast<int>(MaxCutOffSize), static_cast<int>(MaxExpandSize), static_cast<int>(m_iSize));
            tnVectorMemory::EndProcess();
        }
    }

    void AppendAll(const tnVector& other)
    {
        reserve(other.m_iSize);
        for (tnUInt32 i = 0; i < other.m_iSize; ++i)
            push_back(other.m_pData[i]);
    }

    void Swap(tnVector& other) noexcept
    {
        std::swap(m_pData, other.m_pData);
        std::swap(m_iSize, other.m_iSize);
        std::swap(m_iCapacity, other.m_iCapacity);
    }

    T* m_pData;             // null when the vector owns no block
    tnUInt16 m_iSize;       // elements in use
    tnUInt16 m_iCapacity;   // elements the block can hold
};

#endif

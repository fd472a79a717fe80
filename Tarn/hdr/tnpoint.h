#ifndef TNPOINT_H
#define TNPOINT_H

// A two-component point; the engine uses it as tnPoint<tnReal32>.
template <class T>
class tnPoint {
public:
    tnPoint() : x(0), y(0) {}
    tnPoint(const tnPoint<T>& other) : x(other.x), y(other.y) {}
    virtual ~tnPoint() {}

    void SetX(T value) { x = value; }
    void SetY(T value) { y = value; }
    T GetX() const { return x; }
    T GetY() const { return y; }

    tnPoint<T>& Copy(const tnPoint<T>& other)
    {
        x = other.x;
        y = other.y;
        return *this;
    }
    tnPoint<T>& operator=(const tnPoint<T>& other) { return Copy(other); }

    T x;
    T y;
};

#endif

#pragma once
// The centre page's displacement from its fitted frame: each edge's offset along its axis
// (negative left = moved left, positive right = moved right). All zero is at rest.

struct TTPageEdges {
    double top = 0, left = 0, bottom = 0, right = 0;

    bool isZero() const { return top == 0 && left == 0 && bottom == 0 && right == 0; }
    bool operator==(const TTPageEdges&) const = default;
};

inline TTPageEdges operator+(const TTPageEdges& a, const TTPageEdges& b)
{
    return {a.top + b.top, a.left + b.left, a.bottom + b.bottom, a.right + b.right};
}

inline TTPageEdges operator-(const TTPageEdges& a, const TTPageEdges& b)
{
    return {a.top - b.top, a.left - b.left, a.bottom - b.bottom, a.right - b.right};
}

inline TTPageEdges operator*(const TTPageEdges& a, double k)
{
    return {a.top * k, a.left * k, a.bottom * k, a.right * k};
}

#include <gtest/gtest.h>

#include <afxwin.h>

namespace {

TEST(GeometryTest, RectangleArithmetic) {
    struct Case {
        const char* name;
        void (*change)(CRect&);
        CRect expected;
    };
    const Case cases[] = {
        {"offset", [](CRect& r) { r.OffsetRect(5, -5); }, CRect(15, 15, 45, 65)},
        {"offset by a point", [](CRect& r) { r.OffsetRect(CPoint(-10, -20)); }, CRect(0, 0, 30, 50)},
        {"inflate", [](CRect& r) { r.InflateRect(2, 3); }, CRect(8, 17, 42, 73)},
        {"inflate each side", [](CRect& r) { r.InflateRect(1, 2, 3, 4); }, CRect(9, 18, 43, 74)},
        {"deflate", [](CRect& r) { r.DeflateRect(5, 5); }, CRect(15, 25, 35, 65)},
        {"deflate each side", [](CRect& r) { r.DeflateRect(1, 2, 3, 4); }, CRect(11, 22, 37, 66)},
        {"move to a place", [](CRect& r) { r.MoveToXY(0, 0); }, CRect(0, 0, 30, 50)},
        {"normalise a turned rectangle",
         [](CRect& r) {
             r.SetRect(40, 70, 10, 20);
             r.NormalizeRect();
         },
         CRect(10, 20, 40, 70)},
        {"intersection",
         [](CRect& r) {
             CRect a = r;
             r.IntersectRect(&a, CRect(30, 0, 100, 30));
         },
         CRect(30, 20, 40, 30)},
        {"no overlap gives the empty rectangle",
         [](CRect& r) {
             CRect a = r;
             r.IntersectRect(&a, CRect(100, 100, 120, 120));
         },
         CRect(0, 0, 0, 0)},
        {"union",
         [](CRect& r) {
             CRect a = r;
             r.UnionRect(&a, CRect(0, 0, 5, 5));
         },
         CRect(0, 0, 40, 70)},
    };
    for (const Case& c : cases) {
        CRect r(10, 20, 40, 70);
        c.change(r);
        EXPECT_EQ(c.expected, r) << c.name << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
}

TEST(GeometryTest, RectangleMeasures) {
    CRect r(10, 20, 40, 70);
    EXPECT_EQ(30, r.Width());
    EXPECT_EQ(50, r.Height());
    EXPECT_EQ(CSize(30, 50), r.Size());
    EXPECT_EQ(CPoint(25, 45), r.CenterPoint());
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(40, 70))) << "right and bottom lie outside";
    EXPECT_TRUE(CRect(5, 5, 5, 9).IsRectEmpty());
    EXPECT_TRUE(CRect().IsRectNull());
    EXPECT_EQ(CRect(1, 2, 4, 6), CRect(CPoint(1, 2), CSize(3, 4)));
}

TEST(GeometryTest, PointFromMessageKeepsNegativeCoordinates) {
    // Pointer positions left of or above a window come packed as 16-bit two's complement.
    EXPECT_EQ(CPoint(-3, 7), CPoint(MAKELPARAM((WORD)-3, 7)));
    EXPECT_EQ(CPoint(100, -200), CPoint(MAKELPARAM(100, (WORD)-200)));
    EXPECT_EQ(CSize(3, -4), CPoint(5, 1) - CPoint(2, 5));
}

TEST(GeometryTest, ByteArrayGrowsAndShrinks) {
    CByteArray bytes;
    EXPECT_EQ(nullptr, bytes.GetData());
    bytes.Add(1);
    bytes.Add(2);
    bytes.InsertAt(4, 9);  // past the end: the gap is zeros
    ASSERT_EQ(5, bytes.GetSize());
    const BYTE expected[] = {1, 2, 0, 0, 9};
    EXPECT_EQ(0, memcmp(expected, bytes.GetData(), 5));
    bytes.RemoveAt(3, 100);  // only what lies inside goes
    EXPECT_EQ(3, bytes.GetSize());
    bytes.RemoveAt(7);
    EXPECT_EQ(3, bytes.GetSize());
    bytes[0] = 7;
    EXPECT_EQ(7, bytes.GetAt(0));
    bytes.SetSize(1);
    CByteArray copy;
    copy.Append(bytes);
    copy.Append(bytes);
    EXPECT_EQ(2, copy.GetSize());
    EXPECT_EQ(7, copy[1]);
}

}  // namespace

#pragma once

#include <QByteArray>

#include <array>

namespace brenlow::content {

// The rate table "temp3.bmp": one column for each high-water height at Portsmouth from 3.4 to
// 5.0 m in 0.1 m steps, one row for each stream strength. A stream's rate is taken to scale
// with the day's range, and the range with the high-water height, on Portsmouth's figures:
//   range(H) = 1.9 + (H - 3.8) * (3.9 - 1.9) / (4.7 - 3.8)   metres
// (a neap high water of 3.8 m has a range of 1.9 m, a spring high water of 4.7 m one of 3.9 m).
// Row j (1..50) is the stream whose rate at 4.3 m is 0.1 * (j - 1) knots; its rate at height
// H is that times range(H) / range(4.3), kept in hundredths of a knot. Row 1 is slack water
// (0 everywhere), so a stored rate of 0 stays 0 whatever the height.
class RateTableModel
{
public:
    static constexpr int Columns = 17;
    static constexpr int Rows = 50;

    RateTableModel();

    static double Range(double height);
    // Column 1..17 holds the height 3.3 + 0.1 * column.
    static int HeightTenths(int column) { return 33 + column; }
    // The value of row 1..50 in column 1..17, in hundredths of a knot.
    int Hundredths(int row, int column) const { return values_[row][column]; }

    // The rate to store for a station, in tenths of a knot, from its rate at springs: the
    // stream row nearest to it, written so that the program's look-up (the first row whose
    // value in the reference column is at least the stored rate) finds that very row. For a
    // 4.3 m reference that is the row's value itself; for 4.7 m, whose rows lie more than 0.1
    // apart, it is the row's value cut down to tenths.
    int StoredTenths(double springRate, bool springReferenced) const;
    // The program's look-up: the row found for a stored rate in a column, 0 when none.
    int RowFor(int storedTenths, int column) const;
    static int ColumnOf(int heightTenths) { return heightTenths - 33; }

    // The file's text: the heights line, then one line per row, CR LF line ends.
    QByteArray FileText() const;

private:
    std::array<std::array<int, Columns + 1>, Rows + 1> values_{};
};

} // namespace brenlow::content

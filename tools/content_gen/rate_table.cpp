#include "rate_table.h"

#include <QString>

#include <algorithm>
#include <cmath>

namespace brenlow::content {

namespace {

QByteArray Decimal(int hundredths)
{
    return QString::asprintf("%d.%02d", hundredths / 100, hundredths % 100).toLatin1();
}

} // namespace

double RateTableModel::Range(double height)
{
    return 1.9 + (height - 3.8) * (3.9 - 1.9) / (4.7 - 3.8);
}

RateTableModel::RateTableModel()
{
    for (int row = 1; row <= Rows; ++row)
        for (int column = 1; column <= Columns; ++column) {
            const double factor = Range(HeightTenths(column) / 10.0) / Range(4.3);
            values_[row][column] = static_cast<int>(std::lround(10.0 * (row - 1) * factor));
        }
}

int RateTableModel::StoredTenths(double springRate, bool springReferenced) const
{
    const double rateAtDefault = springRate * Range(4.3) / Range(4.7);
    const int row = std::clamp(1 + static_cast<int>(std::lround(rateAtDefault * 10.0)), 1, Rows);
    const int column = ColumnOf(springReferenced ? 47 : 43);
    return Hundredths(row, column) / 10;
}

int RateTableModel::RowFor(int storedTenths, int column) const
{
    for (int row = 1; row <= Rows; ++row)
        if (Hundredths(row, column) >= storedTenths * 10)
            return row;
    return 0;
}

QByteArray RateTableModel::FileText() const
{
    QByteArray text;
    for (int column = 1; column <= Columns; ++column) {
        if (column > 1)
            text += ',';
        const int tenths = HeightTenths(column);
        text += QByteArray::number(tenths / 10) + '.' + QByteArray::number(tenths % 10);
    }
    text += "\r\n";
    for (int row = 1; row <= Rows; ++row) {
        for (int column = 1; column <= Columns; ++column) {
            if (column > 1)
                text += ',';
            text += Decimal(Hundredths(row, column));
        }
        text += "\r\n";
    }
    return text;
}

} // namespace brenlow::content

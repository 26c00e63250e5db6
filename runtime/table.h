// SPDX-License-Identifier: GPL-3.0-or-later
// Fixed tables with inclusive row bounds starting at 0.
//
// A table declared with UpperRow 1000 has the rows 0 to 1000. Every access
// checks its row at the moment of the access and raises the
// subscript-out-of-range error outside the bounds; columns are checked the
// same way, although the game only ever uses the constants 0 and 1.
#pragma once

#include <array>
#include <string>

#include "errors.h"

namespace galgen {

template <typename T, int UpperRow, int Columns = 2>
class Table {
public:
    static constexpr int upperRow = UpperRow;
    static constexpr int columns = Columns;

    T& at(int row, int column) { return rows_[check(row, column)][static_cast<std::size_t>(column)]; }
    const T& at(int row, int column) const { return rows_[check(row, column)][static_cast<std::size_t>(column)]; }

private:
    static std::size_t check(int row, int column)
    {
        if (row < 0 || row > UpperRow || column < 0 || column >= Columns)
            raise(ErrorKind::SubscriptOutOfRange,
                  "Zeile " + std::to_string(row) + ", Spalte " + std::to_string(column));
        return static_cast<std::size_t>(row);
    }

    std::array<std::array<T, Columns>, UpperRow + 1> rows_{};
};

}  // namespace galgen

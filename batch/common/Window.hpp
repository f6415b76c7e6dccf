// The sliding window of eleven rows and the roll back-adjustment that both
// batch programs run at the start of every step.
#pragma once

#include "DigitField.hpp"
#include "RunControl.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

namespace batch {

constexpr int kTableSize = 6000;

struct WindowCounters {
    DigitField<2> windowLength{"11"};
    DigitField<5> rowCounter{"00000"};   // load row; in the compute loop the window's first row
    DigitField<5> windowEnd{"00001"};    // the current row
    DigitField<5> previousRow{"00000"};  // kept by MVR only
    DigitField<5> nextRow{"00000"};      // kept by MVR only
    DigitField<5> adjustCount{"00000"};
    DigitField<5> adjustRow{"00000"};
};

enum class NeighbourRows { Kept, NotKept };

// A table of rows indexed 1..6000 through the subscript check. Room for
// all rows is reserved at once but left untouched; rows are made in order
// as the indexes used reach them, so a table costs what the rows used need,
// whatever the input's length, and a row never moves once made.
template <class Row>
class RowTable {
public:
    static_assert(std::is_trivially_copyable_v<Row>, "rows are made by copying and released without destruction");

    RowTable() : rows_(static_cast<Row*>(::operator new(sizeof(Row) * kTableSize))) {}
    ~RowTable() { ::operator delete(rows_); }
    RowTable(const RowTable&) = delete;
    RowTable& operator=(const RowTable&) = delete;

    [[gnu::always_inline]] Row& At(long long index)
    {
        SubscriptCheck(index, kTableSize);
        if (index > made_) [[unlikely]]
            MakeRows(index);
        return rows_[index - 1];
    }
    template <class Field>
        requires requires(const Field& f) { f.AsInteger(); }
    Row& At(const Field& index) { return At(index.AsInteger()); }

    // Rows first..last (first <= last) side by side, with the checks At
    // makes on each index in turn: the first index outside the table fails.
    Row* Span(long long first, long long last)
    {
        SubscriptCheck(first, kTableSize);
        if (last > kTableSize) [[unlikely]]
            SubscriptFailure(kTableSize + 1, kTableSize);
        if (last > made_) [[unlikely]]
            MakeRows(last);
        return rows_ + (first - 1);
    }

private:
    [[gnu::noinline]] void MakeRows(long long index)
    {
        // Every new row is a copy of one made with its own start values.
        static const Row fresh{};
        for (; made_ < index; ++made_) std::memcpy(static_cast<void*>(rows_ + made_), &fresh, sizeof(Row));
    }

    Row* rows_;
    long long made_ = 0;  // rows 1..made_ exist
};

// The rows a step needs of a table indexed 1..6000 through the subscript
// check: the last Recent indexes used share Recent rows round robin, so a
// row holds good until an index Recent or more above it is used. For
// tables whose steps write their own row whole before reading it, and read
// back only rows fewer than Recent before it.
template <class Row, int Recent>
class RecentRows {
public:
    Row& At(long long index)
    {
        SubscriptCheck(index, kTableSize);
        return rows_[static_cast<std::size_t>(index - 1) % Recent];
    }
    template <class Field>
        requires requires(const Field& f) { f.AsInteger(); }
    Row& At(const Field& index) { return At(index.AsInteger()); }

private:
    std::array<Row, Recent> rows_{};
};

// Row types name the price fields that the adjustment changes, in order,
// and their roll adjustment field:
//   static constexpr auto kAdjustedPrices = std::array{&Row::high, ...};
//   static constexpr auto kRollAdjustment = &Row::rollAdjustment;
template <class Row, class Action, std::size_t... I>
[[gnu::always_inline]] inline void ForEachPrice(Row& row, Action action, std::index_sequence<I...>)
{
    (action(row.*Row::kAdjustedPrices[I]), ...);
}

template <class Row>
void BackAdjustWindow(WindowCounters& w, RowTable<Row>& table)
{
    // The current row's roll adjustment is added to each price of the rows
    // before it; the stored price keeps only the magnitude's low six digits.
    // The adjustment field is never changed, so it is read once.
    const auto& roll = table.At(w.windowEnd).*Row::kRollAdjustment;
    const auto count = w.adjustCount.AsInteger();
    using Price = std::remove_reference_t<decltype(std::declval<Row&>().*Row::kAdjustedPrices[0])>;
    using Roll = std::remove_cvref_t<decltype(roll)>;
    const long long first = w.adjustRow.AsInteger() + 1;
    if constexpr (detail::kSameScale<Price, Roll>) {
        if (count > 0 && first + count - 1 <= 99999) {
            // The rows the counter steps through, without a carry out of
            // its five digits: taken side by side, the counter set to the
            // last at the end. Adding a zero roll stores each price again.
            Row* rows = table.Span(first, first + count - 1);
            const std::int64_t add = roll.Mantissa();
            constexpr auto prices = std::make_index_sequence<Row::kAdjustedPrices.size()>{};
            if (add == 0)
                for (long long n = 0; n < count; ++n) ForEachPrice(rows[n], [](Price& p) { p.Rewrite(); }, prices);
            else
                for (long long n = 0; n < count; ++n)
                    ForEachPrice(rows[n], [add](Price& p) { p.StoreMantissa(p.Mantissa() + add); }, prices);
            w.adjustRow.StoreMantissa(first + count - 1);
            return;
        }
    }
    for (long long n = 0; n < count; ++n) {
        DigitIncrement(w.adjustRow);
        Row& row = table.At(w.adjustRow);
        for (auto price : Row::kAdjustedPrices) DigitAdd(row.*price, row.*price, roll);
    }
}

template <class Row>
void SetUpWindow(WindowCounters& w, RowTable<Row>& table, NeighbourRows neighbours)
{
    // Whole numbers on whole-number fields: each store keeps the low digits
    // of the magnitude, as the general store does.
    const std::int64_t first = w.rowCounter.Mantissa(), length = w.windowLength.Mantissa();
    if (neighbours == NeighbourRows::Kept) w.nextRow.StoreMantissa(first + 1);
    w.windowEnd.StoreMantissa(first + length - 1);
    if (neighbours == NeighbourRows::Kept) w.previousRow.StoreMantissa(w.windowEnd.Mantissa() - 1);
    w.adjustCount.StoreMantissa(length - 1);
    w.adjustRow.StoreMantissa(w.windowEnd.Mantissa() - length);
    BackAdjustWindow(w, table);
}

}  // namespace batch

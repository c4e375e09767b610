#pragma once
// How list cells compare when a list is sorted by a column. Each column has a
// type character; CListViewMatrixSort takes one per column, e.g.
// "1132121522222222222222221" for the lab-turnover list:
//
//   '0'  not sortable: a click on the column's header leaves the order alone
//   '1'  text: letters without regard to case, umlauts as their base letter and
//        "ß" as "ss" (telephone-book order), other characters by code
//   '2'  number or amount in display form: "1.234,56", "-0,50", "(12,00)", " 7";
//        dots, apostrophes and blanks group digits, the comma is the decimal
//        mark; an empty cell counts as zero, because a zero amount is shown empty
//   '3'  date in display form "31.01.2024" (the stored form "20240131" too)
//   '4'  number with a decimal point: "12.50", Swiss "1'234.56"; empty is zero
//   '5'  invoice number: runs of digits compare as numbers ("1/7/42" before
//        "1/10/1", "99" before "100"), the rest as text; blanks around are ignored
//
// Any other character sorts as text. In ascending order empty cells of the types
// '1', '3' and '5' come first, and texts that do not fit a numeric or date type
// come after every value of that type. Sorting is stable.
#include "host/CString.h"

#include <compare>
#include <cstdint>
#include <string>

struct CMatrixSortKey {
    int nKlasse = 0;        // -1 empty, 0 a value of the column's type, 1 other text
    std::int64_t nWert = 0; // the value: ten-thousandths of a number, or YYYYMMDD
    std::string strText;    // folded text, for text columns and texts that fit no type

    static CMatrixSortKey Make(char cTyp, const CString& text);

    friend std::strong_ordering operator<=>(const CMatrixSortKey&, const CMatrixSortKey&) = default;
    friend bool operator==(const CMatrixSortKey&, const CMatrixSortKey&) = default;
};

// The parsers behind the keys, also used to recognise number columns.
// German display number (type '2'): value in ten-thousandths. False when no number.
bool ParseDisplayNumber(const CString& text, std::int64_t& nWert);
// Number with decimal point (type '4').
bool ParsePointNumber(const CString& text, std::int64_t& nWert);
// Date "DD.MM.YYYY" or "YYYYMMDD" as YYYYMMDD.
bool ParseDisplayDate(const CString& text, std::int64_t& nWert);

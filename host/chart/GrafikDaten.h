#pragma once
// What a chart draws, taken from the rows and columns of the chart dialog: the bar
// groups in the order of their first row, the series in the order of the columns,
// and one exact amount per group and series.
#include "host/Betrag.h"
#include "host/CString.h"
#include "host/chart/diaGrafik.h"

#include <optional>
#include <vector>

struct CGrafikSerie {
    CString strKey;
    CString strTitel; // the legend
    // One value per group; none where no row gives one.
    std::vector<std::optional<CWBetragBasis>> vecWerte;
};

struct CGrafikDaten {
    std::vector<CString> vecGruppen; // label of each bar group
    std::vector<CGrafikSerie> vecSerien;
    int nUngueltig = 0; // values that are no amount text; drawn as zero

    bool IsEmpty() const { return vecGruppen.empty(); }
};

// Rows with the same key and second key form one group; its label is the first
// row's title, followed by its second title when there is one (the key when the
// title is blank). A row whose column key names no column adds a series titled
// with the row's column title. Where several rows give a value for the same group
// and series, the first counts.
CGrafikDaten BaueGrafikDaten(const std::vector<CRows>& vecRows, const std::vector<CCols>& vecCols);

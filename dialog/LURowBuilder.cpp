#include "dialog/LURowBuilder.h"

#include "core/LUDefault.h"
#include "dialog/Format2Nk.h"
#include "host/TextUtil.h"
#include "host/gui/WPFMatrixBase.h"

#include <cstdlib>
#include <iterator>

namespace {

struct PlanArt {
    char cCode;
    const char* szText;
};
constexpr PlanArt kPlanArten[] = {{'c', "KCH"}, {'z', "ZE"},  {'k', "KFO"}, {'b', "KBR"},
                                  {'p', "PAR"}, {'i', "IMP"}, {'2', "ZE"},  {'e', "PAR"}};

// Writes the cells of one row; empty texts are skipped, a new row is empty already.
class CRowWriter {
public:
    CRowWriter(CWPFMatrixBase& matrix, int nRow) : m_matrix(matrix), m_nRow(nRow) {}
    void Set(int nCol, const CString& text) {
        if (!text.empty()) m_matrix.SetValue(m_nRow, nCol, text);
    }

private:
    CWPFMatrixBase& m_matrix;
    int m_nRow;
};

class CRowBuilder {
public:
    CRowBuilder(CRowWriter& out, const CLULabRech& r, const CLULabRechLst& b, STORNOTYP nTyp,
                const LURowContext& ctx)
        : m_out(out), m_r(r), m_b(b), m_nTyp(nTyp), m_ctx(ctx), m_nTab(ctx.nTab),
          m_settings(*ctx.pSettings) {}

    void Build() {
        m_out.Set(kColCheck, "False");
        m_out.Set(kColFarbe, Colour());
        TextColumns();
        if (m_ctx.bTechnMat)
            AmountsTechnMat();
        else
            AmountsNormal();
        RateColumns();
        m_out.Set(kColStorno, StrToExt(m_r.m_strStornoDatum, 5, 8));
    }

private:
    CString Fmt(const CDBetrag& betrag) const {
        return Format2Nk(betrag, m_r.m_nStornoTyp, m_ctx.cWaehrung);
    }
    bool Tab(std::initializer_list<int> tabs) const {
        for (const int n : tabs)
            if (n == m_nTab) return true;
        return false;
    }

    CString Colour() const {
        if (m_nTyp == kStornoDavor) return itoc(113);
        if (m_nTyp == kStornoImZeitraum) return itoc(114);
        return {};
    }

    CString RawDatum() const {
        if (m_ctx.bBezahlt) return m_r.m_strDatumAlt;
        if (m_settings.GetLstRechIdx() == 0 && m_settings.GetStetsLstDatum())
            return m_r.m_strLstDatum;
        return m_r.m_strRechDatum;
    }

    void TextColumns() {
        const CString strDatum = RawDatum();
        m_out.Set(kColDatum, StrToExt(strDatum, 5, 8));
        m_out.Set(kColPatNr, m_r.m_strPatNr);
        m_out.Set(kColPatName, m_r.m_strPatName);
        if (std::atoi(m_r.m_strPlanNr.c_str()) >= 1)
            m_out.Set(kColPlanNr, RightFix(m_r.m_strPlanNr, 2, ' '));
        if (m_ctx.bFiktiv) return;
        m_out.Set(kColPlanArt,
                  m_r.m_cPlanArt <= 0 ? m_r.m_strZusatzText : LUPlanArtText(m_r.m_cPlanArt));
        m_out.Set(kColRechNr, RechNr(strDatum));
    }

    // The running number replaces the invoice number for invoice years after 2019.
    CString RechNr(const CString& strDatum) const {
        CString t = m_r.m_strRechNr;
        if (m_settings.GetMitFortlRgNr() && !m_r.m_strFortlRgNr.empty() && strDatum.size() >= 4 &&
            strDatum.compare(0, 4, "2019") > 0)
            t = m_r.m_strFortlRgNr;
        t = Trim(t);
        return t.size() <= 8 ? RightFix(t, 8, ' ') : t;
    }

    void AmountsNormal() {
        m_out.Set(
            8, Fmt(m_nTab == 0 ? CDBetrag(m_b.m_TechnLst + m_b.m_TechnLstFrei) : m_b.m_TechnLst));
        m_out.Set(11, Fmt(m_b.m_Material));
        m_out.Set(13, Fmt(m_b.m_Metall));
    }

    // Sum of one slot over the four rate blocks.
    CDBetrag RateSum(CDBetrag CLULabRechLst::*pSlot) const {
        return m_r.m_Lst5.*pSlot + m_r.m_Lst7.*pSlot + m_r.m_Lst16.*pSlot + m_r.m_Lst19.*pSlot;
    }

    void AmountsTechnMat() {
        const bool bMwSt5 = m_b.m_MwStTechnLst5.IsPos();
        const bool bMwSt7 = m_b.m_MwStTechnLst7.IsPos();
        if ((Tab({0, 1}) && (bMwSt5 || bMwSt7)) || (m_nTab == 3 && bMwSt5) ||
            (m_nTab == 4 && bMwSt7))
            m_out.Set(8, Fmt(m_b.m_TechnLst));
        if (m_nTab == 0) {
            if (m_b.m_TechnLstFrei.IsPos())
                m_out.Set(9, Fmt(m_b.m_TechnLstFrei));
            else if (!bMwSt5 && !bMwSt7)
                m_out.Set(9, Fmt(m_b.m_TechnLst));
        } else if (m_nTab == 2) {
            m_out.Set(9, Fmt(m_b.m_TechnLstFrei));
        }
        m_out.Set(11, Fmt(TechnMat()));
        if (Tab({0, 2})) {
            CDBetrag praxMat = m_r.m_LstAlle.m_Material - RateSum(&CLULabRechLst::m_TechnMat);
            if (praxMat.IsNeg()) praxMat.Zero();
            m_out.Set(12, Fmt(praxMat));
        }
        if (Tab({0, 1, 3, 4})) m_out.Set(13, Fmt(m_b.m_Metall));
        ReducedVat();
    }

    CDBetrag TechnMat() const {
        switch (m_nTab) {
        case 0:
        case 1:
            return RateSum(&CLULabRechLst::m_TechnMat);
        case 3:
            return m_r.m_Lst5.m_TechnMat;
        case 4:
            return m_r.m_Lst7.m_TechnMat;
        case 5:
            return m_r.m_Lst16.m_TechnMat;
        case 6:
            return m_r.m_Lst19.m_TechnMat;
        default:
            return {};
        }
    }

    // Columns 14 .. 16: the VAT at 7 or 5 % on services, metal and technical material.
    void ReducedVat() {
        const bool b5 = Tab({0, 1, 3});
        const bool b7 = Tab({0, 1, 4});
        if (!b5 && !b7) return;
        CDBetrag lst, metall, mat;
        if (b5) {
            lst += m_b.m_MwStTechnLst5;
            metall += m_r.m_Lst5.m_MwStMetall5;
            mat += m_r.m_Lst5.m_TechnMat * 0.05;
        }
        if (b7) {
            lst += m_b.m_MwStTechnLst7;
            metall += m_r.m_Lst7.m_MwStMetall7;
            mat += m_r.m_Lst7.m_TechnMat * 0.07;
        }
        m_out.Set(14, Fmt(lst));
        m_out.Set(15, Fmt(metall));
        m_out.Set(16, Fmt(mat));
    }

    void RateColumns() {
        if (Tab({0, 1, 3})) m_out.Set(17, Fmt(m_r.m_Lst5.m_MwSt));
        if (Tab({0, 1, 4})) m_out.Set(18, Fmt(m_r.m_Lst7.m_MwSt));
        if (Tab({0, 1, 5})) m_out.Set(19, Fmt(m_r.m_Lst16.m_MwSt));
        if (Tab({0, 1, 6})) m_out.Set(20, Fmt(m_r.m_Lst19.m_MwSt));
        if (m_nTab != 2) m_out.Set(21, Fmt(m_b.m_MwSt));
        m_out.Set(22, Fmt(m_b.m_Netto));
        m_out.Set(23, Fmt(m_b.m_Brutto));
    }

    CRowWriter& m_out;
    const CLULabRech& m_r;
    const CLULabRechLst& m_b;
    STORNOTYP m_nTyp;
    const LURowContext& m_ctx;
    int m_nTab;
    const CLUDefault& m_settings;
};

} // namespace

CString LUPlanArtText(signed char cPlanArt) {
    for (const PlanArt& art : kPlanArten)
        if (art.cCode == cPlanArt) return art.szText;
    return {};
}

void BuildLURow(CWPFMatrixBase& matrix, int& nRow, const CLULabRech& r, const CLULabRechLst& b,
                STORNOTYP nTyp, const LURowContext& ctx) {
    ++nRow;
    matrix.DoAdd();
    CRowWriter out(matrix, nRow);
    CRowBuilder(out, r, b, nTyp, ctx).Build();
}

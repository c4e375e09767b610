#pragma once
// The surroundings of the commercial-lab dialog tests: a practice database with
// three lab customers (103 without address), four customer invoices (one
// cancelled, given out of date order) and the dialog opened headless on them.
//
//   row by date  customer  invoice  date        techn.  VAT    gross   cancelled
//   D            103       230004   07.01.2023    9,00   0,70   10,70
//   A            101       230001   06.03.2023  100,00  10,00  135,00
//   B            102       230002   10.05.2023  200,00  38,00  238,00
//   C            101       230003   06.08.2023   50,00   5,00   55,00  yes
#include "glab/diaAwGlab.h"
#include "host/HostServices.h"
#include "host/ScriptedHostServices.h"
#include "host/db/ZAdr.h"
#include "host/db/ZGLKu.h"
#include "host/stat/StatAccu.h"

#include "support/GuiTestApp.h"
#include "support/TempPracticeDb.h"

#include <QHeaderView>
#include <QTableView>
#include <QTest>

#include <memory>

// The edit command calls the recording module of the tests.
class CdiaAwGlabTest : public CdiaAwGlab {
public:
    using CdiaAwGlab::CdiaAwGlab;

protected:
    CString ModulOrdner() const override { return VX_TEST_MODUL_DIR; }
};

inline CGlabFakt GlabTestFakt(const char* szKunde, const char* szRechNr, const char* szDatum,
                              long long nTechn, long long nMaterial, long long nMetall,
                              long long nMwSt, bool bStorno) {
    CGlabFakt f;
    f.m_strLabKu = szKunde;
    f.m_strRechNr = szRechNr;
    f.m_strDatum = szDatum;
    f.m_strAnzRech = "2";
    f.m_strInfo3 = CString("I3-") + szRechNr;
    f.m_strInfo5 = CString("I5-") + szRechNr;
    f.m_TechnLst = CVzW7Betrag::FromCent(nTechn);
    f.m_Material = CVzW7Betrag::FromCent(nMaterial);
    f.m_Metall = CVzW7Betrag::FromCent(nMetall);
    f.m_Betrag4 = CVzW7Betrag::FromCent(0);
    f.m_MwSt = CVzW7Betrag::FromCent(nMwSt);
    f.m_Netto = CVzW7Betrag::FromCent(nTechn + nMaterial + nMetall);
    f.m_Brutto = CVzW7Betrag::FromCent(nTechn + nMaterial + nMetall + nMwSt);
    f.m_bStorno = bStorno;
    return f;
}

class GlabDialogFixture {
protected:
    GlabDialogFixture() {
        GuiTestApp();
        m_previous = InstallHostServices(m_scripted);
        m_accu.SetPeriod("20230101", "20231231");
        AddKunde("101", "GL1", {"Zahnarztpraxis", "Dr. Anna Berg", "", "Gemeinschaftspraxis"});
        AddKunde("102", "GL2", {"Praxis", "", "  ", ""});
        AddKunde("103", "GLX", {}); // its address is missing
        m_sum.m_vecFakt = {GlabTestFakt("101", "230001", "20230306", 10000, 2000, 500, 1000, false),
                           GlabTestFakt("102", "230002", "20230510", 20000, 0, 0, 3800, false),
                           GlabTestFakt("101", "230003", "20230806", 5000, 0, 0, 500, true),
                           GlabTestFakt("103", "230004", "20230107", 900, 100, 0, 70, false)};
        // The net of a row never enters the totals: this one is off by a cent.
        m_sum.m_vecFakt[3].m_Netto = CVzW7Betrag::FromCent(999);
    }
    ~GlabDialogFixture() { InstallHostServices(m_previous); }

    void AddKunde(const char* szNr, const char* szAdr, std::vector<CString> vecNamen) {
        CZGLKu ku(&dbDatabase);
        ku.m_strKuNr = szNr;
        ku.m_strName = CString("Kunde ") + szNr;
        ku.m_strAdrId = szAdr;
        EXPECT_EQ(ku.Write(), CTKRSet::kOk);
        if (vecNamen.empty()) return;
        CZAdr adr(&dbDatabase);
        adr.m_strAdrId = szAdr;
        adr.m_strName1 = vecNamen[0];
        adr.m_strName2 = vecNamen[1];
        adr.m_strName3 = vecNamen[2];
        adr.m_strName4 = vecNamen[3];
        EXPECT_EQ(adr.Write(), CTKRSet::kOk);
    }

    std::unique_ptr<CdiaAwGlabTest> Open(const CString& strLabKu = "") {
        auto p = std::make_unique<CdiaAwGlabTest>(m_sum, &m_accu, strLabKu, nullptr);
        EXPECT_TRUE(p->Create());
        p->GetDialog()->show();
        QCoreApplication::processEvents();
        return p;
    }

    static QTableView& Table(CdiaAwGlab& d) {
        return *static_cast<QTableView*>(d.m_lvListe.GetWidget());
    }
    static void ClickCell(CdiaAwGlab& d, int nRow, int nCol, Qt::KeyboardModifiers mod = {}) {
        QTableView& table = Table(d);
        const QRect rect = table.visualRect(table.model()->index(nRow, nCol));
        QTest::mouseClick(table.viewport(), Qt::LeftButton, mod, rect.center());
    }
    static void ClickHeader(CdiaAwGlab& d, int nCol) {
        QHeaderView& header = *Table(d).horizontalHeader();
        QTest::mouseClick(header.viewport(), Qt::LeftButton, {},
                          QPoint(header.sectionViewportPosition(nCol) + 5, header.height() / 2));
    }
    // The invoice numbers of the displayed rows, in list order, joined by blanks.
    static CString RechNrn(CdiaAwGlab& d) {
        CString s;
        for (int n = 0; n < d.m_matListe.Count(); ++n)
            s += (n ? " " : "") + d.m_matListe.GetValue(n, kGlabColRechNr);
        return s;
    }
    static CString Marks(CdiaAwGlab& d) {
        CString s;
        for (int n = 0; n < d.m_matListe.Count(); ++n)
            s += d.m_matListe.GetValue(n, kGlabColCheck) == "True" ? "x" : "-";
        return s;
    }
    static int RowOf(CdiaAwGlab& d, const char* szRechNr) {
        return d.m_matListe.FindRow(szRechNr, kGlabColRechNr);
    }

    TempPracticeDb m_db;
    std::shared_ptr<CScriptedHostServices> m_scripted = std::make_shared<CScriptedHostServices>();
    std::shared_ptr<IHostServices> m_previous;
    CStatAccu m_accu;
    CGlabSum m_sum;
};

// Module "VXLAB", the lab-invoice program as the statistics call it: a read-only
// window on the lab invoices of one patient and plan in the practice database.
#include "host/ModulEinstiege.h"
#include "host/TextUtil.h"
#include "host/db/ZFakt.h"
#include "host/db/ZPat.h"
#include "host/gui/QtText.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <type_traits>
#include <vector>

namespace {

// The invoices of one patient and plan, by date.
class CZFaktDesPlans : public CZFakt {
public:
    int GetFirst(const CString& strPatNr, const CString& strPlanNr) {
        return Query("pat_nr = ? AND plan_nr = ? ORDER BY datum, fakt_key", {strPatNr, strPlanNr});
    }
};

CString Betrag(const CDBetrag& betrag) {
    return betrag.IsZero() ? CString() : betrag.ToExtLong(0, true);
}

CString PatientText(const CString& strPatNr) {
    CZPat pat(&dbDatabaseRO);
    pat.m_strPatNr = strPatNr;
    if (pat.GetByK1(CTKRSet::kExact) != CTKRSet::kOk)
        return "Patient " + strPatNr + " ist nicht in der Praxisdatenbank.";
    const CString strName =
        pat.m_strVorname.empty() ? pat.m_strName : pat.m_strName + ", " + pat.m_strVorname;
    return "Patient: " + strName + " (Pat.-Nr. " + strPatNr + ")";
}

void FillTable(QTableWidget& table, const CString& strPatNr, const CString& strPlanNr) {
    const QStringList titles = {"Rechnung", "Datum",  "Techniker", "Techn. Leistungen",
                                "Material", "Metall", "USt.",      "Storniert am"};
    table.setColumnCount(static_cast<int>(titles.size()));
    table.setHorizontalHeaderLabels(titles);
    CZFaktDesPlans fakt;
    for (int nResult = fakt.GetFirst(strPatNr, strPlanNr); nResult == CTKRSet::kOk;
         nResult = fakt.Next()) {
        const LabBetrag betrag = fakt.GetLabBetrag();
        const auto Summe = [&](LabBetrag::Slot s) { return betrag.A(s) + betrag.B(s); };
        const std::vector<CString> vecCells = {
            fakt.m_strPatRechNr,
            Db2Date(fakt.m_strDatum),
            fakt.m_strTechnikerId,
            Betrag(Summe(LabBetrag::TechnLst)),
            Betrag(Summe(LabBetrag::Material1) + Summe(LabBetrag::Material2)),
            Betrag(Summe(LabBetrag::Metall)),
            Betrag(Summe(LabBetrag::MwSt)),
            Db2Date(fakt.m_strStornoDatum)};
        const int nRow = table.rowCount();
        table.insertRow(nRow);
        for (int nCol = 0; nCol < static_cast<int>(vecCells.size()); ++nCol) {
            auto* pItem = new QTableWidgetItem(ToQString(vecCells[nCol]));
            if (nCol >= 3 && nCol <= 6) pItem->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table.setItem(nRow, nCol, pItem);
        }
    }
    table.resizeColumnsToContents();
}

} // namespace

extern "C" void StartLabRechnung(CString strPatNr, CString strPlanNr) {
    // Without a window system (a batch run) there is nothing to show.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    auto* pWnd = new QDialog(QApplication::activeWindow());
    pWnd->setObjectName("VxLabRechnung");
    pWnd->setAttribute(Qt::WA_DeleteOnClose);
    const CString strPlan = strPlanNr.empty() ? CString("ohne Plan") : "Plan " + strPlanNr;
    pWnd->setWindowTitle(ToQString("Laborrechnungen, Patient " + strPatNr + ", " + strPlan));
    auto* pLayout = new QVBoxLayout(pWnd);
    const bool bDatenbank = dbDatabaseRO.IsOpen();
    pLayout->addWidget(new QLabel(ToQString(bDatenbank ? PatientText(strPatNr)
                                                       : CString("Keine Praxisdatenbank ge\xF6"
                                                                 "ffnet."))));
    auto* pTable = new QTableWidget(pWnd);
    pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pTable->verticalHeader()->hide();
    if (bDatenbank) FillTable(*pTable, strPatNr, strPlanNr);
    pLayout->addWidget(pTable);
    auto* pButtons = new QDialogButtonBox(pWnd);
    pButtons->addButton(QString::fromUtf8("Schließen"), QDialogButtonBox::RejectRole);
    QObject::connect(pButtons, &QDialogButtonBox::rejected, pWnd, &QDialog::close);
    pLayout->addWidget(pButtons);
    pWnd->resize(720, 320);
    pWnd->show();
    pWnd->raise();
}
static_assert(std::is_same_v<decltype(StartLabRechnung), StartLabRechnungFn>);

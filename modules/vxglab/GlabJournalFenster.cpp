// Module "vxglab", the commercial lab's invoice journal as the statistics call it:
// a read-only window on one customer invoice of the practice database and the
// invoice blocs collected in it.
#include "glab/GlabFakt.h"
#include "glab/GlabRech.h"
#include "host/ModulEinstiege.h"
#include "host/TextUtil.h"
#include "host/db/ZGLBloc.h"
#include "host/db/ZGLKu.h"
#include "host/db/ZGLKuFakt.h"
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

// The blocs that went into one customer invoice, by bloc key.
class CZGLBlocDerKundenrechnung : public CZGLBloc {
public:
    int GetFirst(const CString& strKuNr, const CString& strKufaktNr) {
        return Query("ku_nr = ? AND kufakt_nr = ? ORDER BY nr, rech_nr", {strKuNr, strKufaktNr});
    }
};

CString KopfText(const CString& strLabKu, const CString& strRechNr) {
    CZGLKu ku(&dbDatabaseRO);
    ku.m_strKuNr = strLabKu;
    const CString strKunde = ku.GetByK1(CTKRSet::kExact) == CTKRSet::kOk
                                 ? ku.m_strName + " (Kd.-Nr. " + strLabKu + ")"
                                 : "Laborkunde " + strLabKu + " (nicht in der Kundendatei)";
    CZGLKuFakt fakt(&dbDatabaseRO);
    fakt.m_strKuNr = strLabKu;
    fakt.m_strRechNr = strRechNr;
    if (fakt.GetByK1(CTKRSet::kExact) != CTKRSet::kOk)
        return strKunde + "\nDie Kundenrechnung " + strRechNr +
               " ist nicht in der Praxisdatenbank.";
    CGlabFakt f;
    f.MoveGLKuFakt(fakt);
    return strKunde + "\nKundenrechnung " + strRechNr + " vom " + Db2Date(f.m_strDatum) + ", " +
           f.m_strAnzRech + " Rechnungen" + (f.m_bStorno ? ", storniert" : "") + "\nTechn.Lst " +
           f.m_TechnLst.ToExt(0, true) + "   Material " + f.m_Material.ToExt(0, true) +
           "   Metall " + f.m_Metall.ToExt(0, true) + "   Ust " + f.m_MwSt.ToExt(0, true) +
           "   Gesamt " + f.m_Brutto.ToExt(0, true);
}

void FillTable(QTableWidget& table, const CString& strLabKu, const CString& strRechNr) {
    const QStringList titles = {"Bloc", "Rng.-Nr.", "Datum", "Patient", "Ust", "Gesamt"};
    table.setColumnCount(static_cast<int>(titles.size()));
    table.setHorizontalHeaderLabels(titles);
    CZGLBlocDerKundenrechnung bloc;
    for (int nResult = bloc.GetFirst(strLabKu, strRechNr); nResult == CTKRSet::kOk;
         nResult = bloc.Next()) {
        const CString strPatient = bloc.m_strTexte.substr(0, bloc.m_strTexte.find('\t'));
        const CVzW7Betrag brutto("e" + CGlabRech::GetGesamtBetragBrutto(bloc.m_strBetraege));
        const std::vector<CString> vecCells = {bloc.m_strNr,
                                               bloc.m_strRechNr,
                                               Db2Date(bloc.m_strDatum),
                                               strPatient,
                                               CVzW7Betrag(bloc.m_strMwSt).ToExt(0, true),
                                               brutto.ToExt(0, true)};
        const int nRow = table.rowCount();
        table.insertRow(nRow);
        for (int nCol = 0; nCol < static_cast<int>(vecCells.size()); ++nCol) {
            auto* pItem = new QTableWidgetItem(ToQString(vecCells[nCol]));
            if (nCol >= 4) pItem->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table.setItem(nRow, nCol, pItem);
        }
    }
    table.resizeColumnsToContents();
}

} // namespace

extern "C" int StartGlabRechJournalFromStatistic(CString strLabKu, CString strRechNr,
                                                 CString /*strInfo3*/, CString /*strInfo5*/) {
    // Without a window system (a batch run) there is nothing to show.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return 0;
    auto* pWnd = new QDialog(QApplication::activeWindow());
    pWnd->setObjectName("VxGlabJournal");
    pWnd->setAttribute(Qt::WA_DeleteOnClose);
    pWnd->setWindowTitle(ToQString("Rechnungsjournal Gewerbelabor, Kundenrechnung " + strRechNr));
    auto* pLayout = new QVBoxLayout(pWnd);
    const bool bDatenbank = dbDatabaseRO.IsOpen();
    pLayout->addWidget(new QLabel(ToQString(bDatenbank ? KopfText(strLabKu, strRechNr)
                                                       : CString("Keine Praxisdatenbank ge\xF6"
                                                                 "ffnet."))));
    auto* pTable = new QTableWidget(pWnd);
    pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pTable->verticalHeader()->hide();
    if (bDatenbank) FillTable(*pTable, strLabKu, strRechNr);
    pLayout->addWidget(pTable);
    auto* pButtons = new QDialogButtonBox(pWnd);
    pButtons->addButton(QString::fromUtf8("Schließen"), QDialogButtonBox::RejectRole);
    QObject::connect(pButtons, &QDialogButtonBox::rejected, pWnd, &QDialog::close);
    pLayout->addWidget(pButtons);
    pWnd->resize(720, 360);
    pWnd->show();
    pWnd->raise();
    return 0;
}
static_assert(std::is_same_v<decltype(StartGlabRechJournalFromStatistic), StartGlabRechJournalFn>);

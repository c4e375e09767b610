// Module "VxKfoPlan", the orthodontic-plan program as the statistics call it: a
// read-only window on one orthodontic plan with its patient and insurance.
#include "host/ModulEinstiege.h"
#include "host/TextUtil.h"
#include "host/db/ZPat.h"
#include "host/db/ZPlan.h"
#include "host/db/ZVDesc.h"
#include "host/db/ZVxKas.h"
#include "host/gui/QtText.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>

#include <type_traits>

namespace {

constexpr int kOk = 0;
constexpr int kFehler = 1;

CString PlanText(const CString& strPatNr, const CString& strPlanNr) {
    CZPlan plan(&dbDatabaseRO);
    plan.m_strPatNr = strPatNr;
    plan.m_strPlanNr = strPlanNr;
    if (plan.GetByK1(CTKRSet::kExact) != CTKRSet::kOk)
        return strPlanNr + " (nicht in der Praxisdatenbank)";
    CString strText = strPlanNr;
    if (!plan.m_strDatum.empty()) strText += " vom " + Db2Date(plan.m_strDatum);
    if (!plan.m_strZaLebId.empty()) strText += ", Behandler " + plan.m_strZaLebId;
    return strText;
}

CString VersicherungText(const CZVDesc& vdesc, const CZVxKas& kasse) {
    if (vdesc.m_strKassenNr.empty()) return "keine zum Plandatum";
    CString strText = kasse.m_strName.empty() ? vdesc.m_strKassenNr
                                              : kasse.m_strName + " (" + vdesc.m_strKassenNr + ")";
    if (vdesc.m_strVersArt == "P") strText += ", privat";
    if (vdesc.m_strVersArt == "G") strText += ", gesetzlich";
    return strText;
}

void AddRow(QFormLayout& form, const char* szTitel, const CString& strWert, const char* szName) {
    auto* pLabel = new QLabel(ToQString(strWert));
    pLabel->setObjectName(szName);
    pLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form.addRow(szTitel, pLabel);
}

} // namespace

extern "C" int StartKFOWithPatPlan(CZVDesc* pVDesc, CZPat* pPat, CZVxKas* pKasse, CString strPatNr,
                                   CString strPlanNr) {
    if (!pVDesc || !pPat || !pKasse) return kFehler;
    // Without a window system (a batch run) there is nothing to show.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return kFehler;
    auto* pWnd = new QDialog(QApplication::activeWindow());
    pWnd->setObjectName("VxKfoPlan");
    pWnd->setAttribute(Qt::WA_DeleteOnClose);
    pWnd->setWindowTitle(ToQString("KFO-Plan " + strPlanNr + ", Patient " + strPatNr));
    auto* pForm = new QFormLayout(pWnd);
    const CString strName =
        pPat->m_strVorname.empty() ? pPat->m_strName : pPat->m_strName + ", " + pPat->m_strVorname;
    AddRow(*pForm, "Patient:", strName + " (Pat.-Nr. " + strPatNr + ")", "Patient");
    AddRow(*pForm, "Geburtsdatum:", Db2Date(pPat->m_strGebDatum), "Geburtsdatum");
    AddRow(*pForm, "Plan:", dbDatabaseRO.IsOpen() ? PlanText(strPatNr, strPlanNr) : strPlanNr,
           "Plan");
    AddRow(*pForm, "Versicherung:", VersicherungText(*pVDesc, *pKasse), "Versicherung");
    auto* pButtons = new QDialogButtonBox(pWnd);
    pButtons->addButton(QString::fromUtf8("Schließen"), QDialogButtonBox::RejectRole);
    QObject::connect(pButtons, &QDialogButtonBox::rejected, pWnd, &QDialog::close);
    pForm->addRow(pButtons);
    pWnd->show();
    pWnd->raise();
    return kOk;
}
static_assert(std::is_same_v<decltype(StartKFOWithPatPlan), StartKFOWithPatPlanFn>);

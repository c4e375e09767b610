// The export command of the lab-turnover dialog: the shown view as a workbook.
#include "dialog/diaAwLU.h"

#include "dialog/LUExport.h"
#include "host/Cp1252.h"
#include "host/HostServices.h"
#include "host/VxStrings.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QUrl>

namespace {

constexpr int kTitelExport = 6; // caption of the export's messages

// The wait cursor for as long as the export runs.
class CWaitCursor {
public:
    CWaitCursor() {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~CWaitCursor() {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            QGuiApplication::restoreOverrideCursor();
    }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

bool HatBildschirm() {
    const QString strPlattform = QGuiApplication::platformName();
    return !strPlattform.isEmpty() && strPlattform != QLatin1String("offscreen") &&
           strPlattform != QLatin1String("minimal");
}

} // namespace

void CdiaAwLU::OnCTRL_A() {
    if (m_matListe.IsEmpty()) return;
    const std::string strPfad = ChooseExportPath();
    if (strPfad.empty()) return;
    CWaitCursor wait;
    if (ExportNach(strPfad)) {
        HaltI(kTitelExport, LUExportGespeichertText(Utf8ToCp1252(strPfad)));
        ShowExportFolder(strPfad);
    } else {
        HaltE(kTitelExport, LUExportFehlerText(Utf8ToCp1252(strPfad)));
    }
}

bool CdiaAwLU::ExportNach(const std::string& strPfadUtf8, bool bNurMarkierte) {
    if (m_nSelectedTab == kTabRanking) {
        const std::vector<LURankingBlock> vecBlocks =
            LURankingAusTabellen(m_dtRanking1, m_dtRanking2);
        return SaveLUWorkbook(strPfadUtf8, [&](CWorksheet& sheet, const LUExportStyles& styles) {
            WriteLURanking(sheet, styles, vecBlocks);
        });
    }
    LUExportListe liste;
    liste.pMatrix = &m_matListe;
    liste.bBezahlt = m_bBezahlt;
    liste.bFiktiv = m_bFiktiv;
    liste.bStorniert = m_bStorniert;
    liste.bMitPatName = m_Settings.GetMitPatName();
    liste.nLabRechDatumIdx = m_Settings.GetLabRechDatumIdx();
    liste.bStornoLabRech = m_Settings.GetStornoLabRech();
    liste.bMitTechnMat = IsMitTechnMat();
    liste.vecSummen = ExportSummen();
    liste.bNurMarkierte = bNurMarkierte;
    return SaveLUWorkbook(strPfadUtf8, [&](CWorksheet& sheet, const LUExportStyles& styles) {
        WriteLUListe(sheet, styles, liste);
    });
}

// The sum fields in the order of the amount columns of the export: those of the
// technical-material layout by the matrix column each amount column shows.
std::vector<CString> CdiaAwLU::ExportSummen() const {
    std::vector<CString> vecSummen;
    if (!IsMitTechnMat()) {
        for (const CWPFTKTextBlock& tb : m_tbSum)
            vecSummen.push_back(tb.GetText());
        return vecSummen;
    }
    for (int n : {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11})
        vecSummen.push_back(m_tbTechSum[n].GetText());
    vecSummen.push_back(m_tbSummeUst.GetText());
    vecSummen.push_back(m_tbSummeNetto.GetText());
    return vecSummen;
}

std::string CdiaAwLU::ChooseExportPath() {
    QFileDialog dlg(GetDialog(), QString(), QString(), QStringLiteral("Excel-Datei (*.xlsx)"));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(QStringLiteral("xlsx"));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().front().toStdString();
}

void CdiaAwLU::ShowExportFolder(const std::string& strPfadUtf8) {
    if (!HatBildschirm()) return;
    const QString strOrdner = QFileInfo(QString::fromStdString(strPfadUtf8)).absolutePath();
    QDesktopServices::openUrl(QUrl::fromLocalFile(strOrdner)); // a failure is of no concern
}

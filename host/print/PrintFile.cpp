#include "host/print/PrintFile.h"

#include "host/AtomicFile.h"
#include "host/Cp1252.h"
#include "host/HostServices.h"
#include "host/TextUtil.h"
#include "host/VxStrings.h"
#include "host/gui/GuiWnd.h"
#include "host/print/PrintRenderer.h"
#include "host/print/PrintVarFile.h"

#include <QApplication>
#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>

CString dbMdId = "1";

namespace {

std::string& PdfTarget() {
    static std::string strTarget;
    return strTarget;
}

constexpr int kPdfAufloesung = 300; // dots per inch of the PDF's coordinates

// Skipped records are reported in one message, the first few by name.
void MeldeFehler(const std::vector<CString>& vecFehler) {
    if (vecFehler.empty()) return;
    constexpr std::size_t kGezeigt = 5;
    CString strText;
    for (std::size_t n = 0; n < vecFehler.size() && n < kGezeigt; ++n)
        strText += vecFehler[n] + "\n";
    if (vecFehler.size() > kGezeigt)
        strText += Format("... und %zu weitere Fehler.", vecFehler.size() - kGezeigt);
    HaltE(kVxStrLaborumsatz, strText);
}

int SchreibePdf(const PrintDoc& doc, const std::string& strPdf, const CString& strDatum,
                const CString& strTitel) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfAufloesung);
        writer.setTitle(QString::fromUtf8(Cp1252ToUtf8(strTitel)));
        writer.setCreator("vxstat");
        SetupPrintPage(writer);
        if (RenderPrintDoc(doc, writer, strDatum) == 0) buffer.buffer().clear();
    }
    const QByteArray& bytes = buffer.data();
    if (bytes.isEmpty() ||
        !WriteFileAtomic(strPdf, std::string_view(bytes.constData(), bytes.size()))) {
        HaltE(kVxStrLaborumsatz, "Fehler beim Speichern der Datei:\n\n" + Utf8ToCp1252(strPdf));
        return 1;
    }
    return 0;
}

int ZeigeVorschau(CWnd* pParent, const PrintDoc& doc, const CString& strDatum) {
    // Without a screen (the offscreen platform of batch runs and tests) a modal
    // preview would wait for a click that never comes.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()) ||
        QGuiApplication::platformName() == QLatin1String("offscreen")) {
        HaltE(kVxStrLaborumsatz, "Ohne Bildschirm kann keine Druckvorschau gezeigt werden.");
        return 1;
    }
    QPrinter printer(QPrinter::HighResolution);
    SetupPrintPage(printer);
    QWidget* pWidget = pParent ? pParent->GetQWidget() : nullptr;
    QPrintPreviewDialog dialog(&printer, pWidget ? pWidget : QApplication::activeWindow());
    dialog.setWindowTitle("Druckvorschau");
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [&](QPrinter* pPrinter) { RenderPrintDoc(doc, *pPrinter, strDatum); });
    dialog.exec();
    return 0;
}

} // namespace

void SetPrintPdfTarget(const std::string& strPdfPath) {
    PdfTarget() = strPdfPath;
}

const std::string& GetPrintPdfTarget() {
    return PdfTarget();
}

int PrintFile(CWnd* pParent, const CString&, const CString&, const CString& strPath, int, int) {
    PrintDoc doc;
    std::vector<CString> vecFehler;
    if (!ReadPrintVarFile(strPath, doc, vecFehler)) {
        HaltE(kVxStrLaborumsatz,
              "Die Druckdatei kann nicht gelesen werden:\n\n" + Utf8ToCp1252(strPath));
        return 1;
    }
    MeldeFehler(vecFehler);
    const CString strDatum = Db2Date(GetTKDate());
    if (!PdfTarget().empty())
        return SchreibePdf(doc, PdfTarget(), strDatum, doc.Variable("Ueberschrift1"));
    return ZeigeVorschau(pParent, doc, strDatum);
}

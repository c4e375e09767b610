#include "host/chart/diaGrafik.h"

#include "host/AtomicFile.h"
#include "host/Cp1252.h"
#include "host/HostServices.h"
#include "host/chart/GrafikAnsicht.h"
#include "host/chart/GrafikDaten.h"
#include "host/gui/QtText.h"

#include <QApplication>
#include <QBuffer>
#include <QDialog>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPageLayout>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const kMeldungsTitel = "Diagramm";

bool HatApplication(CString& strError) {
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) return true;
    strError = "Das Diagramm kann ohne Bildschirmumgebung nicht gezeichnet werden.";
    return false;
}

QPushButton* NeuerKnopf(const QString& strText, const QKeySequence& taste, const char* szName) {
    auto* pKnopf = new QPushButton(strText);
    pKnopf->setObjectName(QLatin1String(szName));
    pKnopf->setShortcut(taste);
    pKnopf->setToolTip(taste.toString(QKeySequence::NativeText));
    pKnopf->setAutoDefault(false);
    return pKnopf;
}

bool SchreibeBild(CGrafikAnsicht& ansicht, const std::string& strPath, CString& strError) {
    const QImage image = ansicht.Bild(QSize(CdiaGrafik::kBildBreite, CdiaGrafik::kBildHoehe));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG") ||
        !WriteFileAtomic(strPath, std::string_view(bytes.constData(), bytes.size()))) {
        strError = "Das Bild kann nicht gespeichert werden:\n\n" + Utf8ToCp1252(strPath);
        return false;
    }
    return true;
}

} // namespace

void CRows::MoveRow(const CString& key, const CString& key2, const CString& titel,
                    const CString& titel2, const CString& colKey, const CString& colTitel,
                    const CString& wert) {
    m_strKey = key;
    m_strKey2 = key2;
    m_strTitel = titel;
    m_strTitel2 = titel2;
    m_strColKey = colKey;
    m_strColTitel = colTitel;
    m_strWert = wert;
}

void CCols::MoveCol(const CString& key, const CString& titel, const CString& wert) {
    m_strKey = key;
    m_strTitel = titel;
    m_strWert = wert;
}

CdiaGrafik::CdiaGrafik(int nArt, const CString& strTitel, CWnd* pParent)
    : m_nArt(nArt), m_strTitel(strTitel), m_pParent(pParent) {}

CdiaGrafik::~CdiaGrafik() {
    delete m_pWindow.data();
}

void CdiaGrafik::SetTitel(const CString& strTitel) {
    m_strTitel = strTitel;
}

void CdiaGrafik::SetStatistikTitel(const CString& strTitel) {
    m_strStatistikTitel = strTitel;
}

int CdiaGrafik::FindRow(const CString& strKey, const CString& strKey2) const {
    for (std::size_t i = 0; i < m_vecRows.size(); ++i)
        if (m_vecRows[i].m_strKey == strKey && m_vecRows[i].m_strKey2 == strKey2)
            return static_cast<int>(i);
    return -1;
}

int CdiaGrafik::FindCol(const std::vector<CCols>& vecCols, const CString& strKey) const {
    for (std::size_t i = 0; i < vecCols.size(); ++i)
        if (vecCols[i].m_strKey == strKey) return static_cast<int>(i);
    return -1;
}

QWidget* CdiaGrafik::GetQWidget() const {
    return m_pWindow;
}

bool CdiaGrafik::Fill(CString& strError) {
    if (!HatApplication(strError)) return false;
    if (!FillChartData()) {
        strError = "Die Daten des Diagramms k\xF6nnen nicht aufbereitet werden.";
        return false;
    }
    return true;
}

std::unique_ptr<CGrafikAnsicht> CdiaGrafik::BaueAnsicht() const {
    return std::make_unique<CGrafikAnsicht>(m_strTitel, m_strStatistikTitel,
                                            BaueGrafikDaten(m_vecRows, m_vecCols));
}

bool CdiaGrafik::SavePng(const std::string& strPath, CString& strError) {
    if (!Fill(strError)) return false;
    return SchreibeBild(*BaueAnsicht(), strPath, strError);
}

bool CdiaGrafik::Print(QPrinter& printer, CString& strError) {
    if (!Fill(strError)) return false;
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&printer)) {
        strError = "Das Diagramm kann nicht gedruckt werden: der Drucker ist nicht bereit.";
        return false;
    }
    BaueAnsicht()->Zeichne(painter, painter.viewport());
    return painter.end();
}

int CdiaGrafik::DoModal() {
    CString strError;
    if (!HatApplication(strError)) {
        HaltE(kMeldungsTitel, strError);
        return -1;
    }
    // A fill that fails shows the window with "Keine Daten".
    if (!FillChartData()) {
        m_vecRows.clear();
        m_vecCols.clear();
    }
    QWidget* pParentWidget = m_pParent ? m_pParent->GetQWidget() : nullptr;
    m_pWindow = new QDialog(pParentWidget);
    m_pWindow->setWindowTitle(ToQString(m_strTitel.empty() ? CString(kMeldungsTitel) : m_strTitel));
    auto* pLayout = new QVBoxLayout(m_pWindow);
    m_pAnsicht = BaueAnsicht().release();
    pLayout->addWidget(m_pAnsicht, 1);
    auto* pKnoepfe = new QHBoxLayout;
    auto* pSpeichern = NeuerKnopf(QStringLiteral("Als Bild speichern…"),
                                  QKeySequence(Qt::CTRL | Qt::Key_S), "Speichern");
    auto* pDrucken =
        NeuerKnopf(QStringLiteral("Drucken…"), QKeySequence(Qt::CTRL | Qt::Key_P), "Drucken");
    auto* pSchliessen = NeuerKnopf(QStringLiteral("Schließen"), QKeySequence(), "Schliessen");
    pSchliessen->setToolTip(QStringLiteral("Esc"));
    pKnoepfe->addStretch(1);
    for (QPushButton* pKnopf : {pSpeichern, pDrucken, pSchliessen})
        pKnoepfe->addWidget(pKnopf);
    pLayout->addLayout(pKnoepfe);
    QObject::connect(pSpeichern, &QPushButton::clicked, m_pWindow, [this] { OnSpeichern(); });
    QObject::connect(pDrucken, &QPushButton::clicked, m_pWindow, [this] { OnDrucken(); });
    // Esc rejects a QDialog on its own.
    QObject::connect(pSchliessen, &QPushButton::clicked, m_pWindow, &QDialog::reject);
    m_pWindow->resize(kBildBreite * 3 / 4, kBildHoehe * 3 / 4);
    m_pWindow->exec();
    m_pAnsicht = nullptr;
    delete m_pWindow.data();
    return 0;
}

void CdiaGrafik::OnSpeichern() {
    const QString strDatei = QFileDialog::getSaveFileName(
        m_pWindow, QStringLiteral("Diagramm als Bild speichern"), QStringLiteral("Diagramm.png"),
        QStringLiteral("PNG-Bilder (*.png)"));
    if (strDatei.isEmpty()) return;
    std::string strPath = strDatei.toStdString();
    if (!strDatei.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) strPath += ".png";
    if (CString strError; !SchreibeBild(*BaueAnsicht(), strPath, strError))
        HaltE(kMeldungsTitel, strError);
}

void CdiaGrafik::OnDrucken() {
    // Without a screen a modal preview would wait for a click that never comes.
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        HaltE(kMeldungsTitel, "Ohne Bildschirm kann das Diagramm nicht gedruckt werden.");
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintPreviewDialog dialog(&printer, m_pWindow);
    dialog.setWindowTitle(QStringLiteral("Druckvorschau"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, [this](QPrinter* pPrinter) {
        QPainter painter(pPrinter);
        BaueAnsicht()->Zeichne(painter, painter.viewport());
    });
    dialog.exec();
}
